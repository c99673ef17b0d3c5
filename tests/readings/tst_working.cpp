#include "core/readings/working.h"

#include <QTest>

using readings::PartnerDetails;

namespace {

// John Smith, born March 15, 1985, and Mary Jones, born January 1, 1990, with the names replaced
// by those given.
PartnerDetails couple(const QStringList &male, const QStringList &female)
{
    return PartnerDetails::fromList({male.value(0), male.value(1), male.value(2), female.value(0), female.value(1),
                                     female.value(2), QStringLiteral("March"), QStringLiteral("15"),
                                     QStringLiteral("1985"), QStringLiteral("January"), QStringLiteral("1"),
                                     QStringLiteral("1990")});
}

QString plainText(const readings::Reading &reading)
{
    return reading.text().replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

class tst_Working : public QObject
{
    Q_OBJECT

private slots:
    void names_showWhatEachCharacterCounts_data();
    void names_showWhatEachCharacterCounts();
    void headingsBold_restPlain();
};

void tst_Working::names_showWhatEachCharacterCounts_data()
{
    QTest::addColumn<QStringList>("male");
    QTest::addColumn<QStringList>("female");
    QTest::addColumn<QString>("lines");

    const QStringList smith = {"John", "", "Smith"};
    const QStringList jones = {"Mary", "", "Jones"};
    QTest::newRow("an accent: the letter it counts as")
        << QStringList{QStringLiteral("Zo\u00EB"), "", "Smith"} << jones
        << QStringLiteral("Zo\u00EB: Z = 8, o = 6, \u00EB \u2192 E = 5; together 19\n");
    QTest::newRow("a letter that counts as two")
        << smith << QStringList{"Mary", "", QStringLiteral("Stra\u00DFe")}
        << QStringLiteral("Stra\u00DFe: S = 1, t = 2, r = 9, a = 1, \u00DF \u2192 SS = 2, e = 5; together 20\n");
    QTest::newRow("a mark on its own, an invisible character, a blank, a hyphen and a digit count 0")
        << QStringList{QStringLiteral("Zoe\u0308\u200B"), "", "Smith-Ng 2"} << jones
        << QStringLiteral("Zoe\u0308\u200B: Z = 8, o = 6, e = 5, \u25CC\u0308 = 0, U+200B = 0; together 19\nSmith-Ng 2: "
                          "S = 1, m = 4, i = 9, t = 2, h = 8, - = 0, N = 5, g = 7, blank = 0, 2 = 0; together 36\n");
    // A text document draws the object replacement character as an empty object; fonts draw the
    // braille blank as an empty cell.
    QTest::newRow("characters drawn as nothing are named")
        << QStringList{QStringLiteral("Jo\uFFFCn\u2800"), "", "Smith"} << jones
        << QStringLiteral("Jo\uFFFCn\u2800: J = 1, o = 6, U+FFFC = 0, n = 5, U+2800 = 0; together 12\n");
    QTest::newRow("another script counts nothing, and no paragraph has the key")
        << smith << QStringList{QStringLiteral("\u0396\u03C9\u03AE"), "", QStringLiteral("\u03A0")}
        << QStringLiteral("\u0396\u03C9\u03AE: \u0396 = 0, \u03C9 = 0, \u03AE = 0; together 0\n\u03A0: \u03A0 = 0; "
                          "together 0\nTotal: 0 + 0 = 0\nReduction: none, 0 has one digit\nDestiny number: 0\n");
    // A right-to-left override left open in a name would turn the numbers after it around.
    QTest::newRow("a run of direction a name leaves open is closed after it")
        << QStringList{QStringLiteral("\u202EJo"), "", "Smith"} << jones
        << QStringLiteral("Male: \u202EJo\u202C Smith\nDestiny\n\u202EJo\u202C: U+202E = 0, J = 1, o = 6; together 7\n");
    QTest::newRow("11 is kept, in words")
        << QStringList{QString(333, QLatin1Char('I')) + QLatin1Char('B'), "", "2"} << jones
        << QStringLiteral("Total: 2999 + 0 = 2999\nReduction: 2999 \u2192 2 + 9 + 9 + 9 = 29 \u2192 2 + 9 = 11\n"
                          "The second step gave 11, and 11 is kept: there is no third step to make it 2.\n"
                          "Destiny number: 11\n");
    QTest::newRow("the couple: keys and opening words, a key without a paragraph")
        << QStringList{"A", "", "B"} << QStringList{QStringLiteral("\u0396"), "", "7"}
        << QStringLiteral("The couple\nDestiny combination 3 + 0, key 30: no paragraph has this key\n"
                          "LifePath combination 5 + 3, key 53: \"This is a partnership built on passion and "
                          "\u2026\"\n");
    QTest::newRow("a name part of exactly 40 characters is shown whole")
        << QStringList{QString(40, QLatin1Char('J')), "", "Smith"} << jones
        << QStringLiteral("Male: ") + QString(40, QLatin1Char('J')) + QStringLiteral(" Smith\n");
    QTest::newRow("a name of 32,767 characters: the first 40 listed, the rest summed")
        << QStringList{QStringLiteral("Zo\u00EB").repeated(10922) + QLatin1Char('x'), "", "Smith"} << jones
        << QStringLiteral("\u2026: ") + QStringLiteral("Z = 8, o = 6, \u00EB \u2192 E = 5, ").repeated(13)
               + QStringLiteral("Z = 8, \u2026 and 32,727 more characters, adding up to 32509; together 32764\n"
                                "Smith: S = 1, m = 4 (left out), i = 9 (left out), t = 2, h = 8 (left out); "
                                "together 3\n"
                                "Total: 32764 + 3 = 32767\n"
                                "27,597 characters were not added in full: the total cannot go past 32,767.\n");
}

void tst_Working::names_showWhatEachCharacterCounts()
{
    QFETCH(QStringList, male);
    QFETCH(QStringList, female);
    QFETCH(QString, lines);
    const QString text = plainText(readings::working(couple(male, female)));
    QVERIFY2(text.contains(lines), qPrintable(text));
}

void tst_Working::headingsBold_restPlain()
{
    const readings::Reading working =
        readings::working(couple({"John", "", "Smith"}, {QStringLiteral("<b>Mary</b>"), "", "Jones"}));
    QCOMPARE(working.caption, QStringLiteral("How the Numbers Were Found"));
    QStringList bold;
    for (const readings::TextRun &run : working.runs) {
        if (run.bold)
            bold.append(run.text);
    }
    QCOMPARE(bold, QStringList({"Male: John Smith\r\n", "Destiny\r\n", "LifePath\r\n", "Female: <b>Mary</b> Jones\r\n",
                                "Destiny\r\n", "LifePath\r\n", "The couple\r\n"}));
}

QTEST_APPLESS_MAIN(tst_Working)
#include "tst_working.moc"
