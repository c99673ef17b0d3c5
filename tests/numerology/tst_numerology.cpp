#include "core/numerology/calendar.h"
#include "core/numerology/numerology.h"

#include <QTest>

#include <cstdlib>

using numerology::SingleDigitNumber;
using numerology::StringToNumber;

namespace {

// Empty when every step of r is true arithmetic and the steps lead to r.number: the first step
// adds the digits of the total, a second one the first and last digit of that sum, a 10 at the end
// counts as 1. Otherwise what is wrong.
QString reductionFault(const numerology::Reduction &r)
{
    int n = r.total;
    for (int i = 0; i < r.steps.size(); ++i) {
        const QString written = QString::number(std::abs(n));
        QString added;
        int sum = 0;
        for (const qint16 digit : r.steps.at(i).digits) {
            added += QString::number(digit);
            sum += digit;
        }
        const QString expected = i == 0 ? written : QString(written.front()) + written.back();
        if (added != expected || sum != r.steps.at(i).sum) {
            return QStringLiteral("step %1 of %2 adds %3 to %4")
                .arg(i + 1)
                .arg(r.total)
                .arg(added)
                .arg(r.steps.at(i).sum);
        }
        n = sum;
    }
    if (n < 0 || (n > 9 && n != 10 && n != 11) || (n > 9 && r.steps.size() < 2))
        return QStringLiteral("%1 stops at %2").arg(r.total).arg(n);
    if (r.tenCountsAsOne != (n == 10) || r.number != (n == 10 ? 1 : n))
        return QStringLiteral("%1 ends at %2 but gives %3").arg(r.total).arg(n).arg(r.number);
    return QString();
}

} // namespace

class tst_Numerology : public QObject
{
    Q_OBJECT

private slots:
    void singleDigitNumber_data();
    void singleDigitNumber();
    void everyListDate_oneToNine_workingAgrees();
    void reduce_steps_data();
    void reduce_steps();
    void stringToNumber_data();
    void stringToNumber();
    void letterValues_followPythagoreanGroups();
    void countedLetters_data();
    void countedLetters();
    void countedLetters_sameInEveryCase();
    void destinyNumber_wholeNames_data();
    void destinyNumber_wholeNames();
    void destinyWorking_agreesWithDestinyNumber_data();
    void destinyWorking_agreesWithDestinyNumber();
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

    // The working shows what each part added, skipped parts as 0, and steps that lead to the number.
    const numerology::LifePathWorking working = numerology::lifePathWorking(day, month, year);
    QCOMPARE(working.day + working.month + working.year, int(working.reduction.total));
    QCOMPARE(reductionFault(working.reduction), QString());
    QCOMPARE(int(working.reduction.number), expected);
}

void tst_Numerology::everyListDate_oneToNine_workingAgrees()
{
    for (const QString &year : numerology::yearNumbers()) {
        for (const QString &month : numerology::monthNames()) {
            for (const QString &day : numerology::dayNumbers()) {
                const int n = SingleDigitNumber(day, month, year);
                const numerology::LifePathWorking working = numerology::lifePathWorking(day, month, year);
                const QString date = QStringLiteral("%1 %2 %3").arg(month, day, year);
                if (n < 1 || n > 9)
                    QFAIL(qPrintable(QStringLiteral("%1 gives %2").arg(date).arg(n)));
                if (working.reduction.number != n || working.day != day.toInt()
                    || working.month != numerology::monthNumber(month) || working.year != year.toInt()
                    || working.reduction.total != working.day + working.month + working.year)
                    QFAIL(qPrintable(date + QStringLiteral(": the working disagrees")));
                const QString fault = reductionFault(working.reduction);
                if (!fault.isEmpty())
                    QFAIL(qPrintable(date + QStringLiteral(": ") + fault));
            }
        }
    }
}

void tst_Numerology::reduce_steps_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("number");

    QTest::newRow("0 takes no step") << 0 << "" << 0;
    QTest::newRow("7 takes no step") << 7 << "" << 7;
    QTest::newRow("10: one step") << 10 << "1+0=1" << 1;
    QTest::newRow("19: a digit sum of 10 is added once more") << 19 << "1+9=10 1+0=1" << 1;
    QTest::newRow("29: a digit sum of 11 becomes 2") << 29 << "2+9=11 1+1=2" << 2;
    QTest::newRow("58") << 58 << "5+8=13 1+3=4" << 4;
    QTest::newRow("1999: the second step gives 10, which counts as 1") << 1999 << "1+9+9+9=28 2+8=10" << 1;
    QTest::newRow("2999: the second step gives 11, which stays") << 2999 << "2+9+9+9=29 2+9=11" << 11;
    QTest::newRow("-25: the sign counts nothing") << -25 << "2+5=7" << 7;
    QTest::newRow("-32768") << -32768 << "3+2+7+6+8=26 2+6=8" << 8;
    QTest::newRow("32767") << 32767 << "3+2+7+6+7=25 2+5=7" << 7;
}

