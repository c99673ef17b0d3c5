#include "core/documents/savedreadingfile.h"

#include "core/documents/scramble.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace documents {

namespace {
const char kByteOrderMark[] = "\xEF\xBB\xBF";
}

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

    // Bytes that are not UTF-8 become replacement characters rather than a refusal: a file edited
    // by hand still opens, and the reading's own input check decides what to make of it.
    QStringDecoder decoder(QStringDecoder::Utf8); // skips a leading byte order mark
    const QString text = decoder(bytes);

    QStringList lines = text.split(QLatin1Char('\n'));
    QStringList details;
    for (int i = 0; i < LineCount && i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        details.append(UnscrambleText(line));
    }
    return readings::PartnerDetails::fromList(details);
}

std::optional<readings::PartnerDetails> SavedReadingFile::read(const QString &path)
{
    // Only a regular file: opening a pipe or a device could wait for ever or never end.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > MaximumSize)
        return std::nullopt;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // One byte more than allowed shows a file that grew after it was looked at.
    const QByteArray bytes = file.read(MaximumSize + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return fromBytes(bytes);
}

} // namespace documents
