#pragma once

#include "gui/documents/readingwindow.h"

// The document window: the Comprehensive reading, shown in RTB modally. The main window loads it,
// hidden, at start-up; every unload discards it, so each reading starts empty.
// No part of the reading can be copied: RTB allows no selection, and whenever its text changes or
// the mouse acts on it, a clipboard content this program put there is emptied. What other
// programs put on the clipboard is left alone.
class frmSaveDocument final : public ReadingWindow
{
    Q_OBJECT

public:
    explicit frmSaveDocument(QWidget *parent);

    RichTextBox *RTB() const { return box(); }

private slots:
    void RTB_Change();
    void RTB_Click();
    void RTB_MouseDown();
    void RTB_MouseMove();
    void RTB_MouseUp();

private:
    static void clearOwnClipboard();
};
