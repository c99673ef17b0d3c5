#pragma once

#include "core/readings/partnerdetails.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace documents {

// A saved reading on disk: the couple's twelve details, each passed through ScrambleText, one per
// line in the order of readings::PartnerDetails::toList(), every line ending CR LF, in UTF-8.
//
// Reading is forgiving about what a person could have done to the file (LF line ends, fewer lines,
// extra lines after the twelfth) but refuses what cannot be a saved reading at all: a file that
// cannot be read, one larger than MaximumSize, or one holding NUL bytes.
class SavedReadingFile
{
public:
    static constexpr int LineCount = 12;
    // Far more than any couple's names need. Save refuses details that would not fit, so every
    // file it writes opens again.
    static constexpr qint64 MaximumSize = 64 * 1024;

    static QByteArray toBytes(const readings::PartnerDetails &details);

    // The details in bytes, or nothing when the bytes cannot be a saved reading. Missing lines
    // count as empty details.
    static std::optional<readings::PartnerDetails> fromBytes(const QByteArray &bytes);

    // Reads and parses the file at path; nothing when it is not a readable regular file of at most
    // MaximumSize bytes or fromBytes() refuses its content.
    static std::optional<readings::PartnerDetails> read(const QString &path);
};

} // namespace documents
