#include "core/numerology/compatibility.h"
#include "core/readings/partnerdetails.h"
#include "core/readings/reading.h"
#include "core/readings/readingtexts.h"

#include <QTest>

using namespace readings;

class tst_ReadingTexts : public QObject
{
    Q_OBJECT

private slots:
    void headings_data();
    void headings();
    void partnerBlock_monthDayCommaYear();
    void fullNames_displayedWithBlanks_countedWithout();
    void partnerDetails_savedOrder_roundTrip();
    void wholeReadings_data();
    void wholeReadings();
    void destiny_noLettersAgainst11_hasNoParagraph();
};

namespace QTest {
template<>
char *toString(const QList<readings::TextRun> &runs)
{
    QString all;
    for (const readings::TextRun &run : runs)
        all += (run.bold ? QStringLiteral("[B]") : QStringLiteral("[ ]")) + run.text;
    return qstrdup(qPrintable(all));
}
} // namespace QTest

void tst_ReadingTexts::headings_data()
{
    QTest::addColumn<bool>("document");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("LifePath window") << false << int(Kind::LifePath) << "LifePath Compatibility Combination: 5 + 3\r\n\r\n";
    QTest::newRow("Destiny window") << false << int(Kind::Destiny) << "Destiny Compatibility Combination: 5 + 3\r\n\r\n";
    QTest::newRow("LifePath document") << true << int(Kind::LifePath)
                                       << "LifePath Compatibility Number Combination is 5 + 3\r\n\r\n";
    QTest::newRow("Destiny document") << true << int(Kind::Destiny) << "Destiny Compatibility Combination is 5 + 3\r\n\r\n";
}

void tst_ReadingTexts::headings()
{
    QFETCH(bool, document);
    QFETCH(int, kind);
    QFETCH(QString, expected);
    const auto k = static_cast<Kind>(kind);
    QCOMPARE(document ? documentHeading(k, 5, 3) : standaloneHeading(k, 5, 3), expected);
}

void tst_ReadingTexts::partnerBlock_monthDayCommaYear()
{
    QCOMPARE(partnerBlock("Female Information", "Ann  Lee", "February", "29", "1904"),
             QStringLiteral("Female Information\r\nName: Ann  Lee\r\nDate of Birth: February 29, 1904\r\n\r\n"));
}

void tst_ReadingTexts::fullNames_displayedWithBlanks_countedWithout()
{
    QCOMPARE(displayedFullName("Ann", "", "Lee"), QStringLiteral("Ann  Lee"));
    QCOMPARE(displayedFullName("Mary Ann", "B", "Lee"), QStringLiteral("Mary Ann B Lee"));
    QCOMPARE(countedFullName(" Mary Ann ", " ", "Lee "), QStringLiteral("Mary AnnLee"));
}

void tst_ReadingTexts::partnerDetails_savedOrder_roundTrip()
{
    PartnerDetails d;
    d.MaleFirstName = "John";
    d.MaleBirthMonth = "March";
    d.MaleBirthDay = "5";
    d.FemaleBirthYear = "1972";
    const QStringList list = d.toList();
    QCOMPARE(list.size(), 12);
    QCOMPARE(list.at(0), QStringLiteral("John"));
    QCOMPARE(list.at(6), QStringLiteral("March")); // months come before days
    QCOMPARE(list.at(7), QStringLiteral("5"));
    QCOMPARE(list.at(11), QStringLiteral("1972"));
    QVERIFY(PartnerDetails::fromList(list) == d);
    QCOMPARE(PartnerDetails::fromList({"A"}).toList().mid(1), QStringList(11, QString()));
}

