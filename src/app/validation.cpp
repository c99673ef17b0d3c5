#include "app/validation.h"

namespace app {

namespace {

struct Required {
    const QString ValidationInput::*text;
    const char *message;
    Field focus;
};

const Required kRequired[] = {
    {&ValidationInput::maleFirst, "Male: First Name cannot be blank", Field::MaleFirst},
    {&ValidationInput::maleLast, "Male: Last Name cannot be blank", Field::MaleLast},
    {&ValidationInput::femaleFirst, "Female: First Name cannot be blank", Field::FemaleFirst},
    {&ValidationInput::femaleLast, "Female: Last Name cannot be blank", Field::FemaleLast},
    {&ValidationInput::maleDay, "Male: Date of Birth cannot be blank", Field::MaleDay},
    {&ValidationInput::maleMonth, "Male: Month of Birth cannot be blank", Field::MaleMonth},
    {&ValidationInput::maleYear, "Male: Year of Birth cannot be blank", Field::MaleYear},
    {&ValidationInput::femaleDay, "Female: Date of Birth cannot be blank", Field::FemaleDay},
    {&ValidationInput::femaleMonth, "Female: Month of Birth cannot be blank", Field::FemaleMonth},
    {&ValidationInput::femaleYear, "Female: Year of Birth cannot be blank", Field::FemaleYear},
};

constexpr int kFebruary = 1;

bool isThirtyDayMonth(int monthIndex)
{
    return monthIndex == 3 || monthIndex == 5 || monthIndex == 8 || monthIndex == 10; // Apr Jun Sep Nov
}

// The message for a day its month does not have, or an empty text.
QString dateFault(const QString &yearText, int monthIndex, int dayIndex, bool partner)
{
    if (monthIndex == kFebruary) {
        const int lastDayIndex = isLeapYear(yearText.trimmed().toInt()) ? 28 : 27;
        if (dayIndex > lastDayIndex)
            return partner ? QStringLiteral("Please Enter Your Partners Correct Date Or Month!")
                           : QStringLiteral("Please Enter Your Correct Date Or Month!");
    } else if (isThirtyDayMonth(monthIndex) && dayIndex == 30) {
        return partner ? QStringLiteral("Please Enter Your Partners Correct Date Or Month !")
                       : QStringLiteral("Please Enter Your Correct Date Or Month !");
    }
    return QString();
}

} // namespace

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

ValidationResult checkInput(const ValidationInput &input)
{
    for (const Required &field : kRequired) {
        if ((input.*field.text).trimmed().isEmpty())
            return {false, QString::fromLatin1(field.message), field.focus};
    }

    QString fault = dateFault(input.maleYear, input.maleMonthIndex, input.maleDayIndex, false);
    if (fault.isEmpty())
        fault = dateFault(input.femaleYear, input.femaleMonthIndex, input.femaleDayIndex, true);
    if (!fault.isEmpty())
        return {false, fault, Field::None};
    return {};
}

} // namespace app
