#include "gui/app/program.h"

#include "gui/app/exitscreen.h"
#include "gui/app/frmmain.h"
#include "gui/platform/seams.h"

namespace app {

Program::Program() = default;

Program::~Program()
{
    delete m_exitScreen;
    delete m_main;
}

frmMain *Program::mainWindow()
{
    if (!m_main) {
        m_main = new frmMain;
        connect(m_main, &frmMain::exitScreenRequested, this, &Program::showExitScreen);
        connect(m_main, &frmMain::unloaded, this, [this] { m_main = nullptr; });
    }
    return m_main;
}

frmMain *Program::loadedMainWindow() const
{
    return m_main;
}

void Program::showExitScreen()
{
    if (m_quitting)
        return;
    if (!m_exitScreen) {
        m_exitScreen = new ExitScreen;
        connect(m_exitScreen, &ExitScreen::closed, this, &Program::QuitApplication);
    }
    m_exitScreen->show();
    m_exitScreen->raise();
    m_exitScreen->activateWindow();
}

bool Program::exitScreenShown() const
{
    return m_exitScreen && m_exitScreen->isVisible();
}

void Program::QuitApplication()
{
    if (m_quitting)
        return;
    m_quitting = true;

    if (m_main)
        m_main->unload();
    if (m_exitScreen) {
        m_exitScreen->hide();
        m_exitScreen->deleteLater();
        m_exitScreen = nullptr;
    }
    platform::quitProgram();
    m_quitting = false;
}

void Program::openHandedOverFile(const QString &path)
{
    if (m_quitting || !m_main || exitScreenShown())
        return;
    m_main->setWindowState(m_main->windowState() & ~Qt::WindowMinimized);
    m_main->openSavedReading(path);
}

} // namespace app