void tst_ReadingTexts::wholeReadings_data()
{
    QTest::addColumn<QStringList>("details"); // in saved order, trimmed as the main window gives them
    QTest::addColumn<QString>("lifePath");    // the pair of numbers as the headings show it
    QTest::addColumn<QString>("destiny");
    QTest::addColumn<QString>("partners");    // the document's opening, both partners

    QTest::newRow("John Paul Smith and Mary Jones")
        << QStringList{"John", "Paul", "Smith", "Mary", "", "Jones", "March", "15", "1985", "January", "1", "1990"}
        << "5 + 3" << "4 + 3"
        << "Male Information\r\nName: John Paul Smith\r\nDate of Birth: March 15, 1985\r\n\r\n"
           "Female Information\r\nName: Mary  Jones\r\nDate of Birth: January 1, 1990\r\n\r\n";
    // FIRSTMIDDLELAST 27 + 29 + 7 = 63 -> 9; ANNLEE 24 -> 6
    QTest::newRow("First Middle Last and Ann Lee")
        << QStringList{"First", "Middle", "Last", "Ann", "", "Lee", "January", "1", "1900", "March", "15", "1985"}
        << "3 + 5" << "9 + 6"
        << "Male Information\r\nName: First Middle Last\r\nDate of Birth: January 1, 1900\r\n\r\n"
           "Female Information\r\nName: Ann  Lee\r\nDate of Birth: March 15, 1985\r\n\r\n";
    // Accented names count as their base letters and show as typed: EMILEDVORAK 52 -> 7;
    // SOREN ODEGAARD 63 -> 9.
    QTest::newRow("Emile Dvorak and Soren Odegaard with their accents and strokes")
        << QStringList{QStringLiteral("\u00C9mile"), "", QStringLiteral("Dvo\u0159\u00E1k"),
                       QStringLiteral("S\u00F8ren"), "", QStringLiteral("\u00D8degaard"),
                       "March", "15", "1985", "January", "1", "1990"}
        << "5 + 3" << "7 + 9"
        << QStringLiteral("Male Information\r\nName: \u00C9mile  Dvo\u0159\u00E1k\r\n"
                          "Date of Birth: March 15, 1985\r\n\r\n"
                          "Female Information\r\nName: S\u00F8ren  \u00D8degaard\r\n"
                          "Date of Birth: January 1, 1990\r\n\r\n");
    // No letter with a value: the Destiny number is 0, and the table has no paragraph for it.
    QTest::newRow("a name of digits and punctuation")
        << QStringList{"123", "", "!!!", "Mary", "", "Jones", "March", "15", "1985", "January", "1", "1990"}
        << "5 + 3" << "0 + 3"
        << "Male Information\r\nName: 123  !!!\r\nDate of Birth: March 15, 1985\r\n\r\n"
           "Female Information\r\nName: Mary  Jones\r\nDate of Birth: January 1, 1990\r\n\r\n";
}

void tst_ReadingTexts::wholeReadings()
{
    QFETCH(QStringList, details);
    QFETCH(QString, lifePath);
    QFETCH(QString, destiny);
    QFETCH(QString, partners);

    const PartnerDetails couple = PartnerDetails::fromList(details);
    const QString end = QStringLiteral("\r\n\r\n");
    const auto paragraph = [](const QString &pair) {
        return numerology::CompatibilityText(QString(pair).remove(QStringLiteral(" + ")));
    };

    const Reading lp = lifePathReading(couple);
    QCOMPARE(lp.caption, QStringLiteral("LifePath Compatibility"));
    QCOMPARE(lp.runs, (QList<TextRun>{
                          {"LifePath Compatibility Combination: " + lifePath + end + paragraph(lifePath) + end + end,
                           false}}));

    const Reading d = destinyReading(couple);
    QCOMPARE(d.caption, QStringLiteral("Destiny Compatibility"));
    QCOMPARE(d.runs, (QList<TextRun>{
                         {"Destiny Compatibility Combination: " + destiny + end + paragraph(destiny) + end + end,
                          false}}));

    const Reading document = comprehensiveReading(couple);
    QCOMPARE(document.caption, QStringLiteral("Tovrin v1.65"));
    QCOMPARE(document.runs, (QList<TextRun>{
                                {partners, false},
                                {"LifePath Compatibility Number Combination is " + lifePath + end
                                     + paragraph(lifePath) + end,
                                 true},
                                {end, false},
                                {"Destiny Compatibility Combination is " + destiny + end + paragraph(destiny) + end,
                                 true},
                                {end, false},
                            }));
    QCOMPARE(document.text(), partners + document.runs.at(1).text + end + document.runs.at(3).text + end);
}

// A male name without a letter A to Z (0) against a female name whose letters add up to 2999 (11)
// makes the key "011"; that is not the pair 1 and 1.
void tst_ReadingTexts::destiny_noLettersAgainst11_hasNoParagraph()
{
    const PartnerDetails couple = PartnerDetails::fromList(
        {QStringLiteral("\u674E"), "", QStringLiteral("\u5C0F\u9F99"), QString(333, QLatin1Char('I')) + "B", "", "2",
         "March", "15", "1985", "January", "1", "1990"});
    const Combination destiny = destinyCombination(couple);
    QCOMPARE(destiny.key, QStringLiteral("011"));
    QCOMPARE(destiny.paragraph, QString());
    QCOMPARE(destinyReading(couple).text(),
             QStringLiteral("Destiny Compatibility Combination: 0 + 11\r\n\r\n\r\n\r\n\r\n\r\n"));
}

QTEST_APPLESS_MAIN(tst_ReadingTexts)
#include "tst_readingtexts.moc"
