#include "gui/documents/richtextbox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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

} // namespace

void documents::insertRuns(QTextCursor &cursor, const QList<readings::TextRun> &runs)
{
    for (const readings::TextRun &run : runs)
        cursor.insertText(toDocumentText(run.text), emphasis(run.bold));
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

void RichTextBox::showRuns(const QList<readings::TextRun> &runs)
{
    replaceText(QString());
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
    QTextEdit::keyPressEvent(event);
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
    QTextEdit::mousePressEvent(event);
}

void RichTextBox::mouseMoveEvent(QMouseEvent *event)
{
    QTextEdit::mouseMoveEvent(event);
    emit mouseMove();
}

void RichTextBox::mouseReleaseEvent(QMouseEvent *event)
{
    QTextEdit::mouseReleaseEvent(event);
    emit mouseUp();
    if (event->button() == Qt::LeftButton)
        emit clicked();
}
