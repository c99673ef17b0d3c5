#include "core/documents/savedreadingfile.h"
#include "core/documents/scramble.h"
#include "core/readings/validation.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using documents::SavedReadingFile;
using readings::PartnerDetails;

namespace {

PartnerDetails johnAndAnn()
{
    return PartnerDetails::fromList({
        QStringLiteral("John"), QStringLiteral("Paul"), QStringLiteral("Smith"),
        QStringLiteral("Ann"), QString(), QStringLiteral("Lee"),
        QStringLiteral("March"), QStringLiteral("5"), QStringLiteral("1970"),
        QStringLiteral("July"), QStringLiteral("12"), QStringLiteral("1972"),
    });
}

// The lines as they are written: every detail shifted by 37 along the character codes.
QByteArray johnAndAnnBytes()
{
    return QByteArray("o\x94\x8d\x93\r\n"          // John
                      "u\x86\x9a\x91\r\n"          // Paul
                      "x\x92\x8e\x99\x8d\r\n"      // Smith
                      "f\x93\x93\r\n"              // Ann
                      "\r\n"                       // (empty)
                      "q\x8a\x8a\r\n"              // Lee
                      "r\x86\x97\x88\x8d\r\n"      // March
                      "Z\r\n"                      // 5
                      "V^\\U\r\n"                  // 1970
                      "o\x9a\x91\x9e\r\n"          // July
                      "VW\r\n"                     // 12
                      "V^\\W\r\n");                // 1972
}

// The worked example's first count lines, each ended by separator.
QByteArray twelveLines(const QByteArray &separator, int count = 12)
{
    QByteArray bytes;
    for (const QString &detail : johnAndAnn().toList().mid(0, count))
        bytes += documents::ScrambleText(detail).toUtf8() + separator;
    return bytes;
}

} // namespace

class tst_SavedReadingFile : public QObject
{
    Q_OBJECT

private slots:
    void toBytes_workedExample_byteExact();
    void toBytes_isUtf8WithTwelveCrLfLines();
    void roundTrip_keepsEveryDetail_data();
    void roundTrip_keepsEveryDetail();
    void fromBytes_acceptsWhatAPersonMightWrite_data();
    void fromBytes_acceptsWhatAPersonMightWrite();
    void fromBytes_refusesWhatTheMainWindowCannotShow_data();
    void fromBytes_refusesWhatTheMainWindowCannotShow();
    void fromBytes_pastedBreakSavedAsItWas_opensAsABlank_data();
    void fromBytes_pastedBreakSavedAsItWas_opensAsABlank();
    void read_file_data();
    void read_file();
    void savePath_addsKvlUnlessThePathEndsInIt_data();
    void savePath_addsKvlUnlessThePathEndsInIt();
};

void tst_SavedReadingFile::toBytes_workedExample_byteExact()
{
    // The high bytes above are Latin-1 code points; written as UTF-8 they take two bytes each.
    const QByteArray expected = QString::fromLatin1(johnAndAnnBytes()).toUtf8();
    QCOMPARE(SavedReadingFile::toBytes(johnAndAnn()), expected);
}

void tst_SavedReadingFile::toBytes_isUtf8WithTwelveCrLfLines()
{
    PartnerDetails details = johnAndAnn();
    details.FemaleFirstName = QStringLiteral("\u00c5sa \u738b \U0001F600"); // accented, CJK, emoji
    details.MaleLastName = QStringLiteral("two\r\nlines");
    const QByteArray bytes = SavedReadingFile::toBytes(details);

    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), 12);
    QCOMPARE(bytes.count('\r'), 12);
    QCOMPARE(bytes.count('\n'), 12);
    QVERIFY(!bytes.contains('\0'));
    QCOMPARE(QString::fromUtf8(bytes).toUtf8(), bytes); // valid UTF-8
}

