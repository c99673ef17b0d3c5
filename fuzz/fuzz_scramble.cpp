// Scrambling any valid text (no lone surrogates) gives one line that unscrambles to the text,
// except that line breaks and NUL come back as blanks: a scrambled value never spans two lines.
//
// The first byte chooses how the rest is read: as UTF-8 (malformed sequences become U+FFFD, so
// every input is valid text) or as UTF-16, where inputs with lone surrogates are skipped.
#include "fuzzcheck.h"

#include "core/documents/scramble.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

using documents::ScrambleText;
using documents::UnscrambleText;

namespace {

bool hasLoneSurrogate(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return true;
    }
    return false;
}

QString withBreaksAsBlanks(QString text)
{
    for (QChar &c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0))
            c = QLatin1Char(' ');
    }
    return text;
}

bool isOneLine(const QString &text)
{
    return !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QChar(0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool utf16 = data[0] & 1;
    const char *rest = reinterpret_cast<const char *>(data + 1);
    const std::size_t restSize = size - 1;

    QString text;
    if (utf16) {
        text.resize(static_cast<qsizetype>(restSize / 2));
        std::memcpy(text.data(), rest, restSize / 2 * 2);
        if (hasLoneSurrogate(text))
            return 0;
    } else {
        text = QString::fromUtf8(rest, static_cast<qsizetype>(restSize));
    }

    const QString scrambled = ScrambleText(text);
    FUZZ_CHECK(isOneLine(scrambled));
    FUZZ_CHECK(!hasLoneSurrogate(scrambled));
    FUZZ_CHECK(UnscrambleText(scrambled) == withBreaksAsBlanks(text));

    // The shift works both ways round: text that is already one line survives the reverse order.
    if (isOneLine(text))
        FUZZ_CHECK(ScrambleText(UnscrambleText(text)) == text);
    return 0;
}
