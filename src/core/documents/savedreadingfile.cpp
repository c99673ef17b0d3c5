#include "core/documents/savedreadingfile.h"

#include "core/documents/scramble.h"
#include "core/readings/validation.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace documents {

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";
const QLatin1String kExtension(".kvl");

// At most maximumSize bytes of the regular file at path. The file is opened without waiting and
// looked at through the opened descriptor, so a pipe or device put in its place after anyone
// looked at the name can neither stall the open nor feed a read that never ends.
std::optional<QByteArray> readRegularFile(const QString &path, qint64 maximumSize, bool *systemRefused)
{
    // The system reads a name only up to a NUL: the file there is another one. A name beside
    // one that is not UTF-8 and reads as it may be the look-alike of the file the user picked.
    if (path.contains(QChar(0)) || hasUnreadableLookAlike(path))
        return std::nullopt;
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        if (systemRefused)
            *systemRefused = errno == EMFILE || errno == ENFILE || errno == ENOMEM;
        return std::nullopt;
    }
    QFile file;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > maximumSize)
        return std::nullopt;
    // One byte more than allowed shows a file that grew after it was looked at.
    const QByteArray bytes = file.read(maximumSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > maximumSize)
        return std::nullopt;
    return bytes;
}

} // namespace

QByteArray SavedReadingFile::toBytes(const readings::PartnerDetails &details)
{
    QByteArray bytes;
    for (const QString &detail : details.toList()) {
        bytes += ScrambleText(detail).toUtf8();
        bytes += "\r\n";
    }
    // A first detail whose scrambled text begins with U+FEFF would be taken for a byte order mark
    // and lost on reading; a byte order mark in front keeps it.
    if (bytes.startsWith(kByteOrderMark))
        bytes.prepend(kByteOrderMark);
    return bytes;
}

std::optional<readings::PartnerDetails> SavedReadingFile::fromBytes(const QByteArray &bytes)
{
    if (bytes.size() > MaximumSize || bytes.contains('\0'))
        return std::nullopt;

    QStringDecoder decoder(QStringDecoder::Utf8); // skips a leading byte order mark
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;

    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList details;
    for (int i = 0; i < LineCount && i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // Save once wrote a name as its box held it, with a pasted tab or line separator; such a
        // character reads as the blank a name box now puts in its place, so the name keeps to its
        // line and the reading opens as before.
        details.append(readings::onOneLine(UnscrambleText(line)));
    }
    // Missing lines count as empty details, which the check below refuses as it refuses any
    // detail the main window could not show as it stands.
    const readings::PartnerDetails read = readings::PartnerDetails::fromList(details);
    if (!readings::checkSavedDetails(read).ok)
        return std::nullopt;
    return read;
}

std::optional<readings::PartnerDetails> SavedReadingFile::read(const QString &path, bool *systemRefused)
{
    if (systemRefused)
        *systemRefused = false;
    const std::optional<QByteArray> bytes = readRegularFile(path, MaximumSize, systemRefused);
    if (!bytes)
        return std::nullopt;
    return fromBytes(*bytes);
}

QString SavedReadingFile::savePath(const QString &path)
{
    return path.endsWith(kExtension) ? path : path + kExtension;
}

bool hasUnreadableLookAlike(const QString &path)
{
    // The folder as the system reads it: not tidied, as "link/.." is not the folder the link is in.
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString name = path.mid(slash + 1);
    if (!name.contains(QChar::ReplacementCharacter))
        return false; // Qt reads every name it cannot read with U+FFFD in it
    const QString folderPath = slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
    const QByteArray exact = QFile::encodeName(name);
    DIR *folder = ::opendir(QFile::encodeName(folderPath).constData());
    if (!folder)
        return false;
    bool found = false;
    while (const dirent *entry = ::readdir(folder)) {
        const QByteArray bytes(entry->d_name);
        if (bytes != exact && QFile::decodeName(bytes) == name) {
            found = true;
            break;
        }
    }
    ::closedir(folder);
    return found;
}

} // namespace documents
