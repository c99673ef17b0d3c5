#include "core/numerology/numerology.h"

#include "core/numerology/calendar.h"

#include <QLocale>

#include <cmath>
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

QString CombinationKey(qint16 male, qint16 female)
{
    return QString::number(male) + QString::number(female);
}

} // namespace numerology
