#include "core/numerology/numerology.h"

#include <QTest>

using numerology::SingleDigitNumber;
using numerology::StringToNumber;

class tst_Numerology : public QObject
{
    Q_OBJECT

private slots:
    void singleDigitNumber_data();
    void singleDigitNumber();
    void singleDigitNumber_everyListDate_isOneToNine();
    void stringToNumber_data();
    void stringToNumber();
    void letterValues_followPythagoreanGroups();
    void combinationKey_maleFirst();
};

void tst_Numerology::singleDigitNumber_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("expected");

    // worked values
    QTest::newRow("31 December 1999: 2042 -> 8") << "31" << "December" << "1999" << 8;
    QTest::newRow("1 January 1900: 1902 -> 12 -> 3") << "1" << "January" << "1900" << 3;
    QTest::newRow("28 February 1969: 1999 -> 28 -> 10 -> 1") << "28" << "February" << "1969" << 1;
    QTest::newRow("15 March 1985 -> 5") << "15" << "March" << "1985" << 5;
    QTest::newRow("1 January 1990 -> 3") << "1" << "January" << "1990" << 3;
    QTest::newRow("empty day counts nothing") << "" << "January" << "1990" << 2;
    QTest::newRow("day not a number counts nothing") << "x" << "January" << "1990" << 2;

    // month names match exactly
    QTest::newRow("month upper case adds nothing") << "1" << "JANUARY" << "1900" << 2;
    QTest::newRow("month lower case adds nothing") << "1" << "january" << "1900" << 2;
    QTest::newRow("month with blanks adds nothing") << "1" << " January" << "1900" << 2;
    QTest::newRow("month number adds nothing") << "1" << "1" << "1900" << 2;
    QTest::newRow("December adds 12") << "0" << "December" << "0" << 3;

    // the second reduction is one step, so 11 survives; 10 becomes 1; 0 stays 0
    QTest::newRow("digit sum 29 gives 11") << "2999" << "0" << "0" << 11;
    QTest::newRow("digit sum 38 gives 11") << "29999" << "0" << "0" << 11;
    QTest::newRow("digit sum 19 gives 10 then 1") << "1999" << "0" << "0" << 1; // 28 -> 10 -> 1
    QTest::newRow("digit sum 10 gives 1") << "19" << "0" << "0" << 1;
    QTest::newRow("total 0 gives 0") << "" << "" << "" << 0;

    // decimal reading, half to even
    QTest::newRow("2.5 rounds to 2") << "2.5" << "0" << "0" << 2;
    QTest::newRow("3.5 rounds to 4") << "3.5" << "0" << "0" << 4;
    QTest::newRow("day with blanks is a number") << " 7 " << "0" << "0" << 7;

    // 16-bit: a step that would overflow has no effect
    QTest::newRow("day too large is skipped") << "40000" << "January" << "1900" << 2; // 1901 -> 11 -> 2
    QTest::newRow("year overflowing the total is skipped") << "32767" << "0" << "1" << 7;   // 3+2+7+6+7 = 25 -> 7
    QTest::newRow("month overflowing the total is skipped") << "32767" << "May" << "0" << 7;
    QTest::newRow("negative day: minus sign counts nothing") << "-25" << "0" << "0" << 7;
    QTest::newRow("infinite text is no number") << "inf" << "January" << "0" << 1;
}

void tst_Numerology::singleDigitNumber()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(int, expected);

    const QString dayBefore = day, monthBefore = month, yearBefore = year;
    QCOMPARE(int(SingleDigitNumber(day, month, year)), expected);
    QCOMPARE(day, dayBefore);
    QCOMPARE(month, monthBefore);
    QCOMPARE(year, yearBefore);
}

void tst_Numerology::singleDigitNumber_everyListDate_isOneToNine()
{
    const QStringList months = {"January", "February", "March",     "April",   "May",      "June",
                                "July",    "August",   "September", "October", "November", "December"};
    for (int year = 1900; year <= 2050; ++year) {
        for (const QString &month : months) {
            for (int day = 1; day <= 31; ++day) {
                const int n = SingleDigitNumber(QString::number(day), month, QString::number(year));
                if (n < 1 || n > 9)
                    QFAIL(qPrintable(QStringLiteral("%1 %2 %3 gives %4").arg(month).arg(day).arg(year).arg(n)));
            }
        }
    }
}

void tst_Numerology::stringToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("JOHN: 20 -> 2") << "JOHN" << 2;
    QTest::newRow("lower case counts nothing") << "john" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("digits only") << "12345" << 0;
    QTest::newRow("accented letters count nothing") << QString::fromUtf8("ÉÀÜ") << 0;
    QTest::newRow("AAA: repeats count") << "AAA" << 3;
    QTest::newRow("JOHNPAULSMITH: 58 -> 13 -> 4") << "JOHNPAULSMITH" << 4;
    QTest::newRow("MARYJONES: 39 -> 12 -> 3") << "MARYJONES" << 3;
    QTest::newRow("blanks and punctuation count nothing") << "J-O H.N" << 2;
    QTest::newRow("Z is 8, I and R are 9") << "ZIR" << 8; // 26 -> 8
    QTest::newRow("letter sum 2999 gives 11") << QString(333, QLatin1Char('I')) + "B" << 11;
    // 3640 I make 32760; every further I would overflow and is skipped, the A still fits
    QTest::newRow("letter sum skips letters that would overflow") << QString(4000, QLatin1Char('I')) + "A" << 1;
}

void tst_Numerology::stringToNumber()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(int(StringToNumber(text)), expected);
}

void tst_Numerology::letterValues_followPythagoreanGroups()
{
    const char *const groups[] = {"AJS", "BKT", "CLU", "DMV", "ENW", "FOX", "GPY", "HQZ", "IR"};
    int counted = 0;
    for (int value = 1; value <= 9; ++value) {
        for (const char *c = groups[value - 1]; *c; ++c, ++counted)
            QCOMPARE(numerology::letterValue(QLatin1Char(*c)), value);
    }
    QCOMPARE(counted, 26);
    for (QChar c : QStringLiteral("az09 -'\u00c9\u03a9"))
        QCOMPARE(numerology::letterValue(c), 0);
}

void tst_Numerology::combinationKey_maleFirst()
{
    QCOMPARE(numerology::CombinationKey(2, 1), QStringLiteral("21"));
    QCOMPARE(numerology::CombinationKey(0, 11), QStringLiteral("011"));
    QCOMPARE(numerology::CombinationKey(11, 5), QStringLiteral("115"));
}

QTEST_APPLESS_MAIN(tst_Numerology)
#include "tst_numerology.moc"
