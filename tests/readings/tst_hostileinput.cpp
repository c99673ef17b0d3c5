// Names and dates no one expects: very long, punctuation only, combining marks, right-to-left
// scripts and characters outside the Basic Multilingual Plane. Every computation completes, the
// numbers follow the letter rules (only the letters A to Z that a character decomposes to count,
// in either case) and texts pass through the readings, scrambling and the saved file without
// losing a character.
#include "core/documents/savedreadingfile.h"
#include "core/documents/scramble.h"
#include "core/numerology/numerology.h"
#include "core/readings/partnerdetails.h"
#include "core/readings/readingtexts.h"

#include <QTest>

using documents::SavedReadingFile;
using documents::ScrambleText;
using documents::UnscrambleText;
using numerology::SingleDigitNumber;
using numerology::StringToNumber;

namespace {

constexpr int kLong = 10000;

// The Destiny number exactly as the Destiny reading computes it.
qint16 destinyNumber(const QString &first, const QString &middle, const QString &last)
{
    return numerology::destinyNumber(readings::countedFullName(first, middle, last));
}

bool isDigitResult(qint16 n)
{
    return (n >= 0 && n <= 9) || n == 11;
}

QString repeated(const QString &unit, int totalLength)
{
    QString text;
    while (text.size() + unit.size() <= totalLength)
        text += unit;
    return text;
}

struct Hostile {
    const char *tag;
    QString text;
};

QList<Hostile> hostileNames()
{
    return {
        {"10,000 letters", QString(kLong, QLatin1Char('e'))},
        {"10,000 mixed-script characters", repeated(QStringLiteral("A\u05D0\u0301\U0001F600"), kLong)},
        {"punctuation only", QStringLiteral("!?.,;:'\"-()[]{}\u2014\u2026\u00AB\u00BB\u00BF")},
        {"combining marks only", QStringLiteral("\u0301\u0308\u0327\u20DD")},
        {"decomposed accents", QStringLiteral("Jose\u0301 Mu\u0308ller")},
        {"hebrew", QStringLiteral("\u05D3\u05D5\u05D3")},
        {"arabic beside latin", QStringLiteral("\u0645\u062D\u0645\u062F Ali")},
        {"right-to-left override", QStringLiteral("\u202EABC\u202C")},
        {"outside the BMP", QStringLiteral("\U0001D400\U0001D401 \U00010400 \U0001F600 \U0010FFFF")},
        {"near the surrogates and the top", QStringLiteral("\uD7FF\uE000\uFFFD\uFFFF")},
        {"blanks of other scripts", QStringLiteral("\u3000\u00A0Ann\u2003")},
    };
}

} // namespace

class tst_HostileInput : public QObject
{
    Q_OBJECT

private slots:
    void destinyNumber_followsLetterRules_data();
    void destinyNumber_followsLetterRules();
    void stringToNumber_anyLongName_isADigitOr11();
    void singleDigitNumber_hostileDateTexts_data();
    void singleDigitNumber_hostileDateTexts();
    void readingTexts_keepEveryCharacter_data();
    void readingTexts_keepEveryCharacter();
    void readingTexts_closeTheDirectionsANameLeavesOpen_data();
    void readingTexts_closeTheDirectionsANameLeavesOpen();
    void scramble_roundTrip_data();
    void scramble_roundTrip();
    void savedFile_hostileDetails_roundTrip();
};

