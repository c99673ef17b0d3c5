#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class ExitScreen;
class frmMain;

namespace app {

// The owner of the program's top-level windows: the main window and the exit screen. Leaving the
// program goes through here: the main window asks for the exit screen, and closing the exit screen
// runs QuitApplication, which unloads every window (the main window unloads the ones it owns) and
// ends the program through the quit seam.
class Program final : public QObject
{
    Q_OBJECT

public:
    Program();
    ~Program() override;

    // The main window, created on first use and again after QuitApplication unloaded it.
    frmMain *mainWindow();
    // The main window while it is loaded; null before first use and once it has unloaded.
    frmMain *loadedMainWindow() const;

    // Shows the exit screen (modeless); closing it runs QuitApplication().
    void showExitScreen();
    bool exitScreenShown() const;

    // Unloads every loaded window, each running its unload handler, then ends the program.
    void QuitApplication();

    // A later start handed path over: the main window comes forward and opens it, in place of any
    // reading on show. While a dialog or a drag is open, the file waits until it has closed (the
    // latest file handed over wins): opening it closes the windows that dialog may belong to.
    // Until the main window is built and on the screen, the file waits for it. Nothing opens once
    // the user is leaving.
    void openHandedOverFile(const QString &path);

signals:
    // The exit screen is up: from now on no file is opened.
    void leaving();

private:
    void openWaitingFile();
    void unminimiseMainWindow();

    QPointer<frmMain> m_main;
    QPointer<ExitScreen> m_exitScreen;
    bool m_quitting = false;
    QString m_waitingFile;
    QTimer m_waitingFileRetry;
};

} // namespace app
