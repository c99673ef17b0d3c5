#include "core/documents/webaddresses.h"

#include <QTest>

using documents::findWebAddresses;
using documents::MaximumWebAddressLength;
using documents::webAddressToOpen;

class tst_WebAddresses : public QObject
{
    Q_OBJECT

private slots:
    void find_data();
    void find();
    void find_givesPositionsInTheText();
    void toOpen_data();
    void toOpen();
};

void tst_WebAddresses::find_data()
{
    // "written" lists each address as it stands in the text, "opened" what opening it opens.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QStringList>("opened");

    auto row = [](const char *name, const QString &text, const QStringList &written, const QStringList &opened) {
        QTest::newRow(name) << text << written << opened;
    };
    row("no address", QStringLiteral("LifePath Compatibility Number Combination is 5 + 3"), {}, {});
    row("https", QStringLiteral("See https://www.example.com/tovrin/help.html now"),
        {QStringLiteral("https://www.example.com/tovrin/help.html")},
        {QStringLiteral("https://www.example.com/tovrin/help.html")});
    row("http with query and fragment", QStringLiteral("http://example.org/a?b=1&c=2#top"),
        {QStringLiteral("http://example.org/a?b=1&c=2#top")}, {QStringLiteral("http://example.org/a?b=1&c=2#top")});
    row("www opens as http", QStringLiteral("Visit www.example.com."), {QStringLiteral("www.example.com")},
        {QStringLiteral("http://www.example.com")});
    row("mailto", QStringLiteral("Write to mailto:ads@example.com, please"), {QStringLiteral("mailto:ads@example.com")},
        {QStringLiteral("mailto:ads@example.com")});
    row("capitals", QStringLiteral("HTTPS://EXAMPLE.COM and WWW.EXAMPLE.NET"),
        {QStringLiteral("HTTPS://EXAMPLE.COM"), QStringLiteral("WWW.EXAMPLE.NET")},
        {QStringLiteral("https://example.com"), QStringLiteral("http://www.example.net")});
    // Turned around by the override, www.evil.test/doog.www reads www.good/tset.live.www.
    row("inside a right-to-left override", QStringLiteral("Name: \u202Ewww.evil.test/doog.www Smith"), {}, {});
    row("after an override that was closed", QStringLiteral("Name: \u202EnhoJ\u202C www.example.com"),
        {QStringLiteral("www.example.com")}, {QStringLiteral("http://www.example.com")});
    row("on the line after one left open", QStringLiteral("\u2067\u202Eevil\r\nwww.example.com"),
        {QStringLiteral("www.example.com")}, {QStringLiteral("http://www.example.com")});
    row("several on several lines", QStringLiteral("a http://one.example\r\nb www.two.example\nc"),
        {QStringLiteral("http://one.example"), QStringLiteral("www.two.example")},
        {QStringLiteral("http://one.example"), QStringLiteral("http://www.two.example")});
    row("sentence punctuation is not part of it",
        QStringLiteral("(see http://example.com/x), or http://example.com/y!? or 'http://example.com/z';"),
        {QStringLiteral("http://example.com/x"), QStringLiteral("http://example.com/y"), QStringLiteral("http://example.com/z")},
        {QStringLiteral("http://example.com/x"), QStringLiteral("http://example.com/y"), QStringLiteral("http://example.com/z")});
    row("balanced brackets are", QStringLiteral("http://en.example.org/wiki/Tovrin_(numbers)."),
        {QStringLiteral("http://en.example.org/wiki/Tovrin_(numbers)")},
        {QStringLiteral("http://en.example.org/wiki/Tovrin_(numbers)")});
    row("quotes and angle brackets end it", QStringLiteral("<http://example.com/a>\"www.example.com\""),
        {QStringLiteral("http://example.com/a"), QStringLiteral("www.example.com")},
        {QStringLiteral("http://example.com/a"), QStringLiteral("http://www.example.com")});
    row("non-ascii path", QStringLiteral("http://example.com/caf\u00e9"), {QStringLiteral("http://example.com/caf\u00e9")},
        {QStringLiteral("http://example.com/caf%C3%A9")});
    row("inside a word is not an address", QStringLiteral("xhttp://example.com awww.example.com a.www.example.com ann@www.example.com"), {}, {});
    row("prefix alone is not an address", QStringLiteral("http:// https://. www. mailto: mailto:nobody"), {}, {});
    row("other schemes are never addresses",
        QStringLiteral("file:///etc/passwd ftp://example.com javascript:alert(1) smb://host/share C:\\Windows"), {}, {});
    row("file url after an address", QStringLiteral("http://example.com/file:///etc"),
        {QStringLiteral("http://example.com/file:///etc")}, {QStringLiteral("http://example.com/file:///etc")});
    row("longest allowed", QStringLiteral("http://example.com/") + QString(MaximumWebAddressLength - 19, QLatin1Char('a')),
        {QStringLiteral("http://example.com/") + QString(MaximumWebAddressLength - 19, QLatin1Char('a'))},
        {QStringLiteral("http://example.com/") + QString(MaximumWebAddressLength - 19, QLatin1Char('a'))});
    row("one character too long", QStringLiteral("http://example.com/") + QString(MaximumWebAddressLength - 18, QLatin1Char('a')),
        {}, {});
    row("closing brackets within the limit are trimmed", QStringLiteral("http://example.com/x") + QString(900, QLatin1Char(')')),
        {QStringLiteral("http://example.com/x")}, {QStringLiteral("http://example.com/x")});
    row("a run over the limit is dropped before trimming",
        QStringLiteral("http://example.com/x") + QString(32767, QLatin1Char(')')), {}, {});
    row("www. over and over is one run, dropped", QStringLiteral("www.").repeated(8000), {}, {});
    row("half of an emoji before the address", QStringLiteral("Ann\xD83D www.example.com"),
        {QStringLiteral("www.example.com")}, {QStringLiteral("http://www.example.com")});
    row("addresses hiding where they lead stay plain text",
        QStringLiteral("www.example.com@evil.test http://user:pw@127.0.0.1:631/admin mailto:a@evil.test?cc=b@evil.test "
                       "www.exam\u202Eple.com"),
        {}, {});
}

