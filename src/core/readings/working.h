#pragma once

#include "core/readings/partnerdetails.h"
#include "core/readings/reading.h"

// "How the Numbers Were Found": the working behind a couple's readings, as the engine did it.
namespace readings {

// The most characters of one name part that the working lists one by one; the rest are summed up.
constexpr int WorkingListedCharacters = 40;

// For each partner, the Destiny number (each name part with each character and its value, the
// total and every step of its reduction) and the LifePath number (the day, the month and the year
// with their values, the total and every step); then the two combination keys and the opening
// words of the paragraph each selects. Headings are bold; names go in as plain text. Takes the
// details as the main window gives them: every detail trimmed.
Reading working(const PartnerDetails &details);

} // namespace readings
