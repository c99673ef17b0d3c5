#include "core/numerology/calendar.h"

#include <QDate>

namespace numerology {

const QStringList &monthNames()
{
    static const QStringList names = {
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December"),
    };
    return names;
}

namespace {

QStringList numbers(int first, int last)
{
    QStringList texts;
    texts.reserve(last - first + 1);
    for (int n = first; n <= last; ++n)
        texts.append(QString::number(n));
    return texts;
}

} // namespace

const QStringList &dayNumbers()
{
    static const QStringList days = numbers(1, 31);
    return days;
}

const QStringList &yearNumbers()
{
    static const QStringList years = numbers(1900, 2050);
    return years;
}

int monthNumber(const QString &name)
{
    return int(monthNames().indexOf(name)) + 1;
}

int daysInMonth(int month, int year)
{
    return QDate(year, month, 1).daysInMonth();
}

} // namespace numerology