void tst_WebAddresses::find()
{
    QFETCH(QString, text);
    QFETCH(QStringList, written);
    QFETCH(QStringList, opened);

    QStringList foundWritten;
    QStringList foundOpened;
    for (const documents::WebAddress &address : findWebAddresses(text)) {
        foundWritten.append(text.mid(address.start, address.length));
        foundOpened.append(address.url.toString(QUrl::FullyEncoded));
    }
    QCOMPARE(foundWritten, written);
    QCOMPARE(foundOpened, opened);
}

void tst_WebAddresses::find_givesPositionsInTheText()
{
    const QString text = QStringLiteral("Name: \u738b www.example.com\r\nand \U0001F600 https://example.org");
    const QList<documents::WebAddress> found = findWebAddresses(text);
    QCOMPARE(found.size(), 2);
    QCOMPARE(found[0].start, int(text.indexOf(QLatin1String("www."))));
    QCOMPARE(found[0].length, 15);
    QCOMPARE(found[1].start, int(text.indexOf(QLatin1String("https"))));
    QCOMPARE(found[1].length, 19);
}

void tst_WebAddresses::toOpen_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("opened"); // empty: never opened
    QTest::newRow("https") << QStringLiteral("https://example.com/a") << QStringLiteral("https://example.com/a");
    QTest::newRow("http") << QStringLiteral("http://example.com") << QStringLiteral("http://example.com");
    QTest::newRow("www") << QStringLiteral("www.example.com/x") << QStringLiteral("http://www.example.com/x");
    QTest::newRow("mailto") << QStringLiteral("mailto:a@example.com") << QStringLiteral("mailto:a@example.com");
    QTest::newRow("mailto without address") << QStringLiteral("mailto:someone") << QString();
    QTest::newRow("file") << QStringLiteral("file:///etc/passwd") << QString();
    QTest::newRow("local path") << QStringLiteral("/usr/bin/xterm") << QString();
    QTest::newRow("relative") << QStringLiteral("help.html") << QString();
    QTest::newRow("javascript") << QStringLiteral("javascript:alert(1)") << QString();
    QTest::newRow("data") << QStringLiteral("data:text/html,hello") << QString();
    QTest::newRow("ftp") << QStringLiteral("ftp://example.com") << QString();
    QTest::newRow("http without host") << QStringLiteral("http:///etc/passwd") << QString();
    QTest::newRow("blank inside") << QStringLiteral("http://exa mple.com") << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("1024 characters") << QStringLiteral("http://e.com/") + QString(1024 - 13, QLatin1Char('a'))
                                     << QStringLiteral("http://e.com/") + QString(1024 - 13, QLatin1Char('a'));
    QTest::newRow("1025 characters") << QStringLiteral("http://e.com/") + QString(1025 - 13, QLatin1Char('a'))
                                     << QString();
    QTest::newRow("www of 1025 characters") << QStringLiteral("www.e.com/") + QString(1025 - 10, QLatin1Char('a'))
                                            << QString();
    QTest::newRow("port") << QStringLiteral("http://example.com:8080/x") << QStringLiteral("http://example.com:8080/x");
    QTest::newRow("international host") << QStringLiteral("http://b\u00FCcher.example/")
                                        << QStringLiteral("http://xn--bcher-kva.example/");
    QTest::newRow("mailto with subject and body") << QStringLiteral("mailto:a@example.com?Subject=Hi&body=Hello%20you")
                                                  << QStringLiteral("mailto:a@example.com?Subject=Hi&body=Hello%20you");

    // Addresses that hide where they lead: never opened.
    QTest::newRow("www dressed up by user info") << QStringLiteral("www.example.com@evil.test") << QString();
    QTest::newRow("user and password") << QStringLiteral("http://user:pw@127.0.0.1:631/admin") << QString();
    QTest::newRow("empty user info") << QStringLiteral("https://@evil.test/") << QString();
    QTest::newRow("encoded @ in user info") << QStringLiteral("http://www.example.com%40evil.test/") << QString();
    QTest::newRow("address by number") << QStringLiteral("http://127.0.0.1:631/admin") << QString();
    QTest::newRow("ipv6 address") << QStringLiteral("http://[::1]/") << QString();
    QTest::newRow("single name") << QStringLiteral("http://localhost/") << QString();
    QTest::newRow("single name on the network") << QStringLiteral("http://router/") << QString();
    QTest::newRow("last label a number") << QStringLiteral("http://example.123/") << QString();
    // Browsers read a last label of 0x and hexadecimal digits as a number: 0x7f.1.0x is 127.1.0.0.
    QTest::newRow("last label a hexadecimal number") << QStringLiteral("http://0x7f.1.0x/") << QString();
    QTest::newRow("last label 0x") << QStringLiteral("www.0x.0x.0x.0x") << QString();
    QTest::newRow("name under localhost") << QStringLiteral("http://printer.LocalHost/") << QString();
    QTest::newRow("last label starting 0x, not a number") << QStringLiteral("http://example.0xyz/")
                                                          << QStringLiteral("http://example.0xyz/");
    QTest::newRow("empty label") << QStringLiteral("http://example..com/") << QString();
    // Shown as http://www.good.com/evil.html, opened as the host www.good.xn--comevil-ef0d.html.
    QTest::newRow("division slash in the host") << QStringLiteral("http://www.good.com\u2215evil.html") << QString();
    QTest::newRow("fraction slash in the host") << QStringLiteral("www.good.com\u2044evil.com") << QString();
    QTest::newRow("slash drawn over the host") << QStringLiteral("www.good.com\u0338evil.com") << QString();
    QTest::newRow("right-to-left override") << QStringLiteral("http://example.com/\u202Etxt.exe") << QString();
    QTest::newRow("encoded right-to-left override") << QStringLiteral("http://example.com/%E2%80%AEtxt.exe") << QString();
    QTest::newRow("zero-width space in the host") << QStringLiteral("http://exam\u200Bple.com/") << QString();
    QTest::newRow("soft hyphen") << QStringLiteral("www.exam\u00ADple.com") << QString();
    QTest::newRow("byte order mark") << QStringLiteral("www.\uFEFFexample.com") << QString();
    QTest::newRow("mailto attachment") << QStringLiteral("mailto:a@evil.test?attach=/etc/passwd") << QString();
    QTest::newRow("mailto copy") << QStringLiteral("mailto:a@evil.test?cc=b@evil.test") << QString();
    QTest::newRow("mailto hidden copy") << QStringLiteral("mailto:a@evil.test?subject=x&bcc=b@evil.test") << QString();
    QTest::newRow("mailto further recipient") << QStringLiteral("mailto:a@evil.test?to=b@evil.test") << QString();
    QTest::newRow("mailto two addresses") << QStringLiteral("mailto:a@example.com,b@evil.test") << QString();
    QTest::newRow("mailto a comma in the local part") << QStringLiteral("mailto:evil,a@example.com") << QString();
    QTest::newRow("mailto at sign only") << QStringLiteral("mailto:@") << QString();
    QTest::newRow("mailto without local part") << QStringLiteral("mailto:@example.com") << QString();
    QTest::newRow("mailto without domain") << QStringLiteral("mailto:a@") << QString();
    QTest::newRow("mailto two at signs") << QStringLiteral("mailto:a@b@example.com") << QString();
    QTest::newRow("mailto to this computer") << QStringLiteral("mailto:root@localhost") << QString();
    QTest::newRow("mailto line break in a field") << QStringLiteral("mailto:a@example.com?subject=x%0D%0ABcc:b@evil.test")
                                                  << QString();
}

void tst_WebAddresses::toOpen()
{
    QFETCH(QString, written);
    QFETCH(QString, opened);
    const QUrl url = webAddressToOpen(written);
    if (opened.isEmpty())
        QVERIFY2(!url.isValid(), qPrintable(url.toString()));
    else
        QCOMPARE(url.toString(QUrl::FullyEncoded), opened);
}

QTEST_APPLESS_MAIN(tst_WebAddresses)
#include "tst_webaddresses.moc"
