#pragma once

#include <QDialog>

// The About window: what the program is, its version, and two links to the maker's pages. It is
// shown modally from the main window's Help menu and unloaded by OK, Escape or its close box,
// leaving the main window as it was.
class frmAbout final : public QDialog
{
    Q_OBJECT

public:
    // The single instance, created on first use.
    static frmAbout *instance();
    static frmAbout *loadedInstance();

    // Closes the window (ending a modal show) and destroys it later; the next use makes a new one.
    void unload();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override; // Escape

private slots:
    void cmdOK_Click();
    void lblHomePage_Click();
    void lblCoBrand_Click();

private:
    explicit frmAbout(QWidget *parent);

    bool m_unloaded = false;
};

namespace platform {

// Creates the About window if needed and shows it modally.
void showAboutWindow();
// Unloads the About window if it is loaded.
void unloadAboutWindow();

} // namespace platform