void tst_HostileInput::destinyNumber_followsLetterRules_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("expected");

    // Long names: the letter sum stops at the last letter that keeps it within 16 bits.
    QTest::newRow("10,000 A: 10000 -> 1") << QString(kLong, 'A') << "" << "" << 1;
    QTest::newRow("10,000 E stop at 32765 -> 23 -> 5") << QString(kLong, 'E') << "" << "" << 5;
    QTest::newRow("10,000 I stop at 32760 -> 18 -> 9") << QString(kLong, 'I') << "" << "" << 9;
    QTest::newRow("10,000 lower-case e count as E") << QString(kLong, 'e') << "" << "" << 5;
    QTest::newRow("three names of 10,000: 30000 then C up to 32766 -> 24 -> 6")
        << QString(kLong, 'A') << QString(kLong, 'B') << QString(kLong, 'C') << 6;
    QTest::newRow("10,000 mixed-script characters: only the 2000 A count -> 2")
        << repeated(QStringLiteral("A\u05D0\u0301\U0001F600"), kLong) << "" << "" << 2;

    // Nothing that does not decompose to A to Z counts.
    QTest::newRow("punctuation only") << "!?.,;:'\"-()[]{}" << "" << QStringLiteral("\u2014\u2026\u00AB\u00BB\u00BF\u00A1") << 0;
    QTest::newRow("digits and blanks only") << "12345" << "   " << "0" << 0;
    QTest::newRow("combining marks only") << QStringLiteral("\u0301\u0308\u0327\u20DD") << "" << "" << 0;
    QTest::newRow("hebrew") << QStringLiteral("\u05D3\u05D5\u05D3") << "" << QStringLiteral("\u05DB\u05D4\u05DF") << 0;

    // Letters among other characters count as the letters they decompose to.
    QTest::newRow("outside the BMP, mathematical ABC count, deseret not: 6")
        << QStringLiteral("\U0001D400\U0001D401\U0001D402") << "" << QStringLiteral("\U00010428\U00010400") << 6;
    QTest::newRow("fullwidth letters count as theirs: ABC -> 6")
        << QStringLiteral("\uFF21\uFF22\uFF23") << "" << "" << 6;
    QTest::newRow("precomposed accents keep their letters: 13 + 27 = 40 -> 4")
        << QStringLiteral("Jos\u00E9") << "" << QStringLiteral("M\u00FCller") << 4;
    QTest::newRow("decomposed accents keep their letters: 13 + 27 = 40 -> 4")
        << QStringLiteral("Jose\u0301") << "" << QStringLiteral("Mu\u0308ller") << 4;
    QTest::newRow("arabic beside latin: ALI = 13 -> 4") << QStringLiteral("\u0645\u062D\u0645\u062F") << ""
                                                        << "Ali" << 4;
    QTest::newRow("right-to-left override around ABC -> 6") << QStringLiteral("\u202EABC\u202C") << "" << "" << 6;
    QTest::newRow("emoji between letters -> 3") << QStringLiteral("A\U0001F600B") << "" << "" << 3;

    // Case does not matter, even where upper-casing makes two letters of one.
    QTest::newRow("sharp s upper-cases to SS -> 2") << QStringLiteral("\u00DF") << "" << "" << 2;
    QTest::newRow("dotless i upper-cases to I -> 9") << QStringLiteral("\u0131") << "" << "" << 9;
    QTest::newRow("ligature fi upper-cases to FI -> 15 -> 6") << QStringLiteral("\uFB01") << "" << "" << 6;
}

void tst_HostileInput::destinyNumber_followsLetterRules()
{
    QFETCH(QString, first);
    QFETCH(QString, middle);
    QFETCH(QString, last);
    QFETCH(int, expected);
    QCOMPARE(destinyNumber(first, middle, last), qint16(expected));
}

void tst_HostileInput::stringToNumber_anyLongName_isADigitOr11()
{
    // Every letter, alone and after 10,000 of every other letter: the sum saturates at many
    // different totals, and each reduces to one digit or 11.
    for (char a = 'A'; a <= 'Z'; ++a) {
        for (char b = 'A'; b <= 'Z'; ++b) {
            const QString name = QString(kLong, QLatin1Char(a)) + QLatin1Char(b);
            const qint16 n = StringToNumber(name);
            QVERIFY2(isDigitResult(n), qPrintable(QStringLiteral("%1 x 10000 then %2 gave %3").arg(a).arg(b).arg(n)));
        }
    }
}

void tst_HostileInput::singleDigitNumber_hostileDateTexts_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("expected");

    QTest::newRow("ordinary: 15 March 1985 -> 5") << "15" << "March" << "1985" << 5;
    // A text that is no number within range adds nothing; only exact English month names count.
    QTest::newRow("day of 10,000 digits adds nothing: 1991 -> 2") << QString(kLong, '1') << "January" << "1990" << 2;
    QTest::newRow("arabic-indic day adds nothing: 1988 -> 8") << QStringLiteral("\u0661\u0665") << "March" << "1985" << 8;
    QTest::newRow("month with a combining mark adds nothing: 2000 -> 2")
        << "15" << QStringLiteral("March\u0301") << "1985" << 2;
    QTest::newRow("year behind a right-to-left mark adds nothing: 18 -> 9")
        << "15" << "March" << QStringLiteral("\u200F1985") << 9;
    QTest::newRow("year outside the BMP adds nothing: 18 -> 9") << "15" << "March" << QStringLiteral("\U0001D7D9") << 9;
    QTest::newRow("punctuation everywhere: 0") << "-." << "?" << "+" << 0;
}

void tst_HostileInput::singleDigitNumber_hostileDateTexts()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(int, expected);
    QCOMPARE(SingleDigitNumber(day, month, year), qint16(expected));
}

