#pragma once

#include "core/readings/reading.h"

#include <QTextEdit>
#include <QTextOption>

#include <optional>

class QTextCursor;

namespace documents {

// Inserts the runs at cursor, each with its emphasis, line breaks (CR LF, CR or LF) as new
// paragraphs: how every reading becomes a text document, on screen and on paper alike.
void insertRuns(QTextCursor &cursor, const QList<readings::TextRun> &runs);

// How lines of the runs wrap: at word boundaries, as ever; but where a word is far longer than
// any line (a name typed as thousands of letters), anywhere. Qt looks for the word's end again
// on every line of such a word, which takes seconds for the longest names a box takes.
QTextOption::WrapMode wrapModeFor(const QList<readings::TextRun> &runs);

} // namespace documents

// The rich-text box the readings are shown in. A reading goes in whole, as its runs (showRuns()).
// The box also offers the whole text with CR LF line breaks, the insertion point and selection
// length (both counting CR LF as two characters), inserting plain text at the insertion point, and
// one on/off emphasis (bold) for what is inserted next. It reports its key, mouse and focus events
// so that its window can act on them. It cannot be edited by the user, and it can be told to let
// nothing it shows be copied out.
class RichTextBox : public QTextEdit
{
    Q_OBJECT

public:
    explicit RichTextBox(QWidget *parent = nullptr);

    // The whole text, lines ending CR LF. setText() replaces everything, without emphasis, and
    // emits textReplaced().
    QString text() const;
    void setText(const QString &text);

    int selStart() const;
    void setSelStart(int position);
    int selLength() const;
    void setSelLength(int length);

    // Inserts plain text (never markup) at the insertion point, replacing any selection, with the
    // current emphasis; the insertion point then stands after the inserted text.
    void setSelText(const QString &text);

    void setSelBold(bool bold);

    // The font the box was given. Ctrl with the wheel makes the text larger or smaller on screen
    // by changing the box's font (and with it the document's); paper keeps this one.
    QFont unzoomedFont() const { return m_unzoomedFont.value_or(font()); }

    // A box that is not copyable lets no selection leave it: nothing reaches the X11 primary
    // selection, the clipboard or a drag. Select-all, copy and cut do nothing; shift with a
    // movement key moves without selecting; a double or triple click selects nothing; what a
    // drag selects is let go before the release, which would otherwise hand it to the primary
    // selection. Scrolling and moving through the text work as ever. Boxes start copyable.
    void setCopyable(bool copyable);

    // Qt lets input methods write into a read-only box whose text the mouse may select: a dead
    // key or a compose sequence (an accent, then a letter) put the accented letter into the
    // reading. The box tells them it takes no text, and drops any they send all the same
    // (inputMethodEvent()).
    using QTextEdit::inputMethodQuery;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

    // Replaces everything by the runs, each with its emphasis, puts the insertion point at the
    // start and then emits textReplaced() once.
    void showRuns(const QList<readings::TextRun> &runs);

signals:
    // setText() or showRuns() has put a whole new text in the box. Insertions through setSelText()
    // do not count.
    void textReplaced();
    void gotFocus();
    void keyDown();
    void keyPress();
    void keyUp();
    void mouseDown();
    void mouseMove();
    void mouseUp();
    void clicked();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    void replaceText(const QString &text);
    int toInternal(int position) const;
    int toExternal(int position) const;

    bool m_bold = false;
    bool m_copyable = true;
    std::optional<QFont> m_unzoomedFont;
};
