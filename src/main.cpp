#include "core/program/singleinstance.h"
#include "gui/app/firstpaint.h"
#include "gui/app/frmmain.h"
#include "gui/app/program.h"
#include "gui/app/updatereminder.h"
#include "gui/platform/keyboard.h"
#include "gui/platform/look.h"
#include "gui/platform/seams.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tovrin"));
    platform::installProgramLook();
    // The main window's Exit shows the exit screen; only QuitApplication ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    KeyboardRules::install();

    program::SingleInstance instance;
    if (instance.anotherCopyRunning()) {
        platform::MessageBox::information(nullptr, QStringLiteral("Application is already running"));
        return 0;
    }

    app::UpdateReminder();
    app::Program owner;
    frmMain *main = owner.mainWindow();
    app::reportFirstPaintIfAsked(main);
    main->show();
    return QApplication::exec();
}
