#pragma once

#include <QString>
#include <QStringList>

// The calendar the date lists and the LifePath number share.
namespace numerology {

// "January" to "December", as the month lists show them and saved readings hold them.
const QStringList &monthNames();

// "1" to "31" and "1900" to "2050", as the day and year lists show them and saved readings hold them.
const QStringList &dayNumbers();
const QStringList &yearNumbers();

// 1 to 12 for a month name written exactly as in monthNames(), 0 for any other text.
int monthNumber(const QString &name);

// The number of days of month (1 to 12) in year by the Gregorian calendar; 0 when there is no
// such month or year.
int daysInMonth(int month, int year);

} // namespace numerology
