#pragma once

#include <QString>

// The rules a couple's input must pass before any reading is composed.
namespace app {

// The input fields that a failed check sends the keyboard focus to.
enum class Field {
    None, // the focus stays where it is
    MaleFirst,
    MaleLast,
    FemaleFirst,
    FemaleLast,
    MaleDay,
    MaleMonth,
    MaleYear,
    FemaleDay,
    FemaleMonth,
    FemaleYear,
};

// What the main window holds at the moment of the check: the texts of the required name boxes
// and of the six date lists, and the positions picked in the day and month lists (day index i is
// day i + 1, month index i is month i + 1; -1 when nothing is picked).
struct ValidationInput {
    QString maleFirst, maleLast, femaleFirst, femaleLast;
    QString maleDay, maleMonth, maleYear;
    QString femaleDay, femaleMonth, femaleYear;
    int maleDayIndex = -1, maleMonthIndex = -1;
    int femaleDayIndex = -1, femaleMonthIndex = -1;
};

struct ValidationResult {
    bool ok = true;
    QString message; // the one message to show when !ok
    Field focus = Field::None;
};

// Checks the required names, then the male date of birth, then the female one, and reports the
// first fault only. A name made only of blanks counts as blank.
ValidationResult checkInput(const ValidationInput &input);

// Gregorian leap years: every fourth year, except centuries not divisible by 400.
bool isLeapYear(int year);

} // namespace app
