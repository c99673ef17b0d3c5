#pragma once

#include <QDate>
#include <QString>

#include <functional>

class QSettings;

// The update reminder's rule, apart from the windows: every 14 days start-up asks whether to look
// for a newer version. The day of the last reminder is kept in the settings store, under section
// "Settings", with both the value name "Duration" and the date (yyyy-MM-dd) scrambled.
namespace settings {

constexpr qint64 kReminderIntervalDays = 14;

enum class ReminderDecision {
    StoreToday, // nothing stored yet, or nothing readable as a date: remember today, say nothing
    Quiet,      // the last reminder was at most 14 days away, either way
    Ask,        // more than 14 days away, either way: ask, then remember today whatever the answer
};

// The value name and the stored text of a date, both scrambled.
QString reminderValueName();
QString reminderDateText(const QDate &date);
// The day a stored text names; invalid when the text is empty or not such a date.
QDate reminderDate(const QString &storedText);

ReminderDecision decideReminder(const QString &storedText, const QDate &today);

// The whole reminder against a settings store. askToCheck puts the question and returns whether
// the answer was Yes; openDownloadPage then runs.
void runUpdateReminder(QSettings &settings, const QDate &today, const std::function<bool()> &askToCheck,
                       const std::function<void()> &openDownloadPage);

} // namespace settings
