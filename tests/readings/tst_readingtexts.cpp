#include "readings/partnerdetails.h"
#include "readings/readingtexts.h"

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
};

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
    if (!document)
        QCOMPARE(standaloneText(k, 5, 3, "P"), expected + "P\r\n\r\n\r\n\r\n");
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

QTEST_APPLESS_MAIN(tst_ReadingTexts)
#include "tst_readingtexts.moc"
