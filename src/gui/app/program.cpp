#include "gui/app/program.h"

#include "gui/app/exitscreen.h"
#include "gui/app/frmmain.h"
#include "gui/platform/seams.h"

#include <QApplication>
#include <QThread>

#include <utility>

namespace app {

namespace {

// A dialog or a drag opened from a window runs its own event loop inside that window's code, which
// goes on using the window once the loop ends. The only other loops are the application's and
// those of the windows shown modally. Menus, the menu bar's and the text boxes' context menus
// alike, run none: they close when the reading shows.
bool insideAnotherEventLoop()
{
    return QThread::currentThread()->loopLevel() > 1 + platform::modalWindowLoops();
}

} // namespace

Program::Program()
{
    m_waitingFileRetry.setSingleShot(true);
    m_waitingFileRetry.setInterval(100);
    connect(&m_waitingFileRetry, &QTimer::timeout, this, &Program::openWaitingFile);
}

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
        connect(m_main, &frmMain::firstPainted, this, &Program::openWaitingFile);
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
    emit leaving();
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
    m_waitingFile = path;
    // The user's attention goes to what keeps the file waiting: a dialog, or before the main
    // window exists, start-up's update question. A dialog goes down to the task bar with its
    // minimised main window, so that comes back first.
    QWidget *dialog = QApplication::activeModalWidget();
    if (dialog && !m_quitting && (!m_main || insideAnotherEventLoop())) {
        unminimiseMainWindow();
        dialog->raise();
        dialog->activateWindow();
    }
    openWaitingFile();
}

void Program::unminimiseMainWindow()
{
    if (m_main)
        m_main->setWindowState(m_main->windowState() & ~Qt::WindowMinimized);
}

void Program::openWaitingFile()
{
    if (m_waitingFile.isEmpty())
        return;
    if (m_quitting || exitScreenShown()) {
        m_waitingFile.clear();
        return;
    }
    if (!m_main)
        return; // start-up is still asking about updates: the main window opens it once built
    if (!m_main->hasPainted()) {
        // The reading opens over the main window once that has painted. A window manager that
        // started it minimised keeps it from painting until it comes back, as a handed-over file
        // brings it back.
        unminimiseMainWindow();
        return;
    }
    if (insideAnotherEventLoop()) {
        m_waitingFileRetry.start();
        return;
    }
    // A reading on show runs its own event loop, and a file handed over arrives inside it. Opened
    // from there, the new reading's loop would run inside the old one's, which cannot end before
    // it: one loop deeper, and the replaced windows never freed, with each file handed over, until
    // the stack runs out. The windows go now, and the file opens once their loops have ended.
    if (platform::modalWindowLoops() > 0) {
        unminimiseMainWindow();
        m_main->closeReadingWindows();
        m_waitingFileRetry.start();
        return;
    }
    const QString path = std::exchange(m_waitingFile, QString());
    unminimiseMainWindow();
    m_main->openSavedReading(path);
}

} // namespace app
