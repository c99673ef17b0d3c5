#include "core/numerology/compatibility.h"

#include <QSet>
#include <QTest>

using numerology::CompatibilityText;
using numerology::compatibilityKeys;

namespace {

QString keyText(int key)
{
    return QString::number(key);
}

// Every key of the table with its paragraph's opening words and length. Rows name every key
// that shares the paragraph.
struct ParagraphShape
{
    QList<int> keys;
    const char *opening;
    int length;
};

QList<ParagraphShape> paragraphShapes()
{
    return {
        {{11}, "This is a combat of egos, which is", 276},
        {{12}, "An ideal and nice match but with a", 114},
        {{21}, "A nice match but with a tendency towards", 159},
        {{13, 31}, "This is a pretty happening relationship. Your relationship", 213},
        {{14, 41}, "Harmony may not always come easy, must strive", 234},
        {{15, 51}, "This relationship has all the excitement of a", 240},
        {{16, 61}, "Pleasure and affluence are ready to be showered", 191},
        {{17, 71}, "A good intellectual match. This relationship portrays unusual", 138},
        {{18, 81}, "This is a very ambitious partnership. Have your", 172},
        {{19, 91}, "This is a very fiery relationship. Learn to", 213},
        {{22}, "Both of you are a lot like each", 229},
        {{23, 32}, "The future may have some difficulties in store", 198},
        {{24, 42}, "A moderately steady relationship, at times boring. You", 178},
        {{25, 52}, "You both are very different from each other.", 198},
        {{26, 62}, "You are quite attuned to each other and", 193},
        {{27, 72}, "This relationship will survive if both of you", 155},
        {{28, 82}, "This is a very complementary match. Can be", 139},
        {{29, 92}, "A bit of extremeness can lead your lives.", 247},
        {{33}, "This will be a wild journey. Evade overdoing", 100},
        {{34, 43}, "This relationship will take its toll on the", 237},
        {{35, 53}, "This is a partnership built on passion and", 93},
        {{36, 63}, "This is a very homely combination. You will", 152},
        {{37, 73}, "Diverse people, miscellaneous needs. You need to work", 173},
        {{38, 83}, "This is an association of opposites. Things may", 186},
        {{39, 93}, "Life is your stage, there is not much", 158},
        {{44}, "This is a very an association based on", 221},
        {{45, 54}, "This is an egoistic relationship. The usual problem", 285},
        {{46, 64}, "This is a made for each other match.", 128},
        {{47, 74}, "This is a very serious relationship. Maybe things", 174},
        {{48, 84}, "Some good signs in relations. Generally you both", 131},
        {{49, 94}, "This is a very difficult and improbable combination.", 167},
        {{55}, "This is an unusual relationship. You have a", 184},
        {{56, 65}, "More than accurate effort, some compromises are in", 167},
        {{57, 75}, "A relationship built on individual freedom. You need", 131},
        {{58, 85}, "Your life is always full of new plans", 134},
        {{59, 95}, "An unusual combination but willing to explore all", 128},
        {{66}, "Both of you relate to other people very", 155},
        {{67, 76}, "A difficult combination requiring some compromise. Try to", 154},
        {{68, 86}, "A good match, likely to continue. Keep away", 90},
        {{69, 96}, "For the most part of life, this is", 153},
        {{77}, "Allow for some individual peculiarity. Respect each other's", 157},
        {{78, 87}, "In this relationship, happiness is centered on careers.", 170},
        {{79, 97}, "This relationship definitely has a spiritual appeal and", 129},
        {{88}, "This is a very dynamic association. It's the", 112},
        {{89, 98}, "This relationship has much potential for love and", 152},
        {{99}, "Both of have very lofty ideals. Both of", 94},
    };
}

} // namespace

class tst_Compatibility : public QObject
{
    Q_OBJECT

private slots:
    void keys_areElevenToNinetyNineWithoutZero();
    void table_holdsFortySixDistinctParagraphs();
    void paragraph_hasItsOpeningAndLength_data();
    void paragraph_hasItsOpeningAndLength();
    void paragraph_isOneLineOfPrintableAscii_data();
    void paragraph_isOneLineOfPrintableAscii();
    void pairs_shareOneParagraphForBothOrders();
    void twelveAndTwentyOne_differ();
    void key_isReadAsDecimalNumber_data();
    void key_isReadAsDecimalNumber();
    void keyWithZeroDigit_hasNoParagraph();

private:
    void addEveryKey();
};

void tst_Compatibility::keys_areElevenToNinetyNineWithoutZero()
{
    QList<int> expected;
    for (int male = 1; male <= 9; ++male) {
        for (int female = 1; female <= 9; ++female)
            expected.append(male * 10 + female);
    }
    QCOMPARE(compatibilityKeys(), expected);
    QCOMPARE(expected.size(), 81);
}

