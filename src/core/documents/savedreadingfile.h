#pragma once

#include "core/readings/partnerdetails.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace documents {

// A saved reading on disk: the couple's twelve details, each passed through ScrambleText, one per
// line in the order of readings::PartnerDetails::toList(), every line ending CR LF, in UTF-8.
//
// Reading takes LF line ends and extra lines after the twelfth, as an editor may leave them, but
// refuses the file as a whole unless it is a reading that the main window can show exactly as
// stored: at most MaximumSize bytes of valid UTF-8 without NUL bytes, and twelve details that pass
// readings::checkSavedDetails(). A character that would begin a new line of a reading (a tab, a
// line separator: see readings::onOneLine) reads as a blank first, as a name box shows it. A
// refused file changes no input.
class SavedReadingFile
{
public:
    static constexpr int LineCount = 12;
    // Far more than any couple's names need. Save refuses details that would not fit, so every
    // file it writes opens again.
    static constexpr qint64 MaximumSize = 64 * 1024;

    static QByteArray toBytes(const readings::PartnerDetails &details);

    // The details in bytes, or nothing when the bytes are not a saved reading as described above.
    static std::optional<readings::PartnerDetails> fromBytes(const QByteArray &bytes);

    // Reads and parses the file at path; nothing when it is not a readable regular file of at most
    // MaximumSize bytes or fromBytes() refuses its content. A pipe or device in place of the file
    // is refused at once, never waited on. systemRefused, when given, tells whether the system had
    // no room to open the file (out of descriptors or memory), which says nothing about the file.
    static std::optional<readings::PartnerDetails> read(const QString &path, bool *systemRefused = nullptr);

    // The path a reading chosen to be saved at path is written to: path itself when it ends in
    // ".kvl", which Open requires, and otherwise path with ".kvl" added, so that a name with a
    // dot of its own ("J.Smith") still opens again.
    static QString savePath(const QString &path);
};

// True when the folder of path holds a name that is not path's in the system's bytes but reads as
// it. Qt reads a name that is not UTF-8 with U+FFFD in place of the bytes it cannot read, and so
// hands back that text from a file dialog, a command line or a dropped file: it names another
// file, a look-alike of the one the user meant.
bool hasUnreadableLookAlike(const QString &path);

} // namespace documents
