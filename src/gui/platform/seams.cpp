#include "gui/platform/seams.h"

#include "core/documents/savedreadingfile.h"
#include "core/program/version.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QQueue>

namespace platform {

namespace {

struct SeamState {
    bool messageTestMode = false;
    QQueue<QMessageBox::StandardButton> answers;
    QList<MessageBox::Shown> shown;
    QQueue<QString> fileNames;
    QList<FileDialog::Asked> asked;
    std::function<void(QDialog *)> modalHandler;
    int modalWindowLoops = 0;
    QString printOutputFile;
    std::function<void()> quitHandler;
};

SeamState &state()
{
    static SeamState s;
    return s;
}

// Qt's own file dialog, refusing in place what the program cannot use, so that the user picks
// again in the dialog as it was:
// - on saving, a name with double quotes in it: the dialog reads it as a list of quoted names and
//   keeps only the first, so "John "Jack" Smith" would save as Jack.kvl;
// - on saving, a file in a folder that does not exist;
// - a name that shows a file whose name is not UTF-8: Qt reads such a name with U+FFFD in place
//   of the bytes it cannot read and hands back that text, which names another file, so the file
//   picked would stay as it was and its look-alike be written, replaced or opened;
// - a read-only file: it cannot be saved over, and a reading is opened only from a file the user
//   may also save it to again.
class CheckedFileDialog final : public QFileDialog
{
public:
    CheckedFileDialog(QWidget *parent, const FileDialog::Options &options)
        : QFileDialog(parent, options.title, QString(), options.filter)
        , m_pathWritten(options.pathWritten)
    {
        setDefaultSuffix(options.defaultSuffix);
    }

    void accept() override
    {
        const QString refused = refusal();
        if (!refused.isEmpty()) {
            MessageBox::warning(this, refused);
            return;
        }
        QFileDialog::accept();
    }

private:
    QString refusal() const
    {
        const bool saving = acceptMode() == QFileDialog::AcceptSave;
        // Only Qt's own dialog has the name box; a desktop's native dialog takes names as typed.
        const auto *nameBox = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        const QString typed = nameBox ? nameBox->text() : QString();
        const QStringList chosen = selectedFiles();
        if (saving && typed.contains(QLatin1Char('"'))) {
            return QCoreApplication::translate("FileDialog",
                                               "%1 cannot be a file name here: the dialog takes double quotes as a "
                                               "list of names.\nPlease choose another file name.")
                .arg(typed);
        }
        // Opening, a name with quotes is read as a list too, and the file named between them would
        // open in place of the one named: "John "Jack" Smith.kvl" opens Jack.kvl. Only a box that
        // names the file chosen, as a file picked in the list may, is taken.
        if (!saving && typed.contains(QLatin1Char('"'))
            && (chosen.isEmpty() || QFileInfo(chosen.constFirst()).fileName() != QFileInfo(typed).fileName())) {
            return QCoreApplication::translate("FileDialog",
                                               "%1 cannot be opened here: the dialog takes double quotes as a "
                                               "list of names.\nPlease choose another file.")
                .arg(typed);
        }
        if (chosen.isEmpty())
            return QString();
        const QFileInfo file(saving && m_pathWritten ? m_pathWritten(chosen.constFirst()) : chosen.constFirst());
        if (saving && !QFileInfo(file.absolutePath()).isDir()) {
            return QCoreApplication::translate("FileDialog",
                                               "The folder %1 does not exist.\nPlease choose another file name.")
                .arg(QDir::toNativeSeparators(file.absolutePath()));
        }
        if (documents::hasUnreadableLookAlike(file.absoluteFilePath())) {
            return saving ? QCoreApplication::translate("FileDialog",
                                                        "%1 cannot be told apart from a file in that folder whose "
                                                        "name is not written in UTF-8.\nPlease choose another file name.")
                                .arg(file.fileName())
                          : QCoreApplication::translate("FileDialog",
                                                        "%1 cannot be told apart from a file in that folder whose "
                                                        "name is not written in UTF-8.\nPlease choose another file.")
                                .arg(file.fileName());
        }
        if (file.isFile() && !file.isWritable()) {
            return saving ? QCoreApplication::translate("FileDialog",
                                                        "%1 is read-only.\nPlease choose another file name.")
                                .arg(file.fileName())
                          : QCoreApplication::translate("FileDialog", "%1 is read-only.\nPlease choose another file.")
                                .arg(file.fileName());
        }
        return QString();
    }