void tst_Compatibility::table_holdsFortySixDistinctParagraphs()
{
    QSet<QString> paragraphs;
    for (const int key : compatibilityKeys()) {
        const QString text = CompatibilityText(keyText(key));
        QVERIFY2(!text.isEmpty(), qPrintable(keyText(key)));
        paragraphs.insert(text);
    }
    QCOMPARE(paragraphs.size(), 46);
}

void tst_Compatibility::addEveryKey()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<int>("length");

    int keyCount = 0;
    for (const ParagraphShape &shape : paragraphShapes()) {
        for (const int key : shape.keys) {
            QTest::addRow("key %d", key) << key << QString::fromLatin1(shape.opening) << shape.length;
            ++keyCount;
        }
    }
    QCOMPARE(keyCount, 81);
}

void tst_Compatibility::paragraph_hasItsOpeningAndLength_data()
{
    addEveryKey();
}

void tst_Compatibility::paragraph_hasItsOpeningAndLength()
{
    QFETCH(int, key);
    QFETCH(QString, opening);
    QFETCH(int, length);

    const QString text = CompatibilityText(keyText(key));
    // The opening words end at a word boundary: the paragraph goes on after a blank.
    QVERIFY2(text.startsWith(opening + QLatin1Char(' ')), qPrintable(text));
    QCOMPARE(text.size(), length);
}

void tst_Compatibility::paragraph_isOneLineOfPrintableAscii_data()
{
    addEveryKey();
}

void tst_Compatibility::paragraph_isOneLineOfPrintableAscii()
{
    QFETCH(int, key);

    const QString text = CompatibilityText(keyText(key));
    for (const QChar c : text)
        QVERIFY2(c.unicode() >= 0x20 && c.unicode() <= 0x7E, qPrintable(text));
    QCOMPARE(text, text.trimmed());
    QVERIFY2(!text.contains(QLatin1String("  ")), qPrintable(text));
    QVERIFY2(text.endsWith(QLatin1Char('.')), qPrintable(text));
}

void tst_Compatibility::pairs_shareOneParagraphForBothOrders()
{
    QCOMPARE(CompatibilityText("35"), CompatibilityText("53"));
    for (int low = 1; low <= 9; ++low) {
        for (int high = low + 1; high <= 9; ++high) {
            if (low == 1 && high == 2)
                continue;
            const int key = low * 10 + high;
            const int reversed = high * 10 + low;
            QVERIFY2(CompatibilityText(keyText(key)) == CompatibilityText(keyText(reversed)),
                     qPrintable(keyText(key)));
        }
    }
}

void tst_Compatibility::twelveAndTwentyOne_differ()
{
    const QString twelve = CompatibilityText("12");
    const QString twentyOne = CompatibilityText("21");
    QVERIFY(twelve != twentyOne);
    QVERIFY(twelve.contains(QLatin1String("typecast roles")));
    QVERIFY(!twelve.contains(QLatin1String("stereotyped roles")));
    QVERIFY(twentyOne.contains(QLatin1String("stereotyped roles")));
    QVERIFY(!twentyOne.contains(QLatin1String("typecast roles")));
    // 21 says the same as 12 and closes with one sentence more.
    QCOMPARE(twentyOne.count(QLatin1Char('.')), twelve.count(QLatin1Char('.')) + 1);
}

void tst_Compatibility::key_isReadAsDecimalNumber_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("readsAs"); // 0: the table has no such key

    QTest::newRow("two digits") << "35" << 35;
    QTest::newRow("leading zero, male 0 and female 11") << "011" << 11;
    QTest::newRow("several leading zeros") << "00047" << 47;
    QTest::newRow("surrounding blanks") << " 35 " << 35;
    QTest::newRow("male 0") << "05" << 0;
    QTest::newRow("female 0") << "50" << 0;
    QTest::newRow("female 11") << "511" << 0;
    QTest::newRow("male 11") << "115" << 0;
    QTest::newRow("one digit") << "5" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("blanks only") << "   " << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("trailing letter") << "35a" << 0;
    QTest::newRow("blank inside") << "3 5" << 0;
    QTest::newRow("negative") << "-35" << 0;
    QTest::newRow("too large for an int") << "99999999999999999999" << 0;
}

void tst_Compatibility::key_isReadAsDecimalNumber()
{
    QFETCH(QString, key);
    QFETCH(int, readsAs);

    const QString original = key;
    const QString text = CompatibilityText(key);
    QCOMPARE(key, original);
    if (readsAs == 0) {
        QCOMPARE(text, QString());
    } else {
        QVERIFY(!text.isEmpty());
        QCOMPARE(text, CompatibilityText(keyText(readsAs)));
    }
}

void tst_Compatibility::keyWithZeroDigit_hasNoParagraph()
{
    for (int first = 0; first <= 9; ++first) {
        for (int second = 0; second <= 9; ++second) {
            if (first != 0 && second != 0)
                continue;
            const QString key = QString::number(first) + QString::number(second);
            QVERIFY2(CompatibilityText(key).isEmpty(), qPrintable(key));
        }
    }
}

QTEST_APPLESS_MAIN(tst_Compatibility)
#include "tst_compatibility.moc"