void tst_HostileInput::readingTexts_keepEveryCharacter_data()
{
    QTest::addColumn<QString>("name");
    for (const Hostile &h : hostileNames())
        QTest::newRow(h.tag) << h.text;
}

void tst_HostileInput::readingTexts_keepEveryCharacter()
{
    QFETCH(QString, name);

    const QString displayed = readings::displayedFullName(name, name, name);
    QCOMPARE(displayed, name + QLatin1Char(' ') + name + QLatin1Char(' ') + name);
    QCOMPARE(readings::countedFullName(name, QString(), name), name.trimmed() + name.trimmed());

    // The name line holds the name as it is, between fixed lines.
    const QString block = readings::partnerBlock(QStringLiteral("Male Information"), name, QStringLiteral("March"),
                                                 QStringLiteral("15"), QStringLiteral("1985"));
    const QStringList lines = block.split(readings::crlf());
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.at(0), QStringLiteral("Male Information"));
    QCOMPARE(lines.at(1), QStringLiteral("Name: ") + name);
    QCOMPARE(lines.at(2), QStringLiteral("Date of Birth: March 15, 1985"));
}

// An embedding, override or isolate a name leaves open would turn the rest of its line around.
void tst_HostileInput::readingTexts_closeTheDirectionsANameLeavesOpen_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("shown"); // the Name line's name, with "Paul" and "Smith" after it
    QTest::newRow("override left open") << QStringLiteral("\u202EJohn") << QStringLiteral("\u202EJohn\u202C");
    QTest::newRow("embedding inside an isolate, both open")
        << QStringLiteral("\u2067A\u202BB") << QStringLiteral("\u2067A\u202BB\u202C\u2069");
    QTest::newRow("closed runs kept as they are") << QStringLiteral("\u202EJo\u202Chn") << QStringLiteral("\u202EJo\u202Chn");
    QTest::newRow("closing an isolate closes what opened inside it")
        << QStringLiteral("\u2068A\u202DB\u2069C") << QStringLiteral("\u2068A\u202DB\u2069C");
    QTest::newRow("an isolate is not closed by the end of an embedding")
        << QStringLiteral("\u2066A\u202C") << QStringLiteral("\u2066A\u202C\u2069");
    QTest::newRow("stray closing marks") << QStringLiteral("\u202CJohn\u2069") << QStringLiteral("\u202CJohn\u2069");
}

void tst_HostileInput::readingTexts_closeTheDirectionsANameLeavesOpen()
{
    QFETCH(QString, first);
    QFETCH(QString, shown);
    QCOMPARE(readings::displayedFullName(first, QStringLiteral("Paul"), QStringLiteral("Smith")),
             shown + QStringLiteral(" Paul Smith"));
}

void tst_HostileInput::scramble_roundTrip_data()
{
    readingTexts_keepEveryCharacter_data();
}

void tst_HostileInput::scramble_roundTrip()
{
    QFETCH(QString, name);
    const QString scrambled = ScrambleText(name);
    QCOMPARE(scrambled.toUcs4().size(), name.toUcs4().size()); // one character for one
    QVERIFY(!scrambled.contains(QLatin1Char('\r')) && !scrambled.contains(QLatin1Char('\n')));
    QCOMPARE(UnscrambleText(scrambled), name);
}

void tst_HostileInput::savedFile_hostileDetails_roundTrip()
{
    const QList<Hostile> names = hostileNames();
    for (int i = 0; i < names.size(); ++i) {
        readings::PartnerDetails written;
        written.MaleFirstName = names.at(i).text;
        written.MaleMiddleName = names.at((i + 1) % names.size()).text;
        written.MaleLastName = names.at((i + 2) % names.size()).text;
        written.FemaleFirstName = names.at((i + 3) % names.size()).text;
        written.FemaleMiddleName = names.at((i + 4) % names.size()).text;
        written.FemaleLastName = names.at((i + 5) % names.size()).text;
        written.MaleBirthMonth = QStringLiteral("March");
        written.MaleBirthDay = QStringLiteral("15");
        written.MaleBirthYear = QStringLiteral("1985");
        written.FemaleBirthMonth = QStringLiteral("July");
        written.FemaleBirthDay = QStringLiteral("4");
        written.FemaleBirthYear = QStringLiteral("1990");

        const std::optional<readings::PartnerDetails> read =
            SavedReadingFile::fromBytes(SavedReadingFile::toBytes(written));
        QVERIFY2(read, names.at(i).tag);
        QCOMPARE(read->toList(), written.toList());
    }
}

QTEST_APPLESS_MAIN(tst_HostileInput)
#include "tst_hostileinput.moc"
