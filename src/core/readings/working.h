#pragma once

#include "core/readings/partnerdetails.h"
#include "core/readings/reading.h"

// "How the Numbers Were Found": the working behind a couple's readings, as the engine did it.
namespace readings {

// For each partner, the Destiny number (each name part with each character and its value, the
// total and every step of its reduction) and the LifePath number (the day, the month and the year
// with their values, the total and every step); then the two combination keys and the opening
// words of the paragraph each selects. Headings are bold; names go in as plain text. A name part
// of more than 40 characters is shortened: its first 40 characters are listed and the rest summed
// up, so that a name of any length gives a text of a few pages at most. Takes the details as the
// main window gives them: every detail trimmed.
Reading working(const PartnerDetails &details);

} // namespace readings