void tst_SavedReadingFile::roundTrip_keepsEveryDetail_data()
{
    // The six names; the dates are the worked example's.
    QTest::addColumn<QStringList>("names");
    QTest::newRow("worked example") << johnAndAnn().toList().mid(0, 6);
    QTest::newRow("accented latin") << QStringList{QStringLiteral("Ren\u00e9e"), QStringLiteral("Fran\u00e7ois"),
                                                   QStringLiteral("M\u00fcller-\u0141\u00f3d\u017a"),
                                                   QStringLiteral("\u00c6sa"), QStringLiteral("Zo\u00eb"),
                                                   QStringLiteral("\u00d8stergaard")};
    QTest::newRow("greek and cyrillic") << QStringList{QStringLiteral("\u0393\u03b9\u03ce\u03c1\u03b3\u03bf\u03c2"),
                                                       QString(), QStringLiteral("\u03a0\u03b1\u03c0\u03b1\u03c2"),
                                                       QStringLiteral("\u041e\u043b\u044c\u0433\u0430"), QString(),
                                                       QStringLiteral("\u0418\u0432\u0430\u043d\u043e\u0432\u0430")};
    QTest::newRow("cjk and hangul") << QStringList{QStringLiteral("\u592a\u90ce"), QString(),
                                                   QStringLiteral("\u5c71\u7530"), QStringLiteral("\uc9c0\uc544"),
                                                   QString(), QStringLiteral("\uae40")};
    QTest::newRow("emoji and combining") << QStringList{QStringLiteral("\U0001F600"), QStringLiteral("Jose\u0301"),
                                                        QStringLiteral("\U0001F469\u200D\U0001F469"),
                                                        QStringLiteral("n\u0303a"), QStringLiteral("\U00020000"),
                                                        QStringLiteral("e\u0308\u0301")};
    QTest::newRow("first detail scrambles to a byte order mark")
        << QStringList{QStringLiteral("\uFEDA\uFEDA"), QString(), QStringLiteral("x"), QStringLiteral("Ann"), QString(),
                       QStringLiteral("Lee")};
    QTest::newRow("six names just under the size limit") << QStringList(6, QString(3600, QChar(0x4E00)));
    QTest::newRow("a name as long as a name box takes")
        << QStringList{QString(readings::MaximumDetailLength, QLatin1Char('A')), QString(), QStringLiteral("b"),
                       QStringLiteral("c"), QString(), QStringLiteral("d")};
    QTest::newRow("near the top of unicode") << QStringList{QStringLiteral("\uFFD9"), QStringLiteral("\uD7FF"),
                                                            QStringLiteral("\U0010FFFF"), QStringLiteral("\uFFFD"),
                                                            QString(), QStringLiteral("\uFFFF")};
}

void tst_SavedReadingFile::roundTrip_keepsEveryDetail()
{
    QFETCH(QStringList, names);
    const PartnerDetails written = PartnerDetails::fromList(names + johnAndAnn().toList().mid(6));
    const std::optional<PartnerDetails> read = SavedReadingFile::fromBytes(SavedReadingFile::toBytes(written));
    QVERIFY(read);
    QCOMPARE(read->toList(), written.toList());
}

void tst_SavedReadingFile::fromBytes_acceptsWhatAPersonMightWrite_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("crlf") << twelveLines("\r\n");
    QTest::newRow("lf only") << twelveLines("\n");
    QTest::newRow("no line end after the last line") << twelveLines("\r\n").chopped(2);
    QTest::newRow("lines after the twelfth ignored") << twelveLines("\r\n") + "xyz\r\n\t\r\n";
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF") + twelveLines("\r\n");
    QTest::newRow("exactly the maximum size")
        << twelveLines("\r\n") + QByteArray(SavedReadingFile::MaximumSize - twelveLines("\r\n").size(), 'a');
}

void tst_SavedReadingFile::fromBytes_acceptsWhatAPersonMightWrite()
{
    QFETCH(QByteArray, bytes);
    const std::optional<PartnerDetails> read = SavedReadingFile::fromBytes(bytes);
    QVERIFY(read);
    QCOMPARE(read->toList(), johnAndAnn().toList());
}