void tst_Numerology::reduce_steps()
{
    QFETCH(int, total);
    QFETCH(QString, steps);
    QFETCH(int, number);

    const numerology::Reduction r = numerology::reduce(qint16(total));
    QStringList written;
    for (const numerology::ReductionStep &step : r.steps) {
        QStringList digits;
        for (const qint16 digit : step.digits)
            digits.append(QString::number(digit));
        written.append(digits.join(QLatin1Char('+')) + QLatin1Char('=') + QString::number(step.sum));
    }
    QCOMPARE(written.join(QLatin1Char(' ')), steps);
    QCOMPARE(int(r.number), number);
    QCOMPARE(int(r.total), total);
    QCOMPARE(reductionFault(r), QString());
    // The readings reduce a date's total and a name's letter sum the same way.
    if (total >= 0) {
        QCOMPARE(int(SingleDigitNumber(QString::number(total), QStringLiteral("0"), QStringLiteral("0"))), number);
        QCOMPARE(int(StringToNumber(QString(total / 9, QLatin1Char('I')) + QString(total % 9, QLatin1Char('A')))),
                 number);
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
    QTest::newRow("accented capitals are not A to Z") << QString::fromUtf8("ÉÀÜ") << 0;
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

void tst_Numerology::countedLetters_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("letters");

    QTest::newRow("a") << "a" << "A";
    QTest::newRow("Z") << "Z" << "Z";

    // Latin letters without a decomposition, spelled out
    QTest::newRow("sharp s") << QStringLiteral("\u00DF") << "SS";
    QTest::newRow("capital sharp s") << QStringLiteral("\u1E9E") << "SS";
    QTest::newRow("AE") << QStringLiteral("\u00C6") << "AE";
    QTest::newRow("ae") << QStringLiteral("\u00E6") << "AE";
    QTest::newRow("OE") << QStringLiteral("\u0152") << "OE";
    QTest::newRow("oe") << QStringLiteral("\u0153") << "OE";
    QTest::newRow("O with stroke") << QStringLiteral("\u00D8") << "O";
    QTest::newRow("o with stroke") << QStringLiteral("\u00F8") << "O";
    QTest::newRow("L with stroke") << QStringLiteral("\u0141") << "L";
    QTest::newRow("l with stroke") << QStringLiteral("\u0142") << "L";
    QTest::newRow("D with stroke") << QStringLiteral("\u0110") << "D";
    QTest::newRow("d with stroke") << QStringLiteral("\u0111") << "D";
    QTest::newRow("thorn") << QStringLiteral("\u00DE") << "TH";
    QTest::newRow("small thorn") << QStringLiteral("\u00FE") << "TH";

    // the letter a character decomposes to, its marks dropped
    QTest::newRow("e acute") << QStringLiteral("\u00E9") << "E";
    QTest::newRow("E acute") << QStringLiteral("\u00C9") << "E";
    QTest::newRow("o diaeresis") << QStringLiteral("\u00F6") << "O";
    QTest::newRow("n tilde") << QStringLiteral("\u00F1") << "N";
    QTest::newRow("a ring") << QStringLiteral("\u00E5") << "A";
    QTest::newRow("r caron") << QStringLiteral("\u0159") << "R";
    QTest::newRow("ligature fi") << QStringLiteral("\uFB01") << "FI";
    QTest::newRow("mathematical bold A, outside the BMP") << QStringLiteral("\U0001D400") << "A";

    // counts nothing
    QTest::newRow("greek alpha") << QStringLiteral("\u03B1") << "";
    QTest::newRow("cyrillic zhe") << QStringLiteral("\u0436") << "";
    QTest::newRow("han") << QStringLiteral("\u674E") << "";
    QTest::newRow("digit") << "7" << "";
    QTest::newRow("hyphen") << "-" << "";
    QTest::newRow("combining acute on its own") << QStringLiteral("\u0301") << "";
}

void tst_Numerology::countedLetters()
{
    QFETCH(QString, character);
    QFETCH(QString, letters);
    const QList<uint> codePoints = character.toUcs4();
    QCOMPARE(codePoints.size(), 1);
    QCOMPARE(numerology::countedLetters(char32_t(codePoints.first())), letters);
    QCOMPARE(numerology::countedLetters(QStringView(character)), letters);
}

void tst_Numerology::countedLetters_sameInEveryCase()
{
    // A name typed in lower, upper or mixed case gives one number: every character counts as its
    // capital and its small letter do, even where case mapping changes the length (ß, ŉ, ﬁ).
    for (char32_t c = 0; c <= 0x1FFFF; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        const QString character = QString::fromUcs4(&c, 1);
        const QString letters = numerology::countedLetters(c);
        if (numerology::countedLetters(QStringView(character.toUpper())) != letters
            || numerology::countedLetters(QStringView(character.toLower())) != letters)
            QFAIL(qPrintable(QStringLiteral("U+%1 counts differently in another case").arg(uint(c), 4, 16)));
    }
}

void tst_Numerology::destinyNumber_wholeNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("expected");

    QTest::newRow("Emile Dvorak with its accents: 26 + 26 = 52 -> 7")
        << QStringLiteral("\u00C9mile Dvo\u0159\u00E1k") << 7;
    QTest::newRow("Soren Odegaard with o-stroke: SOREN 26 + ODEGAARD 37 = 63 -> 9")
        << QStringLiteral("S\u00F8ren \u00D8degaard") << 9;
    QTest::newRow("Lukasz Zolc with l-stroke and accents: 18 + 20 = 38 -> 11 -> 2")
        << QStringLiteral("\u0141ukasz \u017B\u00F3\u0142\u0107") << 2;
    QTest::newRow("Strasse with sharp s as STRASSE: 20 -> 2") << QStringLiteral("Stra\u00DFe") << 2;
    QTest::newRow("Thorunn Aegisdottir with thorn and ae: 38 + 55 = 93 -> 12 -> 3")
        << QStringLiteral("\u00DE\u00F3runn \u00C6gisd\u00F3ttir") << 3;
}

