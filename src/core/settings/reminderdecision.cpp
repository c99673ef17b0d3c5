#include "core/settings/reminderdecision.h"

#include "core/documents/scramble.h"

#include <QSettings>

namespace settings {

namespace {

// A fixed, locale-independent form, so a date written on one system reads back as the same day.
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kSection = QStringLiteral("Settings");

} // namespace

QString reminderValueName()
{
    return documents::ScrambleText(QStringLiteral("Duration"));
}

QString reminderDateText(const QDate &date)
{
    return documents::ScrambleText(date.toString(kDateFormat));
}

QDate reminderDate(const QString &storedText)
{
    return QDate::fromString(documents::UnscrambleText(storedText), kDateFormat);
}

ReminderDecision decideReminder(const QString &storedText, const QDate &today)
{
    // An unreadable value counts as none: otherwise it would silence the reminder for ever.
    const QDate stored = reminderDate(storedText);
    if (!stored.isValid())
        return ReminderDecision::StoreToday;
    const qint64 days = today.daysTo(stored);
    if (days >= -kReminderIntervalDays && days <= kReminderIntervalDays)
        return ReminderDecision::Quiet;
    return ReminderDecision::Ask;
}

void runUpdateReminder(QSettings &settings, const QDate &today, const std::function<bool()> &askToCheck,
                       const std::function<void()> &openDownloadPage)
{
    settings.beginGroup(kSection);
    const QString stored = settings.value(reminderValueName()).toString();
    const ReminderDecision decision = decideReminder(stored, today);
    if (decision == ReminderDecision::Quiet) {
        settings.endGroup();
        return;
    }

    const bool check = decision == ReminderDecision::Ask && askToCheck();
    settings.setValue(reminderValueName(), reminderDateText(today));
    settings.endGroup();
    settings.sync();
    if (check)
        openDownloadPage();
}

} // namespace settings
