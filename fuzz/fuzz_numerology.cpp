// Digit reduction of arbitrary texts: StringToNumber, destinyNumber and SingleDigitNumber always
// give 0 to 9 or 11; StringToNumber counts only the letters A to Z; a name counts as letters A to Z
// only, the same in every case, and a name in plain ASCII as its own letters upper-cased.
//
// The input is read as UTF-8; for SingleDigitNumber its lines are the day, month and year.
#include "fuzzcheck.h"

#include "core/numerology/numerology.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

using numerology::countedLetters;
using numerology::SingleDigitNumber;
using numerology::StringToNumber;

namespace {

bool isDigitResult(qint16 n)
{
    return (n >= 0 && n <= 9) || n == 11;
}

QString lettersOnly(const QString &text)
{
    QString letters;
    for (const QChar c : text) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            letters.append(c);
    }
    return letters;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    const qint16 number = StringToNumber(text);
    FUZZ_CHECK(isDigitResult(number));
    FUZZ_CHECK(StringToNumber(lettersOnly(text)) == number);
    FUZZ_CHECK(isDigitResult(StringToNumber(text.toUpper())));

    const QString letters = countedLetters(text);
    FUZZ_CHECK(lettersOnly(letters) == letters);
    FUZZ_CHECK(countedLetters(text.toUpper()) == letters);
    FUZZ_CHECK(countedLetters(text.toLower()) == letters);
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        FUZZ_CHECK(letters == lettersOnly(text.toUpper()));
    FUZZ_CHECK(isDigitResult(numerology::destinyNumber(text)));

    const QStringList parts = text.split(QLatin1Char('\n'));
    const QString day = parts.value(0);
    const QString month = parts.value(1);
    const QString year = parts.value(2);
    FUZZ_CHECK(isDigitResult(SingleDigitNumber(day, month, year)));
    return 0;
}
