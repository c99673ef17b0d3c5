#include "core/readings/reading.h"

#include "core/numerology/compatibility.h"
#include "core/numerology/numerology.h"
#include "core/program/version.h"
#include "core/readings/readingtexts.h"

namespace readings {

namespace {

struct Section {
    Kind kind;
    qint16 male;
    qint16 female;
    QString paragraph;
};

Section lifePathSection(const PartnerDetails &d)
{
    const qint16 male = numerology::SingleDigitNumber(d.MaleBirthDay, d.MaleBirthMonth, d.MaleBirthYear);
    const qint16 female = numerology::SingleDigitNumber(d.FemaleBirthDay, d.FemaleBirthMonth, d.FemaleBirthYear);
    return {Kind::LifePath, male, female, numerology::CompatibilityText(numerology::CombinationKey(male, female))};
}

Section destinySection(const PartnerDetails &d)
{
    const qint16 male =
        numerology::destinyNumber(countedFullName(d.MaleFirstName, d.MaleMiddleName, d.MaleLastName));
    const qint16 female =
        numerology::destinyNumber(countedFullName(d.FemaleFirstName, d.FemaleMiddleName, d.FemaleLastName));
    return {Kind::Destiny, male, female, numerology::CompatibilityText(numerology::CombinationKey(male, female))};
}

const QString &paragraphEnd()
{
    static const QString end = crlf() + crlf();
    return end;
}

// A reading on its own: heading, paragraph and two empty lines, all without emphasis.
Reading standalone(const Section &s)
{
    return {caption(s.kind),
            {{standaloneHeading(s.kind, s.male, s.female) + s.paragraph + paragraphEnd() + paragraphEnd(), false}}};
}

// A section of the document: heading and paragraph in bold, then two empty lines without.
void appendToDocument(QList<TextRun> &runs, const Section &s)
{
    runs.append({documentHeading(s.kind, s.male, s.female) + s.paragraph + paragraphEnd(), true});
    runs.append({paragraphEnd(), false});
}

} // namespace

QString Reading::text() const
{
    QString all;
    for (const TextRun &run : runs)
        all += run.text;
    return all;
}

Reading lifePathReading(const PartnerDetails &details)
{
    return standalone(lifePathSection(details));
}

Reading destinyReading(const PartnerDetails &details)
{
    return standalone(destinySection(details));
}

Reading comprehensiveReading(const PartnerDetails &d)
{
    Reading reading;
    reading.caption = program::caption();
    reading.runs.append(
        {partnerBlock(QStringLiteral("Male Information"),
                      displayedFullName(d.MaleFirstName, d.MaleMiddleName, d.MaleLastName), d.MaleBirthMonth,
                      d.MaleBirthDay, d.MaleBirthYear)
             + partnerBlock(QStringLiteral("Female Information"),
                            displayedFullName(d.FemaleFirstName, d.FemaleMiddleName, d.FemaleLastName),
                            d.FemaleBirthMonth, d.FemaleBirthDay, d.FemaleBirthYear),
         false});
    appendToDocument(reading.runs, lifePathSection(d));
    appendToDocument(reading.runs, destinySection(d));
    return reading;
}

} // namespace readings
