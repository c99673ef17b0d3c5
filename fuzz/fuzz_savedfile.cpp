// Opening a saved reading from arbitrary bytes: the outcome is either the twelve details or a
// refusal, and anything too large or holding a NUL byte is refused. What opens is what the main
// window can show as stored and what a reading accepts, and it saves again to bytes that open to
// the same details.
#include "fuzzcheck.h"

#include "core/documents/savedreadingfile.h"
#include "core/readings/validation.h"

#include <cstddef>
#include <cstdint>

using documents::SavedReadingFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto details = SavedReadingFile::fromBytes(bytes);

    if (bytes.size() > SavedReadingFile::MaximumSize || bytes.contains('\0'))
        FUZZ_CHECK(!details);
    if (!details)
        return 0;

    const QStringList list = details->toList();
    FUZZ_CHECK(list.size() == SavedReadingFile::LineCount);
    for (const QString &detail : list) {
        FUZZ_CHECK(detail.size() <= readings::MaximumDetailLength);
        for (QChar c : detail)
            FUZZ_CHECK(c.category() != QChar::Other_Control);
    }
    FUZZ_CHECK(readings::checkInput(*details).ok);

    const QByteArray saved = SavedReadingFile::toBytes(*details);
    if (saved.size() <= SavedReadingFile::MaximumSize) {
        const auto reopened = SavedReadingFile::fromBytes(saved);
        FUZZ_CHECK(reopened.has_value());
        FUZZ_CHECK(*reopened == *details);
    }
    return 0;
}
