#include "core/readings/reading.h"

#include "core/numerology/compatibility.h"
#include "core/numerology/numerology.h"
#include "core/program/version.h"
#include "core/readings/readingtexts.h"

namespace readings {

namespace {

struct Section {
    Kind kind;
    Combination numbers;
};

// Only a pair of numbers 1 to 9 has a paragraph: the key of 0 and 11 reads as 11, which is no such pair.
Combination combination(qint16 male, qint16 female)
{
    const auto isDigit = [](qint16 n) { return n >= 1 && n <= 9; };
    const QString key = numerology::CombinationKey(male, female);
    return {male, female, key, isDigit(male) && isDigit(female) ? numerology::CompatibilityText(key) : QString()};
}

const QString &paragraphEnd()
{
    static const QString end = crlf() + crlf();
    return end;
}

// A reading on its own: heading, paragraph and two empty lines, all without emphasis.
Reading standalone(const Section &s)
{
    const Combination &n = s.numbers;
    return {caption(s.kind),
            {{standaloneHeading(s.kind, n.male, n.female) + n.paragraph + paragraphEnd() + paragraphEnd(), false}}};
}

// A section of the document: heading and paragraph in bold, then two empty lines without.
void appendToDocument(QList<TextRun> &runs, const Section &s)
{
    const Combination &n = s.numbers;
    runs.append({documentHeading(s.kind, n.male, n.female) + n.paragraph + paragraphEnd(), true});
    runs.append({paragraphEnd(), false});
}

} // namespace

Combination lifePathCombination(const PartnerDetails &d)
{
    return combination(numerology::SingleDigitNumber(d.MaleBirthDay, d.MaleBirthMonth, d.MaleBirthYear),
                       numerology::SingleDigitNumber(d.FemaleBirthDay, d.FemaleBirthMonth, d.FemaleBirthYear));
}

Combination destinyCombination(const PartnerDetails &d)
{
    return combination(
        numerology::destinyNumber(countedFullName(d.MaleFirstName, d.MaleMiddleName, d.MaleLastName)),
        numerology::destinyNumber(countedFullName(d.FemaleFirstName, d.FemaleMiddleName, d.FemaleLastName)));
}

QString Reading::text() const
{
    QString all;
    for (const TextRun &run : runs)
        all += run.text;
    return all;
}

Reading lifePathReading(const PartnerDetails &details)
{
    return standalone({Kind::LifePath, lifePathCombination(details)});
}

Reading destinyReading(const PartnerDetails &details)
{
    return standalone({Kind::Destiny, destinyCombination(details)});
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
    appendToDocument(reading.runs, {Kind::LifePath, lifePathCombination(d)});
    appendToDocument(reading.runs, {Kind::Destiny, destinyCombination(d)});
    return reading;
}

} // namespace readings
