#include "gui/platform/seams.h"

#include "core/program/version.h"

#include <QCoreApplication>
#include <QDialog>
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

// Qt's own save dialog reads a name with double quotes in it as a list of quoted names and keeps
// only the first: "John "Jack" Smith" would save as Jack.kvl. Such a name is refused before the
// dialog acts on it, and the dialog stays open with the name as typed.
class SaveDialog final : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        // Only Qt's own dialog has the name box; a desktop's native dialog takes names as typed.
        const auto *nameBox = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (nameBox && nameBox->text().contains(QLatin1Char('"'))) {
            MessageBox::warning(this, QCoreApplication::translate("FileDialog",
                                          "%1 cannot be a file name here: the dialog takes double quotes as a list "
                                          "of names.\nPlease choose another file name.")
                                          .arg(nameBox->text()));
            return;
        }
        QFileDialog::accept();
    }
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

    SaveDialog dialog(parent, options.title, QString(), options.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(options.defaultSuffix);
    if (!options.suggestedName.isEmpty())
        dialog.selectFile(options.suggestedName);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        fileName = dialog.selectedFiles().constFirst();
        const QFileInfo info(fileName);
        if (!info.exists() || info.isWritable())
            return fileName;
        // A read-only file is refused: say so and let the user pick again.
        MessageBox::warning(&dialog, QCoreApplication::translate("FileDialog",
                                        "%1 is read-only.\nPlease choose another file name.")
                                         .arg(info.fileName()));
    }
}

QString FileDialog::getOpenFileName(QWidget *parent, const Options &options)
{
    QString fileName;
    if (takeNextFileName(false, options, &fileName))
        return fileName;

    QFileDialog dialog(parent, options.title, QString(), options.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(options.defaultSuffix);
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
