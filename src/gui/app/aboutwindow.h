#pragma once

#include "gui/platform/unloadingdialog.h"

// The About window: what the program is, its version, and two links to the maker's pages. The main
// window creates it for its Help menu and shows it modally; OK, Escape or its close box unload it,
// leaving the main window as it was.
class frmAbout final : public UnloadingDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent);

private slots:
    void cmdOK_Click();
    void lblHomePage_Click();
    void lblCoBrand_Click();
};