void tst_Numerology::destinyNumber_wholeNames()
{
    QFETCH(QString, name);
    QFETCH(int, expected);
    QCOMPARE(int(numerology::destinyNumber(name)), expected);
}

void tst_Numerology::destinyWorking_agreesWithDestinyNumber_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("ASCII") << "JohnPaulSmith";
    QTest::newRow("accents, precomposed") << QStringLiteral("\u00C9mileDvo\u0159\u00E1k");
    QTest::newRow("accent as a combining mark") << QStringLiteral("Zoe\u0308");
    QTest::newRow("spelled-out letters") << QStringLiteral("Stra\u00DFe\u00C6gir\u00DE\u00F3r");
    QTest::newRow("other scripts, digits, blanks, punctuation") << QStringLiteral("\u0396\u03C9\u03AEMary-Ann 2nd");
    QTest::newRow("outside the BMP") << QStringLiteral("\U0001D400b\U0001F600c");
    QTest::newRow("lone surrogates") << QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b") + QChar(0xDC00);
    QTest::newRow("empty") << "";
    QTest::newRow("letters left out at 32,767") << QString(4000, QLatin1Char('I')) + QStringLiteral("AAAAAA\u00DFZ");
    QTest::newRow("32,767 characters") << QStringLiteral("Zo\u00EB").repeated(10922) + QLatin1Char('x');
}

void tst_Numerology::destinyWorking_agreesWithDestinyNumber()
{
    QFETCH(QString, name);
    const numerology::DestinyWorking working = numerology::destinyWorking(name);
    QCOMPARE(working.reduction.number, numerology::destinyNumber(name));
    QCOMPARE(reductionFault(working.reduction), QString());

    QCOMPARE(working.letters, numerology::countedLetters(name));
    int total = 0;
    qsizetype position = 0;
    qsizetype letter = 0;
    for (const numerology::CountedCharacter &c : working.characters) {
        QCOMPARE(c.position, position);
        position += QChar::requiresSurrogates(c.character) ? 2 : 1;
        QCOMPARE(c.firstLetter, letter);
        letter += c.letterCount;
        QCOMPARE(working.lettersOf(c).toString(), numerology::countedLetters(c.character));
        int value = 0;
        for (const QChar l : working.lettersOf(c))
            value += numerology::letterValue(l);
        QCOMPARE(c.value, value);
        QVERIFY(c.added >= 0 && c.added <= c.value);
        total += c.added;
    }
    QCOMPARE(position, name.size());
    QCOMPARE(letter, working.letters.size());
    QCOMPARE(total, int(working.reduction.total));
}

void tst_Numerology::combinationKey_maleFirst()
{
    QCOMPARE(numerology::CombinationKey(2, 1), QStringLiteral("21"));
    QCOMPARE(numerology::CombinationKey(0, 11), QStringLiteral("011"));
    QCOMPARE(numerology::CombinationKey(11, 5), QStringLiteral("115"));
}

QTEST_APPLESS_MAIN(tst_Numerology)
#include "tst_numerology.moc"
