#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>

#include <functional>

class QDialog;
class QWidget;

// The seams between the windows and everything that blocks or leaves: message boxes, file dialogs,
// modal windows, the printer and the end of the program. Windows never call QMessageBox,
// QFileDialog, QDialog::exec() or QCoreApplication::exit() themselves, so a test can answer in
// advance, read what would have been shown, and never block on a modal loop or end.
namespace platform {

class MessageBox
{
public:
    struct Shown {
        QMessageBox::Icon icon;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    static void information(QWidget *parent, const QString &text);
    static void warning(QWidget *parent, const QString &text);
    static void critical(QWidget *parent, const QString &text);
    // Yes and No with the information icon; returns Yes or No.
    static QMessageBox::StandardButton askYesNo(QWidget *parent, const QString &text);
    // Yes and No with the warning icon and No as the default; true for Yes.
    static bool confirm(QWidget *parent, const QString &text);

    // Tests: from now on no box is shown. Each box is recorded in shown() and answered with the
    // next queued answer, or with its default button when none is queued: OK, Yes for askYesNo(),
    // No for confirm().
    static void setTestMode(bool on);
    static void setNextAnswer(QMessageBox::StandardButton answer);
    static QList<Shown> &shown();

private:
    static QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton);
};

class FileDialog
{
public:
    struct Options {
        QString title;
        QString filter;           // Qt syntax, e.g. "Tovrin (*.kvl)"
        QString defaultSuffix;    // added to a name typed without one
        QString suggestedName;    // the file name the save dialog starts with
        // The file the command will write for a chosen name, when not that name itself (one that
        // gains its type's suffix); the save dialog checks that file.
        std::function<QString(const QString &)> pathWritten;
    };
    struct Asked {
        bool save;
        Options options;
    };

    // Returns the chosen path, or an empty text on Cancel. The save dialog asks before replacing
    // an existing file; it refuses a read-only one, a folder that does not exist and a typed name
    // that it would read as another file (double quotes make a list of names, of which only one
    // would be used). The open dialog accepts only existing files that are not read-only.
    static QString getSaveFileName(QWidget *parent, const Options &options);
    static QString getOpenFileName(QWidget *parent, const Options &options);

    // Tests: the next dialog is not shown and answers with fileName (empty: Cancel).
    static void setNextFileName(const QString &fileName);
    static QList<Asked> &asked();

private:
    static bool takeNextFileName(bool save, const Options &options, QString *fileName);
};

// Shows a window modally and returns when it is closed. Tests replace the way it is shown.
void showModal(QDialog *dialog);
void setModalHandler(std::function<void(QDialog *)> handler); // empty: exec() again
// How many windows shown by showModal() are running their event loop now.
int modalWindowLoops();
// True while widget's window takes commands. Assistive technology can press the buttons and menu
// entries of any window, not only of the one the window system gives clicks and keys to, so a
// window refuses them:
// - under a modal window above it (a reading over the main window, a file dialog or a message box
//   over either): a command would run inside that window's event loop;
// - once hidden after it was shown: the main window, hidden under the exit screen by a reading's
//   Exit, would open a reading over the exit screen, whose Back brought it back as the program left.
// A window not shown yet is still being set up by its owner, and takes them.
bool takesCommands(const QWidget *widget);
// Connects a button's or menu entry's signal to window's command, which runs only while window
// takes commands (see takesCommands): a reading opened under a modal window would nest inside the
// one on show, and Back or Exit under Save's file dialog would destroy the window, and the dialog
// with it, under the code that opened the dialog.
template<typename Sender, typename Signal, typename Window>
void connectCommand(Sender *sender, Signal signal, Window *window, void (Window::*command)())
{
    QObject::connect(sender, signal, window, [window, command] {
        if (takesCommands(window))
            (window->*command)();
    });
}

// The output of every print job from now on: the system's default printer (an empty name, as at
// start), or, for tests, the PDF file with this name.
void setPrintOutputFile(const QString &pdfFileName);
QString printOutputFile();

// Ends the program: the event loop exits with status 0. Tests replace how (empty: as at start).
void quitProgram();
void setQuitHandler(std::function<void()> handler);

} // namespace platform