    std::function<QString(const QString &)> m_pathWritten;
};

} // namespace

QMessageBox::StandardButton MessageBox::show(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton)
{
    SeamState &s = state();
    if (s.messageTestMode) {
        s.shown.append({icon, text, buttons});
        return s.answers.isEmpty() ? defaultButton : s.answers.dequeue();
    }
    QMessageBox box(icon, program::name(), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBox::information(QWidget *parent, const QString &text)
{
    show(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBox::warning(QWidget *parent, const QString &text)
{
    show(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBox::critical(QWidget *parent, const QString &text)
{
    show(parent, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton MessageBox::askYesNo(QWidget *parent, const QString &text)
{
    return show(parent, QMessageBox::Information, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
}

bool MessageBox::confirm(QWidget *parent, const QString &text)
{
    return show(parent, QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

void MessageBox::setTestMode(bool on)
{
    state().messageTestMode = on;
    state().answers.clear();
    state().shown.clear();
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    state().answers.enqueue(answer);
}

QList<MessageBox::Shown> &MessageBox::shown()
{
    return state().shown;
}

bool FileDialog::takeNextFileName(bool save, const Options &options, QString *fileName)
{
    SeamState &s = state();
    if (s.fileNames.isEmpty())
        return false;
    s.asked.append({save, options});
    *fileName = s.fileNames.dequeue();
    return true;
}

QString FileDialog::getSaveFileName(QWidget *parent, const Options &options)
{
    QString fileName;
    if (takeNextFileName(true, options, &fileName))
        return fileName;

    CheckedFileDialog dialog(parent, options);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The type list reads "Rich Text Format", not the pattern Qt's filter syntax needs.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!options.suggestedName.isEmpty())
        dialog.selectFile(options.suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString FileDialog::getOpenFileName(QWidget *parent, const Options &options)
{
    QString fileName;
    if (takeNextFileName(false, options, &fileName))
        return fileName;

    CheckedFileDialog dialog(parent, options);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void FileDialog::setNextFileName(const QString &fileName)
{
    state().fileNames.enqueue(fileName);
}

QList<FileDialog::Asked> &FileDialog::asked()
{
    return state().asked;
}

void showModal(QDialog *dialog)
{
    if (state().modalHandler) {
        state().modalHandler(dialog);
    } else {
        ++state().modalWindowLoops;
        dialog->exec();
        --state().modalWindowLoops;
    }
}

int modalWindowLoops()
{
    return state().modalWindowLoops;
}

bool takesCommands(const QWidget *widget)
{
    const QWidget *window = widget ? widget->window() : nullptr;
    if (!window)
        return false;
    const QWidget *modal = QApplication::activeModalWidget();
    const bool hiddenAfterShown = window->isHidden() && window->testAttribute(Qt::WA_WState_ExplicitShowHide);
    return !hiddenAfterShown && (!modal || modal == window);
}

void setModalHandler(std::function<void(QDialog *)> handler)
{
    state().modalHandler = std::move(handler);
}

void setPrintOutputFile(const QString &pdfFileName)
{
    state().printOutputFile = pdfFileName;
}

QString printOutputFile()
{
    return state().printOutputFile;
}

void quitProgram()
{
    if (state().quitHandler)
        state().quitHandler();
    else
        QCoreApplication::exit(0);
}

void setQuitHandler(std::function<void()> handler)
{
    state().quitHandler = std::move(handler);
}

} // namespace platform
