#include "core/readings/validation.h"

#include "core/numerology/calendar.h"

#include <algorithm>

namespace readings {

namespace {

struct Required {
    const QString PartnerDetails::*text;
    const char *message;
    Field focus;
};

const Required kRequired[] = {
    {&PartnerDetails::MaleFirstName, "Male: First Name cannot be blank", Field::MaleFirst},
    {&PartnerDetails::MaleLastName, "Male: Last Name cannot be blank", Field::MaleLast},
    {&PartnerDetails::FemaleFirstName, "Female: First Name cannot be blank", Field::FemaleFirst},
    {&PartnerDetails::FemaleLastName, "Female: Last Name cannot be blank", Field::FemaleLast},
    {&PartnerDetails::MaleBirthDay, "Male: Date of Birth cannot be blank", Field::MaleDay},
    {&PartnerDetails::MaleBirthMonth, "Male: Month of Birth cannot be blank", Field::MaleMonth},
    {&PartnerDetails::MaleBirthYear, "Male: Year of Birth cannot be blank", Field::MaleYear},
    {&PartnerDetails::FemaleBirthDay, "Female: Date of Birth cannot be blank", Field::FemaleDay},
    {&PartnerDetails::FemaleBirthMonth, "Female: Month of Birth cannot be blank", Field::FemaleMonth},
    {&PartnerDetails::FemaleBirthYear, "Female: Year of Birth cannot be blank", Field::FemaleYear},
};

constexpr int kFebruary = 2;

// The message for a day its month does not have, or an empty text. February has a message of its
// own; the other months' message differs by a blank before the "!".
QString dateFault(const QString &monthText, const QString &dayText, const QString &yearText, bool partner)
{
    const int month = numerology::monthNumber(monthText.trimmed());
    const int day = dayText.trimmed().toInt();
    const int year = yearText.trimmed().toInt();
    if (month == 0)
        return QString();
    if (month == kFebruary) {
        if (day > numerology::daysInMonth(kFebruary, year))
            return partner ? QStringLiteral("Please Enter Your Partners Correct Date Or Month!")
                           : QStringLiteral("Please Enter Your Correct Date Or Month!");
    } else if (day > numerology::daysInMonth(month, year)) {
        return partner ? QStringLiteral("Please Enter Your Partners Correct Date Or Month !")
                       : QStringLiteral("Please Enter Your Correct Date Or Month !");
    }
    return QString();
}

// A detail fills one line of a reading. Besides control characters, the line and paragraph
// separators and the two marks rich text keeps for its frames (U+FDD0, U+FDD1) each begin a line.
bool breaksALine(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return c == QChar(0xFDD0) || c == QChar(0xFDD1);
    }
}

} // namespace

ValidationResult checkInput(const PartnerDetails &d)
{
    for (const Required &field : kRequired) {
        if ((d.*field.text).trimmed().isEmpty())
            return {false, QString::fromLatin1(field.message), field.focus};
    }

    QString fault = dateFault(d.MaleBirthMonth, d.MaleBirthDay, d.MaleBirthYear, false);
    if (fault.isEmpty())
        fault = dateFault(d.FemaleBirthMonth, d.FemaleBirthDay, d.FemaleBirthYear, true);
    if (!fault.isEmpty())
        return {false, fault, Field::None};
    return {};
}

ValidationResult checkSavedDetails(const PartnerDetails &d)
{
    for (const QString &detail : d.toList()) {
        if (detail.size() > MaximumDetailLength)
            return {false, QStringLiteral("A name or date is longer than %1 characters.").arg(MaximumDetailLength)};
        if (std::any_of(detail.cbegin(), detail.cend(), breaksALine))
            return {false, QStringLiteral("A name or date holds a control character or a line break.")};
    }

    const std::pair<const QString *, const QStringList *> dateParts[] = {
        {&d.MaleBirthMonth, &numerology::monthNames()},   {&d.MaleBirthDay, &numerology::dayNumbers()},
        {&d.MaleBirthYear, &numerology::yearNumbers()},   {&d.FemaleBirthMonth, &numerology::monthNames()},
        {&d.FemaleBirthDay, &numerology::dayNumbers()},   {&d.FemaleBirthYear, &numerology::yearNumbers()},
    };
    for (const auto &[text, entries] : dateParts) {
        if (!entries->contains(*text))
            return {false, QStringLiteral("A date of birth is not one of the dates the lists offer.")};
    }
    return checkInput(d);
}

QString onOneLine(QString text)
{
    std::replace_if(text.begin(), text.end(), breaksALine, QLatin1Char(' '));
    // A box at its length limit keeps as much of a paste as fits, and may cut a character written
    // in two halves (an emoji) between them; the half left would be saved as U+FFFD.
    qsizetype kept = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            text[kept++] = c;
            text[kept++] = text.at(++i);
        } else if (!c.isSurrogate()) {
            text[kept++] = c;
        }
    }
    text.truncate(kept);
    return text;
}

} // namespace readings
