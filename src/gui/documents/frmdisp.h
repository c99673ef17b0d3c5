#pragma once

#include "gui/documents/readingwindow.h"

// The reading window: one LifePath or Destiny reading, shown modally over the main window. Its box
// is a display only: any selection is cleared on every key and mouse event and on focus, so no
// part of the reading can be selected or copied, while scrolling still works.
class frmDisp final : public ReadingWindow
{
    Q_OBJECT

public:
    explicit frmDisp(QWidget *parent);

    RichTextBox *txtDisp() const { return box(); }

private slots:
    void cmdExit_Click();
    void clearSelection();

private:
    QPushButton *m_cmdExit = nullptr;
};
