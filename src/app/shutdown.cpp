#include "app/shutdown.h"

#include "app/exitscreen.h"
#include "app/frmmain.h"
#include "documents/frmdisp.h"
#include "documents/frmsavedocument.h"
#include "platform/aboutwindow.h"

#include <QCoreApplication>
#include <QPointer>

namespace app {

namespace {

QPointer<ExitScreen> s_exitScreen;
bool s_quitting = false;
std::function<void()> s_quitHandler;

} // namespace

void showExitScreen()
{
    if (s_quitting)
        return;
    if (!s_exitScreen)
        s_exitScreen = new ExitScreen;
    s_exitScreen->show();
    s_exitScreen->raise();
    s_exitScreen->activateWindow();
}

bool exitScreenShown()
{
    return s_exitScreen && s_exitScreen->isVisible();
}

bool isQuitting()
{
    return s_quitting;
}

void QuitApplication()
{
    if (s_quitting)
        return;
    s_quitting = true;

    if (frmDisp *disp = frmDisp::loadedInstance())
        disp->unload();
    if (frmSaveDocument *document = frmSaveDocument::loadedInstance())
        document->unload();
    platform::unloadAboutWindow();
    if (frmMain *main = frmMain::loadedInstance())
        main->unload();
    if (s_exitScreen) {
        s_exitScreen->hide();
        s_exitScreen->deleteLater();
    }

    if (s_quitHandler) {
        s_quitHandler();
        s_quitting = false; // a test goes on with the next case
    } else {
        QCoreApplication::exit(0);
    }
}

void setQuitHandler(std::function<void()> handler)
{
    s_quitHandler = std::move(handler);
}

} // namespace app
