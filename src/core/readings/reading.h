#pragma once

#include "core/readings/partnerdetails.h"

#include <QList>
#include <QString>

// A reading as data: what a window shows, prints or exports, composed from the couple's details
// in one pass. Windows only display it.
namespace readings {

// A stretch of text with one emphasis. Line breaks inside are CR LF.
struct TextRun {
    QString text;
    bool bold = false;

    bool operator==(const TextRun &other) const { return text == other.text && bold == other.bold; }
};

struct Reading {
    QString caption; // the title of the window that shows it
    QList<TextRun> runs;

    // The runs' text joined, line breaks CR LF.
    QString text() const;
};

// Each takes the details as the main window gives them: every detail trimmed.

// The two numbers of one kind, the male's first, the key they make and the paragraph it selects
// (empty when the table has none): what a LifePath or Destiny reading says about the couple.
struct Combination {
    qint16 male = 0;
    qint16 female = 0;
    QString key;
    QString paragraph;
};

// The dates of birth reduced to one digit each.
Combination lifePathCombination(const PartnerDetails &details);

// The letters of the two full names reduced to one digit each.
Combination destinyCombination(const PartnerDetails &details);

// "LifePath Compatibility": the two dates reduced to one digit each, and the pair's paragraph.
Reading lifePathReading(const PartnerDetails &details);

// "Destiny Compatibility": the letters of the two full names reduced to one digit each, and the
// pair's paragraph.
Reading destinyReading(const PartnerDetails &details);

// The Comprehensive document: both partners' names and dates of birth, then the LifePath and the
// Destiny section, each section's heading and paragraph in bold.
Reading comprehensiveReading(const PartnerDetails &details);

} // namespace readings
