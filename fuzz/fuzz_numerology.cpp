// Digit reduction of arbitrary texts: StringToNumber and SingleDigitNumber always give 0 to 9 or
// 11, and only the letters A to Z of a name count.
//
// The input is read as UTF-8; for SingleDigitNumber its lines are the day, month and year.
#include "fuzzcheck.h"

#include "core/numerology/numerology.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

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

    const QStringList parts = text.split(QLatin1Char('\n'));
    const QString day = parts.value(0);
    const QString month = parts.value(1);
    const QString year = parts.value(2);
    FUZZ_CHECK(isDigitResult(SingleDigitNumber(day, month, year)));
    return 0;
}
