#include "gui/documents/readingcommands.h"

#include "core/documents/exportnames.h"
#include "core/documents/savedreadingfile.h"
#include "core/readings/reading.h"
#include "gui/documents/readingpdf.h"
#include "gui/documents/readingprinter.h"
#include "gui/documents/richtextbox.h"
#include "gui/platform/seams.h"
#include "core/readings/validation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QTextDocument>

#include <cerrno>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace documents {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("documents", text);
}

// True when path is, or leads through, a link the kernel would refuse to follow where it guards
// shared folders (fs.protected_symlinks): a link in a folder everyone may write to and that keeps
// its entries to their owners (sticky, as /tmp), made by neither this user nor the folder's owner.
// QSaveFile reads links by itself rather than opening through them, so the kernel never looks, and
// another user's link could have the reading written over any file of this user's.
bool leadsThroughAnotherUsersLink(const QString &path)
{
    // Neither the path nor its folder is tidied, as QFileInfo would: the system, and QSaveFile with
    // it, reads "link/.." as the folder above the link's target, not the folder the link is in.
    QString current = QFileInfo(path).isRelative() ? QDir::current().filePath(path) : path;
    for (int depth = 0; depth < 40; ++depth) { // the kernel's own limit on a chain of links
        struct stat link {};
        if (::lstat(QFile::encodeName(current).constData(), &link) != 0 || !S_ISLNK(link.st_mode))
            return false;
        const qsizetype slash = current.lastIndexOf(QLatin1Char('/'));
        struct stat folder {};
        if (::stat(QFile::encodeName(slash > 0 ? current.left(slash) : QStringLiteral("/")).constData(), &folder) != 0)
            return false;
        if ((folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH) && link.st_uid != ::geteuid()
            && link.st_uid != folder.st_uid)
            return true;
        current = QFileInfo(current).symLinkTarget();
    }
    return false;
}

// Writes bytes in place of the file at path, all or nothing: a failed write leaves an earlier
// file exactly as it was. On failure reason says why.
bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    const QFileInfo info(path);
    if (info.exists() && info.isFile() && !info.isWritable()) {
        // Replacing the file would succeed in a writable folder; the user's protection wins.
        *reason = tr("The file is read-only.");
        return false;
    }
    // The new file would be renamed over a pipe or a device (root may even replace /dev/null
    // through a link), so that whatever reads it lost it for good. A folder gets Qt's own reason.
    if (info.exists() && !info.isFile() && !info.isDir()) {
        *reason = tr("It is a pipe, a device or a socket, not a file.");
        return false;
    }
    if (leadsThroughAnotherUsersLink(path)) {
        *reason = tr("It is a link that another user put in a folder everyone may write to; it could lead to any "
                     "of your files.");
        return false;
    }
    QSaveFile file(path);
    // Unbuffered, so that a write the disk refuses (full, gone) fails here and not in a flush at
    // commit(), which would go unnoticed and put an empty file in place of the earlier one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *reason = file.errorString();
        return false;
    }
    // QSaveFile gives the new copy the earlier file's mode but makes it this user's, in this user's
    // group: a file shared through a group would be shut to the group, and one root saved over shut
    // to its owner. The copy takes the earlier owner and group where the system lets it (root may
    // give it to anyone, a user to a group of theirs), before anything is written into it.
    struct stat earlier {};
    if (::stat(QFile::encodeName(path).constData(), &earlier) == 0 && S_ISREG(earlier.st_mode)
        && ::fchown(file.handle(), earlier.st_uid, earlier.st_gid) != 0
        && ::fchown(file.handle(), uid_t(-1), earlier.st_gid) != 0) {
        // Neither is allowed: the copy stays this user's, in this user's group, as a new file is.
    }
    // A write cut short (the disk filled up on the way) is not an error to QFile; the next one
    // fails and says why. Whatever fails, the unfinished copy goes away with file and the earlier
    // file stays.
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            *reason = file.errorString();
            return false;
        }
        written += n;
    }
    // commit() syncs the copy to the disk without saying whether that worked, and on a network
    // file system or a failing disk that is where a write is refused.
    int synced;
    do {
        synced = ::fdatasync(file.handle());
    } while (synced != 0 && errno == EINTR);
    if (synced != 0) {
        *reason = qt_error_string(errno);
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

// A PDF file's name ends in .pdf, in any case; a name that does not gets it.
QString pdfPath(const QString &chosen)
{
    return chosen.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ? chosen : chosen + QLatin1String(".pdf");
}

// The dialog asked before replacing the file it was given; a name that gained its type's suffix
// may name another file that exists, and the user is asked about that one.
bool mayReplace(QWidget *parent, const QString &chosen, const QString &path)
{
    return path == chosen || !QFileInfo::exists(path)
           || platform::MessageBox::confirm(parent, tr("%1 already exists.\nDo you want to replace it?")
                                                        .arg(QFileInfo(path).fileName()));
}

// Qt hands the finished job to the print server (CUPS) without looking at the answer: a queue that
// rejects jobs, a printer removed a moment ago or a server that has stopped loses the reading
// without a word. libcups keeps the answer to its last request on this thread; the job was the last
// one. True, with the server's reason, when it refused.
bool printServerRefusedJob(QString *reason)
{
    static QLibrary cups(QStringLiteral("cups"), 2); // already loaded by Qt's printer support
    using LastError = int (*)();
    using LastErrorString = const char *(*)();
    const auto lastError = reinterpret_cast<LastError>(cups.resolve("cupsLastError"));
    const auto lastErrorString = reinterpret_cast<LastErrorString>(cups.resolve("cupsLastErrorString"));
    constexpr int firstError = 0x0400; // IPP's client-error-bad-request; every status below it is a success
    if (!lastError || lastError() < firstError)
        return false;
    if (lastErrorString && lastErrorString())
        *reason = QString::fromLocal8Bit(lastErrorString());
    return true;
}

} // namespace

