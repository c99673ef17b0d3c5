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

int monthNumber(const QString &name)
{
    return int(monthNames().indexOf(name)) + 1;
}

int daysInMonth(int month, int year)
{
    return QDate(year, month, 1).daysInMonth();
}

} // namespace numerology
