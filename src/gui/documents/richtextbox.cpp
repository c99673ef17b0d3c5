#include "gui/documents/richtextbox.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>

#include <algorithm>
#include <iterator>

namespace {

// Inside the document a line break is one block separator; outside it is CR LF. Lone CRs and LFs
// are line breaks as well.
QString toDocumentText(const QString &text)
{
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QTextCharFormat emphasis(bool bold)
{
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

// The keys that extend the selection; without shift each is the key that only moves.
bool isSelectingKey(QKeyEvent *event)
{
    static const QKeySequence::StandardKey selecting[] = {
        QKeySequence::SelectNextChar,        QKeySequence::SelectPreviousChar,
        QKeySequence::SelectNextWord,        QKeySequence::SelectPreviousWord,
        QKeySequence::SelectNextLine,        QKeySequence::SelectPreviousLine,
        QKeySequence::SelectNextPage,        QKeySequence::SelectPreviousPage,
        QKeySequence::SelectStartOfLine,     QKeySequence::SelectEndOfLine,
        QKeySequence::SelectStartOfBlock,    QKeySequence::SelectEndOfBlock,
        QKeySequence::SelectStartOfDocument, QKeySequence::SelectEndOfDocument,
    };
    return std::any_of(std::begin(selecting), std::end(selecting),
                       [event](QKeySequence::StandardKey key) { return event->matches(key); });
}

} // namespace

void documents::insertRuns(QTextCursor &cursor, const QList<readings::TextRun> &runs)
{
    for (const readings::TextRun &run : runs)
        cursor.insertText(toDocumentText(run.text), emphasis(run.bold));
}

QTextOption::WrapMode documents::wrapModeFor(const QList<readings::TextRun> &runs)
{
    // Far longer than a line of any window or page, far shorter than where it gets slow.
    constexpr int kLongestWrappedWord = 1000;
    int word = 0;
    for (const readings::TextRun &run : runs) {
        for (const QChar c : run.text) {
            word = c.isSpace() ? 0 : word + 1;
            if (word > kLongestWrappedWord)
                return QTextOption::WrapAnywhere;
        }
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

RichTextBox::RichTextBox(QWidget *parent)
    : QTextEdit(parent)
{
    setReadOnly(true);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QTextEdit::WidgetWidth);
}

QString RichTextBox::text() const
{
    QString plain = document()->toPlainText();
    return plain.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

void RichTextBox::setText(const QString &text)
{
    replaceText(text);
    emit textReplaced();
}

void RichTextBox::replaceText(const QString &text)
{
    clear();
    QTextCursor cursor(document());
    cursor.insertText(toDocumentText(text), QTextCharFormat());
    setTextCursor(QTextCursor(document()));
    m_bold = false;
}

int RichTextBox::toExternal(int position) const
{
    const QString plain = document()->toPlainText();
    const int end = qBound(0, position, int(plain.size()));
    return end + int(QStringView(plain).left(end).count(QLatin1Char('\n')));
}

int RichTextBox::toInternal(int position) const
{
    const QString plain = document()->toPlainText();
    int external = 0;
    for (int i = 0; i < plain.size(); ++i) {
        const int width = plain.at(i) == QLatin1Char('\n') ? 2 : 1;
        if (external + width > position)
            return i;
        external += width;
    }
    return int(plain.size());
}

int RichTextBox::selStart() const
{
    return toExternal(textCursor().selectionStart());
}

void RichTextBox::setSelStart(int position)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(toInternal(qMax(0, position)));
    setTextCursor(cursor);
}

int RichTextBox::selLength() const
{
    const QTextCursor cursor = textCursor();
    return toExternal(cursor.selectionEnd()) - toExternal(cursor.selectionStart());
}

void RichTextBox::setSelLength(int length)
{
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    if (length <= 0 && !cursor.hasSelection())
        return;
    // Keep the view where it is: only the selection goes.
    cursor.setPosition(start);
    if (length > 0)
        cursor.setPosition(toInternal(toExternal(start) + length), QTextCursor::KeepAnchor);
    const int scroll = verticalScrollBar()->value();
    setTextCursor(cursor);
    verticalScrollBar()->setValue(scroll);
}

void RichTextBox::setSelText(const QString &text)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(toDocumentText(text), emphasis(m_bold));
    setTextCursor(cursor);
}

void RichTextBox::setSelBold(bool bold)
{
    m_bold = bold;
}

void RichTextBox::setCopyable(bool copyable)
{
    m_copyable = copyable;
    if (!copyable)
        setSelLength(0);
}

void RichTextBox::showRuns(const QList<readings::TextRun> &runs)
{
    replaceText(QString());
    setWordWrapMode(documents::wrapModeFor(runs));
    QTextCursor cursor = textCursor();
    documents::insertRuns(cursor, runs);
    setSelStart(0);
    emit textReplaced();
}

void RichTextBox::focusInEvent(QFocusEvent *event)
{
    QTextEdit::focusInEvent(event);
    emit gotFocus();
}

void RichTextBox::keyPressEvent(QKeyEvent *event)
{
    emit keyDown();
    if (m_copyable) {
        QTextEdit::keyPressEvent(event);
    } else {
        // Qt hands the selection to the primary selection after every key that leaves one, so
        // no key may find or make one.
        setSelLength(0);
        if (event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Copy)
            || event->matches(QKeySequence::Cut)) {
            event->accept();
        } else if (isSelectingKey(event)) {
            QKeyEvent moving(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                             event->nativeScanCode(), event->nativeVirtualKey(), event->nativeModifiers(),
                             event->text(), event->isAutoRepeat(), event->count());
            QTextEdit::keyPressEvent(&moving);
            event->setAccepted(moving.isAccepted());
        } else {
            QTextEdit::keyPressEvent(event);
        }
    }
    if (!event->text().isEmpty())
        emit keyPress();
}

void RichTextBox::keyReleaseEvent(QKeyEvent *event)
{
    QTextEdit::keyReleaseEvent(event);
    emit keyUp();
}

void RichTextBox::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown();
    if (!m_copyable)
        setSelLength(0); // a press inside a selection would start dragging it out
    QTextEdit::mousePressEvent(event);
}

void RichTextBox::mouseMoveEvent(QMouseEvent *event)
{
    QTextEdit::mouseMoveEvent(event);
    emit mouseMove();
}

void RichTextBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_copyable)
        setSelLength(0); // the release hands what the drag selected to the primary selection
    QTextEdit::mouseReleaseEvent(event);
    emit mouseUp();
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

void RichTextBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Qt selects the word and hands it to the primary selection in one step, and a third click
    // would do the same with the line.
    if (m_copyable)
        QTextEdit::mouseDoubleClickEvent(event);
    else
        event->accept();
}

void RichTextBox::wheelEvent(QWheelEvent *event)
{
    if ((event->modifiers() & Qt::ControlModifier) && !m_unzoomedFont)
        m_unzoomedFont = font();
    QTextEdit::wheelEvent(event);
}

QVariant RichTextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled)
        return false;
    return QTextEdit::inputMethodQuery(query);
}

void RichTextBox::inputMethodEvent(QInputMethodEvent *event)
{
    event->ignore();
}

QMimeData *RichTextBox::createMimeDataFromSelection() const
{
    // Should Qt still hand a selection on by a way not closed above, it hands on nothing.
    if (!m_copyable)
        return new QMimeData;
    return QTextEdit::createMimeDataFromSelection();
}
