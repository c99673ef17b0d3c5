#include "core/documents/scramble.h"

#include <QTest>

using documents::ScrambleOffset;
using documents::ScrambleText;
using documents::UnscrambleText;

namespace {

// No lone surrogate: the text survives a trip through UTF-32 unchanged.
bool isWellFormed(const QString &text)
{
    const QList<uint> codes = text.toUcs4();
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(codes.constData()), codes.size()) == text;
}

} // namespace

class tst_Scramble : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_keepsEveryCharacter_data();
    void roundTrip_keepsEveryCharacter();
    void printableAscii_gainsExactlyTheOffset();
    void offset_isTwoDecimalDigits();
    void lineBreaksAndNul_neverAppearInScrambledText_data();
    void lineBreaksAndNul_neverAppearInScrambledText();
    void edgesOfTheCharacterRange_comeBack_data();
    void edgesOfTheCharacterRange_comeBack();
    void empty_staysEmpty();
};

void tst_Scramble::roundTrip_keepsEveryCharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii name") << QStringLiteral("John Paul Smith");
    QTest::newRow("digits and month") << QStringLiteral("March 5, 1970");
    QTest::newRow("accented latin") << QStringLiteral("Ren\u00e9e \u00c5ngstr\u00f6m \u0141ukasz \u00df\u00ff");
    QTest::newRow("greek") << QStringLiteral("\u0391\u03bb\u03ad\u03be\u03b1\u03bd\u03b4\u03c1\u03bf\u03c2");
    QTest::newRow("cyrillic") << QStringLiteral("\u0410\u043d\u043d\u0430 \u041f\u0435\u0442\u0440\u043e\u0432\u0430");
    QTest::newRow("cjk") << QStringLiteral("\u738b\u5c0f\u660e \u5c71\u7530\u82b1\u5b50");
    QTest::newRow("hangul") << QStringLiteral("\uae40\ubbfc\uc900");
    QTest::newRow("arabic") << QStringLiteral("\u0645\u062d\u0645\u062f");
    QTest::newRow("combining marks") << QStringLiteral("Jose\u0301 Zoe\u0308 n\u0303");
    QTest::newRow("emoji") << QString::fromUtf8("Ann \xf0\x9f\x98\x80 \xf0\x9f\x91\xa9\xe2\x80\x8d\xf0\x9f\x91\xa9");
    QTest::newRow("cjk extension b") << QString::fromUtf8("\xf0\xa0\x80\x80\xf0\xaa\x9b\x96");
    QTest::newRow("tab stays") << QStringLiteral("a\tb");
}

void tst_Scramble::roundTrip_keepsEveryCharacter()
{
    QFETCH(QString, text);
    const QString scrambled = ScrambleText(text);
    QVERIFY(scrambled != text);
    QCOMPARE(UnscrambleText(scrambled), text);
    QCOMPARE(scrambled.toUcs4().size(), text.toUcs4().size());
    QVERIFY(isWellFormed(scrambled));
}

void tst_Scramble::printableAscii_gainsExactlyTheOffset()
{
    for (char16_t c = 0x20; c < 0x7F; ++c) {
        const QString scrambled = ScrambleText(QString(QChar(c)));
        QCOMPARE(scrambled.size(), 1);
        QCOMPARE(scrambled.at(0).unicode(), char16_t(c + ScrambleOffset));
    }
    QCOMPARE(ScrambleText(QStringLiteral("1970")), QStringLiteral("V^\\U"));
}

void tst_Scramble::offset_isTwoDecimalDigits()
{
    QVERIFY(ScrambleOffset >= 10 && ScrambleOffset <= 99);
}

void tst_Scramble::lineBreaksAndNul_neverAppearInScrambledText_data()
{
    QTest::addColumn<QString>("text");
    // Characters that land on or next to CR and LF after a shift in either direction.
    QString below;
    for (char16_t c = 0x20; c < 0x20 + 2 * ScrambleOffset; ++c)
        below += QChar(c);
    QTest::newRow("low printable") << below;
    QTest::newRow("line breaks") << QStringLiteral("a\r\nb\nc\rd");
    QTest::newRow("nul") << QString(QChar(0)) + QStringLiteral("x");
    QTest::newRow("top of unicode") << QString::fromUcs4(U"\U0010FFFF\U0010FFFE\U0010FFDB");
}

void tst_Scramble::lineBreaksAndNul_neverAppearInScrambledText()
{
    QFETCH(QString, text);
    for (const QString &out : {ScrambleText(text), UnscrambleText(text)}) {
        QVERIFY2(!out.contains(QLatin1Char('\r')), qPrintable(out));
        QVERIFY2(!out.contains(QLatin1Char('\n')), qPrintable(out));
        QVERIFY2(!out.contains(QChar(0)), qPrintable(out));
        QVERIFY(isWellFormed(out));
    }
}

void tst_Scramble::edgesOfTheCharacterRange_comeBack_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<uint>("scrambled");
    QTest::newRow("blank") << 0x20u << 0x45u;
    QTest::newRow("tilde") << 0x7Eu << 0xA3u;
    QTest::newRow("y diaeresis") << 0xFFu << 0x124u;
    QTest::newRow("before the surrogates") << 0xD7FFu << 0xE024u;
    QTest::newRow("just before the surrogates") << 0xD7DAu << 0xD7FFu;
    QTest::newRow("after the surrogates") << 0xE000u << 0xE025u;
    QTest::newRow("into the supplementary planes") << 0xFFFFu << 0x10024u;
    QTest::newRow("top wraps to the bottom") << 0x10FFFFu << 0x44u;
}

void tst_Scramble::edgesOfTheCharacterRange_comeBack()
{
    QFETCH(uint, code);
    QFETCH(uint, scrambled);
    const char32_t in[] = {char32_t(code)};
    const char32_t out[] = {char32_t(scrambled)};
    const QString text = QString::fromUcs4(in, 1);
    QCOMPARE(ScrambleText(text), QString::fromUcs4(out, 1));
    QCOMPARE(UnscrambleText(ScrambleText(text)), text);
}

void tst_Scramble::empty_staysEmpty()
{
    QCOMPARE(ScrambleText(QString()), QString());
    QCOMPARE(UnscrambleText(QString()), QString());
}

QTEST_APPLESS_MAIN(tst_Scramble)
#include "tst_scramble.moc"
