#pragma once

#include <QDialog>

// The About window: what the program is, its version, and two links to the maker's pages. The main
// window creates it for its Help menu and shows it modally; OK, Escape or its close box unload it,
// leaving the main window as it was.
class frmAbout final : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent);

    // Closes the window (ending a modal show) and destroys it later; the next use makes a new one.
    void unload();

signals:
    // The window has unloaded and will be destroyed.
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override; // Escape

private slots:
    void cmdOK_Click();
    void lblHomePage_Click();
    void lblCoBrand_Click();

private:
    bool m_unloaded = false;
};
