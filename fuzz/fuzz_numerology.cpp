// Digit reduction of arbitrary texts: StringToNumber, destinyNumber and SingleDigitNumber always
// give 0 to 9 or 11; StringToNumber counts only the letters A to Z; a name counts as letters A to Z
// only, the same in every case, and a name in plain ASCII as its own letters upper-cased. The
// working of a name and of a date gives the same numbers, its parts add up to its total and its
// steps to its number, and the composed working names the combinations the readings use.
//
// The input is read as UTF-8; for SingleDigitNumber its lines are the day, month and year.
#include "fuzzcheck.h"

#include "core/numerology/numerology.h"
#include "core/readings/readingtexts.h"
#include "core/readings/working.h"

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

// Each step adds digits to its sum, and the last sum is the number, a 10 counting as 1.
bool stepsAddUp(const numerology::Reduction &r)
{
    int n = r.total;
    for (const numerology::ReductionStep &step : r.steps) {
        int sum = 0;
        for (const qint16 digit : step.digits) {
            if (digit < 0 || digit > 9)
                return false;
            sum += digit;
        }
        if (sum != step.sum)
            return false;
        n = sum;
    }
    return r.tenCountsAsOne == (n == 10) && r.number == (r.tenCountsAsOne ? 1 : n);
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

    const numerology::DestinyWorking destiny = numerology::destinyWorking(text);
    FUZZ_CHECK(destiny.reduction.number == numerology::destinyNumber(text));
    FUZZ_CHECK(stepsAddUp(destiny.reduction));
    FUZZ_CHECK(destiny.letters == letters);
    qsizetype letter = 0;
    int added = 0;
    for (const numerology::CountedCharacter &c : destiny.characters) {
        FUZZ_CHECK(c.firstLetter == letter && c.added >= 0 && c.added <= c.value);
        letter += c.letterCount;
        added += c.added;
    }
    FUZZ_CHECK(letter == letters.size());
    FUZZ_CHECK(added == destiny.reduction.total);

    const QStringList parts = text.split(QLatin1Char('\n'));
    const QString day = parts.value(0);
    const QString month = parts.value(1);
    const QString year = parts.value(2);
    const qint16 lifePath = SingleDigitNumber(day, month, year);
    FUZZ_CHECK(isDigitResult(lifePath));

    const numerology::LifePathWorking date = numerology::lifePathWorking(day, month, year);
    FUZZ_CHECK(date.reduction.number == lifePath);
    FUZZ_CHECK(date.day + date.month + date.year == date.reduction.total);
    FUZZ_CHECK(stepsAddUp(date.reduction));

    // Both partners take the lines as their names and their date.
    const readings::PartnerDetails details =
        readings::PartnerDetails::fromList({day, month, year, day, month, year, month, day, year, month, day, year});
    const qint16 name = numerology::destinyNumber(readings::countedFullName(day, month, year));
    const QString working = readings::working(details).text();
    FUZZ_CHECK(working.contains(QStringLiteral("Destiny combination %1 + %1, key ").arg(name)));
    FUZZ_CHECK(working.contains(QStringLiteral("LifePath combination %1 + %1, key ").arg(lifePath)));
    return 0;
}
