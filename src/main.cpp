#include "app/firstpaint.h"
#include "app/frmmain.h"
#include "app/shutdown.h"
#include "app/singleinstance.h"
#include "platform/dialogs.h"
#include "platform/keyboard.h"
#include "platform/look.h"
#include "platform/updatereminder.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tovrin"));
    platform::installProgramLook();
    // The main window's Exit shows the exit screen; only QuitApplication ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    KeyboardRules::install();

    app::SingleInstance instance;
    if (instance.anotherCopyRunning()) {
        platform::MessageBox::information(nullptr, QStringLiteral("Application is already running"));
        return 0;
    }

    platform::UpdateReminder();
    app::reportFirstPaintIfAsked(frmMain::instance());
    frmMain::instance()->show();
    return QApplication::exec();
}