void tst_SavedReadingFile::fromBytes_refusesWhatTheMainWindowCannotShow_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // The worked example with some details (by line, 0 to 11) in place of its own.
    const auto with = [](const QList<std::pair<int, QString>> &changes) {
        QStringList details = johnAndAnn().toList();
        for (const auto &[line, detail] : changes)
            details[line] = detail;
        return SavedReadingFile::toBytes(PartnerDetails::fromList(details));
    };
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("blank lines only") << QByteArray("\r\n").repeated(12);
    QTest::newRow("eleven lines") << twelveLines("\r\n", 11);
    QTest::newRow("first name blank") << with({{0, QStringLiteral("   ")}});
    QTest::newRow("month not in the list: Smarch") << with({{6, QStringLiteral("Smarch")}});
    QTest::newRow("month in lower case") << with({{9, QStringLiteral("july")}});
    QTest::newRow("day with a blank before it") << with({{7, QStringLiteral(" 5")}});
    QTest::newRow("day 32") << with({{10, QStringLiteral("32")}});
    QTest::newRow("year before the list") << with({{8, QStringLiteral("1899")}});
    QTest::newRow("female year after the list") << with({{11, QStringLiteral("2051")}});
    QTest::newRow("30 February") << with({{6, QStringLiteral("February")}, {7, QStringLiteral("30")}});
    QTest::newRow("29 February 1900") << with({{9, QStringLiteral("February")}, {10, QStringLiteral("29")},
                                               {11, QStringLiteral("1900")}});
    QTest::newRow("name longer than a name box takes")
        << with({{2, QString(readings::MaximumDetailLength + 1, QLatin1Char('s'))}});
    QTest::newRow("not utf-8") << QByteArray("o\xff\r\n") + twelveLines("\r\n").mid(twelveLines("\r\n").indexOf('\n') + 1);
    QTest::newRow("utf-16 file") << QByteArray(reinterpret_cast<const char *>(u"John\r\n"), 12);
    QTest::newRow("nul at the start") << QByteArray(1, '\0') + twelveLines("\r\n");
    QTest::newRow("nul inside a line") << twelveLines("\r\n").replace("Z", QByteArray(1, '\0'));
    QTest::newRow("one byte over the maximum size")
        << twelveLines("\r\n") + QByteArray(SavedReadingFile::MaximumSize + 1 - twelveLines("\r\n").size(), 'a');
}

void tst_SavedReadingFile::fromBytes_refusesWhatTheMainWindowCannotShow()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!SavedReadingFile::fromBytes(bytes));
}

void tst_SavedReadingFile::fromBytes_pastedBreakSavedAsItWas_opensAsABlank_data()
{
    // Save once wrote a name as the box held it, and a box kept a pasted tab or line separator.
    // The reading opens with the blank a name box now puts in its place, on one line.
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("opened");
    QTest::newRow("tab") << QStringLiteral("John\tPaul") << QStringLiteral("John Paul");
    QTest::newRow("escape") << QStringLiteral("\x1b[31mJohn") << QStringLiteral(" [31mJohn");
    QTest::newRow("C1 control") << QStringLiteral("Jo\u0085hn") << QStringLiteral("Jo hn");
    QTest::newRow("line separator") << QStringLiteral("John\u2028Name: Nobody") << QStringLiteral("John Name: Nobody");
    QTest::newRow("paragraph separator") << QStringLiteral("John\u2029Female Information")
                                         << QStringLiteral("John Female Information");
    QTest::newRow("frame mark of rich text") << QStringLiteral("Jo\uFDD0hn\uFDD1") << QStringLiteral("Jo hn ");
}

void tst_SavedReadingFile::fromBytes_pastedBreakSavedAsItWas_opensAsABlank()
{
    QFETCH(QString, saved);
    QFETCH(QString, opened);
    PartnerDetails details = johnAndAnn();
    details.MaleFirstName = saved;
    const std::optional<PartnerDetails> read = SavedReadingFile::fromBytes(SavedReadingFile::toBytes(details));
    QVERIFY(read);
    details.MaleFirstName = opened;
    QCOMPARE(read->toList(), details.toList());
}