void PrintReading(RichTextBox *box, QWidget *parent)
{
    if (!box)
        return;
    box->setSelLength(0);

    QPrinter printer(QPrinter::HighResolution);
    const QString pdfFileName = platform::printOutputFile();
    if (pdfFileName.isEmpty()) {
        // Without a printer Qt would quietly write a PDF file somewhere instead.
        const QString noPrinter = tr("No printer is set up on this computer, so the reading cannot be printed.");
        const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
        if (defaultPrinter.isNull()) {
            platform::MessageBox::warning(parent, QPrinterInfo::availablePrinterNames().isEmpty()
                                                      ? noPrinter
                                                      : tr("No printer is chosen as the default printer on this "
                                                           "computer, so the reading cannot be printed."));
            return;
        }
        printer.setPrinterName(defaultPrinter.printerName());
        if (printer.outputFormat() != QPrinter::NativeFormat || !printer.isValid()) {
            platform::MessageBox::warning(parent, noPrinter);
            return;
        }
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFileName);
    }
    printer.setDocName(box->window()->windowTitle());

    // On paper the reading has the size the box was given, as in its PDF, whatever Ctrl with the
    // wheel made it on screen.
    std::unique_ptr<QTextDocument> paper(box->document()->clone());
    paper->setDefaultFont(box->unzoomedFont());
    QString reason;
    if (!paintReadingPages(*paper, printer) || printer.printerState() == QPrinter::Error
        || printer.printerState() == QPrinter::Aborted
        || (pdfFileName.isEmpty() && printServerRefusedJob(&reason))) {
        platform::MessageBox::warning(parent, reason.isEmpty() ? tr("The reading could not be printed.")
                                                               : tr("The reading could not be printed.\n\n%1").arg(reason));
    }
}

QString SaveReading(QWidget *parent, const readings::PartnerDetails &details)
{
    platform::FileDialog::Options options;
    options.title = QStringLiteral("Save Your Numerology Compatibility Result ....");
    options.filter = QStringLiteral("Rich Text Format (*.kvl)");
    options.defaultSuffix = QStringLiteral("kvl");
    options.pathWritten = &SavedReadingFile::savePath;
    const QString chosen = platform::FileDialog::getSaveFileName(parent, options);
    if (chosen.isEmpty())
        return QString(); // Cancel

    const QString path = SavedReadingFile::savePath(chosen);
    if (!mayReplace(parent, chosen, path))
        return QString();

    const QByteArray bytes = SavedReadingFile::toBytes(details);
    QString reason;
    if (bytes.size() > SavedReadingFile::MaximumSize) {
        reason = tr("The names are too long: a saved reading holds at most %1 KiB.")
                     .arg(SavedReadingFile::MaximumSize / 1024);
    } else if (const readings::ValidationResult check = readings::checkSavedDetails(details); !check.ok) {
        // Open would refuse the file; better to say so now than to leave a file that never opens.
        reason = check.message;
    } else if (writeWholeFile(path, bytes, &reason)) {
        return path;
    }
    platform::MessageBox::warning(parent, tr("The reading could not be saved to \"%1\".\n\n%2")
                                              .arg(QDir::toNativeSeparators(path), reason));
    return QString();
}

void ExportReadingAsPdf(QWidget *parent, const readings::PartnerDetails &details)
{
    platform::FileDialog::Options options;
    options.title = tr("Export as PDF");
    options.filter = tr("PDF files (*.pdf)");
    options.defaultSuffix = QStringLiteral("pdf");
    options.suggestedName = suggestedExportFileName(details);
    options.pathWritten = &pdfPath;
    const QString chosen = platform::FileDialog::getSaveFileName(parent, options);
    if (chosen.isEmpty())
        return; // Cancel
    const QString path = pdfPath(chosen);
    if (!mayReplace(parent, chosen, path))
        return;

    const QByteArray pdf = readingPdf(readings::comprehensiveReading(details), exportTitle(details));
    QString reason = tr("The PDF file could not be made.");
    if (pdf.isEmpty() || !writeWholeFile(path, pdf, &reason)) {
        platform::MessageBox::warning(parent, tr("The reading could not be exported to \"%1\".\n\n%2")
                                                  .arg(QDir::toNativeSeparators(path), reason));
    }
}

} // namespace documents
