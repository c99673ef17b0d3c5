// Opening a saved reading from arbitrary bytes: the outcome is either the twelve details or a
// refusal, and a refused file is one that is too large or holds a NUL byte. A file that opened
// saves again to bytes that open to the same details.
#include "fuzzcheck.h"

#include "core/documents/savedreadingfile.h"

#include <cstddef>
#include <cstdint>

using documents::SavedReadingFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto details = SavedReadingFile::fromBytes(bytes);

    const bool mustRefuse = bytes.size() > SavedReadingFile::MaximumSize || bytes.contains('\0');
    FUZZ_CHECK(details.has_value() != mustRefuse);
    if (!details)
        return 0;

    const QStringList list = details->toList();
    FUZZ_CHECK(list.size() == SavedReadingFile::LineCount);
    for (const QString &detail : list) {
        FUZZ_CHECK(!detail.contains(QLatin1Char('\r')) && !detail.contains(QLatin1Char('\n')));
        FUZZ_CHECK(!detail.contains(QChar(0)));
    }

    const QByteArray saved = SavedReadingFile::toBytes(*details);
    if (saved.size() <= SavedReadingFile::MaximumSize) {
        const auto reopened = SavedReadingFile::fromBytes(saved);
        FUZZ_CHECK(reopened.has_value());
        FUZZ_CHECK(*reopened == *details);
    }
    return 0;
}