void tst_SavedReadingFile::read_file_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("saved reading") << QStringLiteral("saved") << true;
    QTest::newRow("missing") << QStringLiteral("missing") << false;
    QTest::newRow("a folder") << QStringLiteral("folder") << false;
    QTest::newRow("exactly the maximum size") << QStringLiteral("full") << true;
    QTest::newRow("too large") << QStringLiteral("large") << false;
    QTest::newRow("nul bytes") << QStringLiteral("nul") << false;
    // A settings file edited by hand can name one (Open Recent): the system would read reading.kvl.
    QTest::newRow("a NUL in the name") << QStringLiteral("nul name") << false;
    // Latin-1 caf\xe9.kvl reads as caf\uFFFD.kvl: from the command line, a drop or Open Recent,
    // that text would open the reading beside it in place of the file the user named.
    QTest::newRow("a look-alike of a name not in UTF-8") << QStringLiteral("look-alike") << false;
    QTest::newRow("U+FFFD in a name of its own") << QStringLiteral("replacement character") << true;
}

void tst_SavedReadingFile::read_file()
{
    QFETCH(QString, kind);
    QFETCH(bool, accepted);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const bool lookAlike = kind == QLatin1String("look-alike");
    const QString path = dir.filePath(lookAlike || kind == QLatin1String("replacement character")
                                          ? QStringLiteral("caf\uFFFD.kvl")
                                          : QStringLiteral("reading.kvl"));
    const QByteArray latin1 = QFile::encodeName(dir.path()) + "/caf\xe9.kvl";
    const auto removeLatin1 = qScopeGuard([&] { ::unlink(latin1.constData()); }); // Qt cannot name it
    if (lookAlike) {
        const int fd = ::open(latin1.constData(), O_WRONLY | O_CREAT, 0600);
        QVERIFY(fd >= 0);
        ::close(fd);
    }
    QFile file(path);
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("reading.kvl")));
    } else if (kind != QLatin1String("missing")) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (kind == QLatin1String("saved") || kind == QLatin1String("nul name") || path.contains(QChar::ReplacementCharacter))
            file.write(SavedReadingFile::toBytes(johnAndAnn()));
        else if (kind == QLatin1String("full"))
            file.write(twelveLines("\r\n") + QByteArray(SavedReadingFile::MaximumSize - twelveLines("\r\n").size(), 'a'));
        else if (kind == QLatin1String("large"))
            file.write(twelveLines("\r\n") + QByteArray(SavedReadingFile::MaximumSize, ' '));
        else
            file.write(twelveLines("\r\n") + QByteArray(1, '\0'));
        file.close();
    }
    const QString named = kind == QLatin1String("nul name") ? path + QChar(0) + QStringLiteral(".kvl") : path;
    const std::optional<PartnerDetails> read = SavedReadingFile::read(named);
    QCOMPARE(read.has_value(), accepted);
    if (accepted)
        QCOMPARE(read->toList(), johnAndAnn().toList());
}

void tst_SavedReadingFile::savePath_addsKvlUnlessThePathEndsInIt_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no extension") << QStringLiteral("/home/ann/reading") << QStringLiteral("/home/ann/reading.kvl");
    QTest::newRow("a dot in the name") << QStringLiteral("/home/ann/J.Smith") << QStringLiteral("/home/ann/J.Smith.kvl");
    QTest::newRow("a version") << QStringLiteral("Reading.v2") << QStringLiteral("Reading.v2.kvl");
    QTest::newRow("already .kvl") << QStringLiteral("/home/ann/reading.kvl") << QStringLiteral("/home/ann/reading.kvl");
    QTest::newRow("capitals, which Open refuses") << QStringLiteral("reading.KVL") << QStringLiteral("reading.KVL.kvl");
    QTest::newRow("kvl without a dot") << QStringLiteral("readingkvl") << QStringLiteral("readingkvl.kvl");
    QTest::newRow(".kvl inside the name") << QStringLiteral("a.kvl.txt") << QStringLiteral("a.kvl.txt.kvl");
}

void tst_SavedReadingFile::savePath_addsKvlUnlessThePathEndsInIt()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QCOMPARE(SavedReadingFile::savePath(chosen), saved);
}

QTEST_APPLESS_MAIN(tst_SavedReadingFile)
#include "tst_savedreadingfile.moc"
