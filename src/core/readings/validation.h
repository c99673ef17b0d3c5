#pragma once

#include "core/readings/partnerdetails.h"

#include <QString>

// The rules a couple's details must pass before any reading is composed.
namespace readings {

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

struct ValidationResult {
    bool ok = true;
    QString message; // the one message to show when !ok
    Field focus = Field::None;
};

// The longest text a name box of the main window takes.
constexpr int MaximumDetailLength = 32767;

// Checks that the required names and every part of both dates of birth are filled in, then that
// the male and then the female day exist in their month, and reports the first fault only. A
// detail made only of blanks counts as blank. A date is a month name, a day and a year as the date
// lists write them.
ValidationResult checkInput(const PartnerDetails &details);

// Checks details that are to go into the main window from a saved reading, where nothing chose
// them from the lists: every detail at most MaximumDetailLength characters and free of control
// characters, each part of a date exactly an entry of its list (no blanks around it), and then
// everything checkInput() checks. Details that pass fit the controls unchanged and give a reading.
ValidationResult checkSavedDetails(const PartnerDetails &details);

// The text with a blank in place of each character that checkSavedDetails() refuses because it
// would begin a new line of a reading (a pasted line break or tab, for one), and without any half
// of a character written in two halves whose other half is missing.
QString onOneLine(QString text);

} // namespace readings
