#pragma once

// Shared set-up for the widget tests: no modal loop ever blocks, message boxes are recorded
// instead of shown, and leaving the program does not end the test.

#include "gui/app/aboutwindow.h"
#include "gui/app/exitscreen.h"
#include "gui/app/frmmain.h"
#include "gui/app/program.h"
#include "gui/documents/frmdisp.h"
#include "gui/documents/frmsavedocument.h"
#include "gui/documents/workingwindow.h"
#include "gui/platform/keyboard.h"
#include "gui/platform/seams.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QList>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

namespace guitest {

// Every window shown "modally" during a test, in order.
inline QList<QPointer<QDialog>> &modalWindows()
{
    static QList<QPointer<QDialog>> windows;
    return windows;
}

// The owner of the windows, as main() has one.
inline app::Program &program()
{
    static app::Program *owner = new app::Program; // lives as long as the test program
    return *owner;
}

// The main window while it is loaded.
inline frmMain *mainWindow()
{
    return program().loadedMainWindow();
}

// A reading or document window loaded on its own, without a main window, while it is loaded.
template<typename W>
QPointer<W> &standalone()
{
    static QPointer<W> window;
    return window;
}

// Loads a reading or document window on its own, as the main window would, or gives the one
// already loaded; unloadAll() unloads it.
template<typename W>
W *loadWindow()
{
    QPointer<W> &window = standalone<W>();
    if (!window) {
        window = new W(nullptr);
        QObject::connect(window.data(), &ReadingWindow::unloaded, [] { standalone<W>() = nullptr; });
    }
    return window;
}

// The reading, document and About windows while they are loaded: the main window's, or else the
// ones loaded on their own.
inline frmDisp *readingWindow()
{
    return mainWindow() ? mainWindow()->readingWindow() : standalone<frmDisp>().data();
}

inline frmSaveDocument *documentWindow()
{
    return mainWindow() ? mainWindow()->documentWindow() : standalone<frmSaveDocument>().data();
}

inline frmAbout *aboutWindow()
{
    return mainWindow() ? mainWindow()->aboutWindow() : nullptr;
}

inline int &quitCount()
{
    static int count = 0;
    return count;
}

inline void setUp()
{
    KeyboardRules::install();
    platform::MessageBox::setTestMode(true);
    platform::setModalHandler([](QDialog *dialog) {
        modalWindows().append(dialog);
        dialog->show();
    });
    platform::setQuitHandler([] { ++quitCount(); });
    modalWindows().clear();
    quitCount() = 0;
}

// Sets up as above and shows the main window; null if it never appeared.
inline frmMain *showMainWindow()
{
    setUp();
    frmMain *main = program().mainWindow();
    main->show();
    if (!QTest::qWaitForWindowExposed(main))
        return nullptr;
    // The main window loads the document window right after it first paints.
    return QTest::qWaitFor([main] { return main->documentWindow() != nullptr; }) ? main : nullptr;
}

// Unloads every window, as leaving the program does, and lets the deferred deletions run.
inline void unloadAll()
{
    program().QuitApplication();
    if (frmDisp *disp = standalone<frmDisp>())
        disp->unload();
    if (frmSaveDocument *document = standalone<frmSaveDocument>())
        document->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Shows one of the program's windows by its class's name, as the user would meet it, and waits
// until it is on screen; null if it never appeared. The working window and the exit screen close
// themselves away (Qt::WA_DeleteOnClose): close them after the test.
inline QWidget *openWindow(const QString &name)
{
    if (name == QLatin1String("frmMain"))
        return showMainWindow();
    setUp();
    QWidget *window = nullptr;
    if (name == QLatin1String("frmAbout")) {
        frmMain *main = showMainWindow();
        if (!main)
            return nullptr;
        main->findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
        window = aboutWindow();
    } else if (name == QLatin1String("frmDisp")) {
        window = loadWindow<frmDisp>();
    } else if (name == QLatin1String("frmSaveDocument")) {
        window = loadWindow<frmSaveDocument>();
    } else if (name == QLatin1String("frmWorking")) {
        window = new frmWorking(nullptr);
        window->setAttribute(Qt::WA_DeleteOnClose);
    } else if (name == QLatin1String("frmExit")) {
        window = new ExitScreen;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!window)
        return nullptr;
    window->show();
    return QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

inline QStringList visibleTopLevelWindows()
{
    QStringList names;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            names.append(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                   : w->objectName());
    }
    return names;
}

// The rest of a double-click after its first click, as the system delivers it: the second press
// comes as the double-click event alone, then the release.
inline void finishDoubleClick(QWidget *widget, QPoint at)
{
    QMouseEvent secondPress(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &secondPress);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

template<typename T>
T *child(QWidget *window, const char *name)
{
    auto *widget = window->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

inline void setText(frmMain *main, const char *name, const QString &text)
{
    child<QLineEdit>(main, name)->setText(text);
}

inline void pick(frmMain *main, const char *name, const QString &entry)
{
    auto *list = child<QComboBox>(main, name);
    const int index = list->findText(entry);
    if (index < 0)
        qFatal("%s has no entry %s", name, qPrintable(entry));
    list->setCurrentIndex(index);
}

// Fills both partners: names as given, dates as "Month Day Year".
inline void fillCouple(frmMain *main, const QStringList &male, const QString &maleDate,
                       const QStringList &female, const QString &femaleDate)
{
    const char *maleNames[] = {"txtMF", "txtMM", "txtML"};
    const char *femaleNames[] = {"txtFF", "txtFM", "txtFL"};
    for (int i = 0; i < 3; ++i) {
        setText(main, maleNames[i], male.value(i));
        setText(main, femaleNames[i], female.value(i));
    }
    const QStringList m = maleDate.split(QLatin1Char(' '));
    const QStringList f = femaleDate.split(QLatin1Char(' '));
    pick(main, "cboMM", m[0]);
    pick(main, "cboMD", m[1]);
    pick(main, "cboMY", m[2]);
    pick(main, "cboFM", f[0]);
    pick(main, "cboFD", f[1]);
    pick(main, "cboFY", f[2]);
}

} // namespace guitest
