// The yardstick for Tovrin's start-up: the least a Qt Widgets program does to show a main window
// with a label. Built with the same compiler and flags as tovrin; bench/startupbench runs both.
#include "gui/app/firstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    app::reportStartupMomentIfAsked("main");
    QApplication application(argc, argv);
    app::reportStartupMomentIfAsked("application");
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setCentralWidget(new QLabel(QStringLiteral("A bare Qt window"), &window));
    app::reportStartupMomentIfAsked("window");
    app::reportFirstPaintIfAsked(&window);
    window.show();
    app::reportStartupMomentIfAsked("shown");
    return QApplication::exec();
}
