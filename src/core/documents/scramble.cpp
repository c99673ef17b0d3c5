#include "core/documents/scramble.h"

#include <QList>

namespace documents {

namespace {

// The characters that take part in the shift: scalar values from the blank up, without surrogates.
constexpr char32_t kFirst = 0x20;
constexpr char32_t kSurrogateFirst = 0xD800;
constexpr char32_t kSurrogateCount = 0x800;
constexpr char32_t kLast = 0x10FFFF;
constexpr char32_t kCount = kLast - kFirst + 1 - kSurrogateCount;

char32_t rankOf(char32_t c)
{
    return c < kSurrogateFirst ? c - kFirst : c - kFirst - kSurrogateCount;
}

char32_t characterOf(char32_t rank)
{
    const char32_t c = rank + kFirst;
    return c < kSurrogateFirst ? c : c + kSurrogateCount;
}

QString shift(const QString &text, char32_t offset)
{
    QString result;
    result.reserve(text.size());
    const QList<uint> codes = text.toUcs4(); // a lone surrogate arrives as U+FFFD
    for (uint code : codes) {
        char32_t c = code;
        if (c == u'\r' || c == u'\n' || c == 0)
            c = u' ';
        if (c >= kFirst && c <= kLast)
            c = characterOf((rankOf(c) + offset) % kCount);
        if (QChar::requiresSurrogates(c)) {
            result.append(QChar(QChar::highSurrogate(c)));
            result.append(QChar(QChar::lowSurrogate(c)));
        } else {
            result.append(QChar(char16_t(c)));
        }
    }
    return result;
}

} // namespace

QString ScrambleText(const QString &text)
{
    return shift(text, ScrambleOffset);
}

QString UnscrambleText(const QString &text)
{
    return shift(text, kCount - ScrambleOffset);
}

} // namespace documents
