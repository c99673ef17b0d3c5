#pragma once

#include "gui/platform/unloadingdialog.h"

class QPushButton;
class QTextEdit;

namespace readings {
struct Reading;
}

// "How the Numbers Were Found": the working behind a couple's readings, shown modally over the
// main window. Unlike a reading, its text can be selected and copied, with the mouse or the
// keyboard. It is laid out for any font size, and Escape, Close or the close box unload it.
class frmWorking final : public UnloadingDialog
{
    Q_OBJECT

public:
    explicit frmWorking(QWidget *parent);

    // Replaces what the window shows by working, from its top.
    void showWorking(const readings::Reading &working);

    QTextEdit *txtWorking() const { return m_txtWorking; }

private slots:
    void cmdClose_Click();

private:
    QTextEdit *m_txtWorking = nullptr;
    QPushButton *m_cmdClose = nullptr;
};
