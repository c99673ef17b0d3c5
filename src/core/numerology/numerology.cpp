#include "core/numerology/numerology.h"

#include "core/numerology/calendar.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>

namespace numerology {

namespace {

// Adds the decimal number in text to total, rounded half to even, or leaves total alone when
// the text is no number or the sum leaves the 16-bit range. Returns what total grew by.
int addDecimal(qint16 &total, const QString &text)
{
    bool ok = false;
    // The lists hold plain decimal numbers; "C" reads them the same in every locale.
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return 0;
    const double sum = std::nearbyint(static_cast<double>(total) + value); // FE_TONEAREST: half to even
    if (sum < std::numeric_limits<qint16>::min() || sum > std::numeric_limits<qint16>::max())
        return 0;
    const int before = total;
    total = static_cast<qint16>(sum);
    return total - before;
}

// Adds the value of letter to a letter total, unless that would take it past 32,767; returns what
// was added.
int addLetter(qint16 &total, QChar letter)
{
    const int value = letterValue(letter);
    if (value == 0 || total > std::numeric_limits<qint16>::max() - value)
        return 0;
    total = static_cast<qint16>(total + value);
    return value;
}

// The decimal digits of n without its sign, the first one first.
QVarLengthArray<qint16, 5> digitsOf(int n)
{
    QVarLengthArray<qint16, 5> digits;
    n = std::abs(n);
    do {
        digits.append(static_cast<qint16>(n % 10));
        n /= 10;
    } while (n > 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

// Calls visit(character, position) for each character of text in turn, as toUcs4() reads it: a
// surrogate pair is one character, a lone surrogate is U+FFFD.
template<typename Visit>
void forEachCharacter(QStringView text, Visit visit)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype position = i;
        char32_t character = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            character = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        } else if (text[i].isSurrogate()) {
            character = QChar::ReplacementCharacter;
        }
        visit(character, position);
    }
}

// Latin letters that have no decomposition, and the letters they are read as.
struct SpelledOut {
    char32_t character;
    QLatin1String letters;
};

constexpr SpelledOut kSpelledOut[] = {
    {U'\u00DF', QLatin1String("SS")}, {U'\u1E9E', QLatin1String("SS")}, // ß ẞ
    {U'\u00C6', QLatin1String("AE")}, {U'\u00E6', QLatin1String("AE")}, // Æ æ
    {U'\u0152', QLatin1String("OE")}, {U'\u0153', QLatin1String("OE")}, // Œ œ
    {U'\u00D8', QLatin1String("O")},  {U'\u00F8', QLatin1String("O")},  // Ø ø
    {U'\u0141', QLatin1String("L")},  {U'\u0142', QLatin1String("L")},  // Ł ł
    {U'\u0110', QLatin1String("D")},  {U'\u0111', QLatin1String("D")},  // Đ đ (D with stroke, not the eth)
    {U'\u00DE', QLatin1String("TH")}, {U'\u00FE', QLatin1String("TH")}, // Þ þ
};

bool isLetterAtoZ(char32_t c)
{
    return c >= U'A' && c <= U'Z';
}

void appendCountedLetters(QString &letters, char32_t character)
{
    // Names are mostly ASCII, and ASCII decomposes to itself.
    if (character < 0x80) {
        const char32_t upper = character >= U'a' && character <= U'z' ? character - (U'a' - U'A') : character;
        if (isLetterAtoZ(upper))
            letters += QChar(upper);
        return;
    }

    const QString decomposed = QString::fromUcs4(&character, 1).normalized(QString::NormalizationForm_KD);
    for (const char32_t part : decomposed.toUcs4()) {
        if (QChar::isMark(part))
            continue;
        const auto spelled = std::find_if(std::begin(kSpelledOut), std::end(kSpelledOut),
                                          [part](const SpelledOut &s) { return s.character == part; });
        if (spelled != std::end(kSpelledOut)) {
            letters += spelled->letters;
            continue;
        }
        const char32_t upper = QChar::toUpper(part);
        if (isLetterAtoZ(upper))
            letters += QChar(upper);
    }
}

} // namespace

int letterValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u < u'A' || u > u'Z')
        return 0;
    // A J S = 1, B K T = 2, ... I R = 9
    return (u - u'A') % 9 + 1;
}

Reduction reduce(qint16 total)
{
    Reduction r;
    r.total = total;
    int n = total;
    if (n < 0 || n > 9) {
        ReductionStep digitSum;
        digitSum.digits = digitsOf(n);
        for (const qint16 digit : digitSum.digits)
            digitSum.sum = static_cast<qint16>(digitSum.sum + digit);
        n = digitSum.sum;
        r.steps.append(digitSum);
    }
    if (n > 9) {
        const QVarLengthArray<qint16, 5> digits = digitsOf(n);
        ReductionStep firstAndLast;
        firstAndLast.digits = {digits.front(), digits.back()};
        firstAndLast.sum = static_cast<qint16>(digits.front() + digits.back());
        n = firstAndLast.sum;
        r.steps.append(firstAndLast);
    }
    r.tenCountsAsOne = n == 10;
    r.number = static_cast<qint16>(r.tenCountsAsOne ? 1 : n);
    return r;
}

LifePathWorking lifePathWorking(const QString &day, const QString &month, const QString &year)
{
    LifePathWorking working;
    qint16 total = 0;
    working.day = addDecimal(total, day);
    const int month_ = monthNumber(month);
    if (total <= std::numeric_limits<qint16>::max() - month_) {
        total = static_cast<qint16>(total + month_);
        working.month = month_;
    }
    working.year = addDecimal(total, year);
    working.reduction = reduce(total);
    return working;
}

qint16 SingleDigitNumber(const QString &day, const QString &month, const QString &year)
{
    return lifePathWorking(day, month, year).reduction.number;
}

qint16 StringToNumber(const QString &text)
{
    qint16 sum = 0;
    for (QChar c : text)
        addLetter(sum, c);
    return reduce(sum).number;
}

QString countedLetters(char32_t character)
{
    QString letters;
    appendCountedLetters(letters, character);
    return letters;
}

QString countedLetters(QStringView text)
{
    QString letters;
    letters.reserve(text.size());
    forEachCharacter(text, [&letters](char32_t character, qsizetype) { appendCountedLetters(letters, character); });
    return letters;
}

qint16 destinyNumber(QStringView name)
{
    return StringToNumber(countedLetters(name));
}

DestinyWorking destinyWorking(QStringView name)
{
    DestinyWorking working;
    working.letters.reserve(name.size());
    working.characters.reserve(name.size());
    qint16 total = 0;
    forEachCharacter(name, [&](char32_t character, qsizetype position) {
        CountedCharacter counted;
        counted.character = character;
        counted.position = position;
        counted.firstLetter = working.letters.size();
        appendCountedLetters(working.letters, character);
        counted.letterCount = working.letters.size() - counted.firstLetter;
        for (const QChar letter : working.lettersOf(counted)) {
            counted.value += letterValue(letter);
            counted.added += addLetter(total, letter);
        }
        working.characters.append(counted);
    });
    working.reduction = reduce(total);
    return working;
}

QString CombinationKey(qint16 male, qint16 female)
{
    return QString::number(male) + QString::number(female);
}

} // namespace numerology
