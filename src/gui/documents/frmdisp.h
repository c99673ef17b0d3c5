#pragma once

#include "gui/documents/readingwindow.h"

// The reading window: one LifePath or Destiny reading, shown modally over the main window. Its box
// is a display only: any selection is cleared on every key, mouse press and release and on focus,
// and the box is not copyable, so no part of the reading reaches the clipboard or, on X11, the
// primary selection, while scrolling and moving through the text still work.
class frmDisp final : public ReadingWindow
{
    Q_OBJECT

public:
    explicit frmDisp(QWidget *parent);

    RichTextBox *txtDisp() const { return box(); }

private slots:
    void cmdExit_Click();
    // Each clears the selection.
    void txtDisp_GotFocus();
    void txtDisp_KeyDown();
    void txtDisp_KeyPress();
    void txtDisp_KeyUp();
    void txtDisp_MouseDown();
    void txtDisp_MouseUp();

private:
    QPushButton *m_cmdExit = nullptr;
};
