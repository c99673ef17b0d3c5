#include "core/program/commandline.h"
#include "core/program/handover.h"
#include "core/program/singleinstance.h"
#include "core/program/version.h"
#include "gui/app/firstpaint.h"
#include "gui/app/frmmain.h"
#include "gui/app/program.h"
#include "gui/app/updatereminder.h"
#include "gui/platform/fontconfiguration.h"
#include "gui/platform/keyboard.h"
#include "gui/platform/look.h"
#include "gui/platform/seams.h"

#include <QApplication>
#include <QImage>
#include <QScopeGuard>

#include <future>

int main(int argc, char *argv[])
{
    app::reportStartupMomentIfAsked("main");
    QString file;
    if (argc > 1) {
        // Read before any window system is needed, so that --help and --version work anywhere.
        QCoreApplication commandLine(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("tovrin"));
        file = program::processCommandLine(commandLine);
    }

    // A file goes to the running copy at once, before this copy opens any window.
    program::SingleInstance instance;
    const QString handOverSocket = program::handOverSocketPath();
    bool anotherCopyRunning = instance.anotherCopyRunning();
    if (anotherCopyRunning && !file.isEmpty()) {
        if (program::handOverFile(handOverSocket, file))
            return 0;
        // The running copy may have ended (killed, or the user left) while the file was on its
        // way; then this copy is the one that opens it.
        anotherCopyRunning = instance.anotherCopyRunning();
    }

    // A copy that only says another one runs stays out of the desktop session: joined to it, it
    // would be kept with the session and started again at the next login, to say so once more.
    // (Before the second thread starts: the environment is not to change while it reads it.)
    if (anotherCopyRunning)
        qunsetenv("SESSION_MANAGER");

    // The running copy takes files from the moment it holds the lock. Reaching the display and
    // building the windows can take seconds on a loaded machine or while fontconfig rebuilds its
    // cache, longer than a later start waits to hand its file over; meanwhile the file waits in
    // the socket until the event loop reads it.
    program::HandOverListener handOver(handOverSocket);
    if (!anotherCopyRunning)
        handOver.open();

    // Start-up work that needs no window runs on a second core while this thread connects to the
    // display and builds the main window: first fontconfig's configuration, which the first font
    // needs, then the program's icon, whose reading loads Qt's image readers.
    std::thread fontconfigLoader = platform::loadFontConfigurationAside();
    QApplication application(argc, argv);
    fontconfigLoader.join();
    app::reportStartupMomentIfAsked("application");
    std::future<QImage> icon = std::async(std::launch::async, platform::programImage);
    QApplication::setApplicationName(QStringLiteral("tovrin"));
    // A Wayland compositor knows a window's program, its name and icon, by this id alone.
    QGuiApplication::setDesktopFileName(program::applicationId());
    // The main window's Exit shows the exit screen; only QuitApplication ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    KeyboardRules::install();

    // The icon is in place before the first window shows: a message, the update question or the
    // main window.
    const auto installIcon = [&icon] {
        if (icon.valid())
            platform::installProgramLook(icon.get());
    };

    if (anotherCopyRunning) {
        installIcon();
        platform::MessageBox::information(nullptr, QStringLiteral("Application is already running"));
        return file.isEmpty() ? 0 : 1; // the running copy did not take the file
    }

    // Listening before the update question: a file handed over while it is asked opens in the main
    // window once that is built.
    app::Program owner;
    QObject::connect(&handOver, &program::HandOverListener::fileHandedOver, &owner, &app::Program::openHandedOverFile);
    handOver.listen();
    // Its notifiers go while the application they report to is still there.
    const auto stopListening = qScopeGuard([&handOver] { handOver.close(); });
    QObject::connect(&owner, &app::Program::leaving, &handOver, &program::HandOverListener::close);
    // The file of this start waits for the main window as a handed-over one does, so that a file
    // handed over while the update question is asked, the newer one, takes its place.
    if (!file.isEmpty())
        owner.openHandedOverFile(file);
    if (!app::UpdateReminder(installIcon))
        return 0; // the session ended while the question was up
    frmMain *main = owner.mainWindow();
    app::reportStartupMomentIfAsked("window");
    installIcon();
    app::reportFirstPaintIfAsked(main);
    main->show();
    app::reportStartupMomentIfAsked("shown");
    return QApplication::exec();
}
