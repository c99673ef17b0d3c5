#include "core/numerology/numerology.h"

#include "core/numerology/calendar.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace numerology {

namespace {

// Adds the decimal number in text to total, rounded half to even, or leaves total alone when
// the text is no number or the sum leaves the 16-bit range.
void addDecimal(qint16 &total, const QString &text)
{
    bool ok = false;
    // The lists hold plain decimal numbers; "C" reads them the same in every locale.
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return;
    const double sum = std::nearbyint(static_cast<double>(total) + value); // FE_TONEAREST: half to even
    if (sum < std::numeric_limits<qint16>::min() || sum > std::numeric_limits<qint16>::max())
        return;
    total = static_cast<qint16>(sum);
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

qint16 SingleDigitNumber(const QString &day, const QString &month, const QString &year)
{
    qint16 total = 0;
    addDecimal(total, day);
    const int month_ = monthNumber(month);
    if (total <= std::numeric_limits<qint16>::max() - month_)
        total = static_cast<qint16>(total + month_);
    addDecimal(total, year);

    // One digit sum, then first digit plus last digit: a single further step, not repeated.
    const QString digits = QString::number(total);
    qint16 digitSum = 0;
    for (QChar c : digits) {
        if (c.isDigit())
            digitSum = static_cast<qint16>(digitSum + c.digitValue());
    }
    const QString sumText = QString::number(digitSum);
    qint16 result = digitSum;
    if (sumText.size() >= 2)
        result = static_cast<qint16>(sumText.front().digitValue() + sumText.back().digitValue());

    return result == 10 ? 1 : result;
}

qint16 StringToNumber(const QString &text)
{
    qint16 sum = 0;
    for (QChar c : text) {
        const int value = letterValue(c);
        if (value > 0 && sum <= std::numeric_limits<qint16>::max() - value)
            sum = static_cast<qint16>(sum + value);
    }
    return SingleDigitNumber(QString::number(sum), QStringLiteral("0"), QStringLiteral("0"));
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
    for (const char32_t character : text.toUcs4())
        appendCountedLetters(letters, character);
    return letters;
}

qint16 destinyNumber(QStringView name)
{
    return StringToNumber(countedLetters(name));
}

QString CombinationKey(qint16 male, qint16 female)
{
    return QString::number(male) + QString::number(female);
}

} // namespace numerology
