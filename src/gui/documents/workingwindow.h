#pragma once

#include <QDialog>

class QPushButton;
class QTextEdit;

namespace readings {
struct Reading;
}

// "How the Numbers Were Found": the working behind a couple's readings, shown modally over the
// main window. Unlike a reading, its text can be selected and copied, with the mouse or the
// keyboard. It is laid out for any font size, and Escape, Close or the close box unload it.
class frmWorking final : public QDialog
{
    Q_OBJECT

public:
    explicit frmWorking(QWidget *parent);

    // Replaces what the window shows by working, from its top.
    void showWorking(const readings::Reading &working);

    QTextEdit *txtWorking() const { return m_txtWorking; }

    // Closes the window (ending a modal show) and destroys it later; the next use makes a new one.
    void unload();

signals:
    // The window has unloaded and will be destroyed.
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override; // Escape

private slots:
    void cmdClose_Click();

private:
    QTextEdit *m_txtWorking = nullptr;
    QPushButton *m_cmdClose = nullptr;
    bool m_unloaded = false;
};
