#include "core/documents/webaddresses.h"

#include "core/readings/direction.h"

#include <QRegularExpression>
#include <QUrlQuery>

#include <algorithm>

namespace documents {

namespace {

// A start that is not inside a word (so "xhttp://" and "awww." are not addresses), one of the
// allowed beginnings, then everything up to a blank, a control character or a character that
// cannot stand in an address.
const QRegularExpression &addressPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"((?<![\p{L}\p{N}_.@/:-])(?:https?://|mailto:|www\.)[^\s\p{Cc}<>"`{}|\\^]+)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

bool startsWithIgnoringCase(const QString &text, QLatin1String prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

// Drops what a sentence puts after an address: final punctuation and unmatched closing brackets.
// The brackets are counted once; each one trimmed only changes the count.
int trimmedLength(QStringView address)
{
    int unmatchedRound = 0;  // closing minus opening
    int unmatchedSquare = 0;
    for (QChar c : address) {
        switch (c.unicode()) {
        case u'(': --unmatchedRound; break;
        case u')': ++unmatchedRound; break;
        case u'[': --unmatchedSquare; break;
        case u']': ++unmatchedSquare; break;
        default: break;
        }
    }
    static const QString kSentenceEnd = QStringLiteral(".,;:!?'*");
    int length = int(address.size());
    while (length > 0) {
        const QChar last = address.at(length - 1);
        if (last == u')' && unmatchedRound > 0)
            --unmatchedRound;
        else if (last == u']' && unmatchedSquare > 0)
            --unmatchedSquare;
        else if (!kSentenceEnd.contains(last))
            break;
        --length;
    }
    return length;
}

// Characters that do not show, or that reorder what shows around them, let an address look like
// one place while it leads to another.
bool hidesSomething(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
    });
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The combining class of marks drawn across the character before them, as U+0338 draws a slash.
constexpr int kOverlay = 1;

// Browsers read a label of 0x and hexadecimal digits alone as a number: "0x7f.1.0x" is 127.1.0.0.
bool isHexadecimalNumber(QStringView label)
{
    const auto isHexadecimalDigit = [](QChar c) {
        const QChar lower = c.toLower();
        return (c >= u'0' && c <= u'9') || (lower >= u'a' && lower <= u'f');
    };
    return label.startsWith(u"0x", Qt::CaseInsensitive)
           && std::all_of(label.begin() + 2, label.end(), isHexadecimalDigit);
}

// A name in the domain name system, in its ASCII form: two labels or more of letters, digits and
// inner hyphens, the last one holding a letter and not a number. An address by number, a single
// name such as "localhost", a name under "localhost" or no host at all leads to this computer or
// its network, never to a web site.
bool isRealHost(const QString &asciiHost)
{
    if (asciiHost.isEmpty() || asciiHost.size() > 253)
        return false;
    const QList<QStringView> labels = QStringView(asciiHost).split(u'.');
    if (labels.size() < 2)
        return false;
    for (QStringView label : labels) {
        if (label.isEmpty() || label.size() > 63 || label.startsWith(u'-') || label.endsWith(u'-'))
            return false;
        const bool allowed = std::all_of(label.begin(), label.end(), [](QChar c) {
            return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'-';
        });
        if (!allowed)
            return false;
    }
    const QStringView last = labels.last();
    if (!std::any_of(last.begin(), last.end(), isAsciiLetter) || isHexadecimalNumber(last)
        || last.compare(u"localhost", Qt::CaseInsensitive) == 0)
        return false;

    // A name in another script is shown as written: it holds letters, digits and the marks that
    // go with them, never a sign that passes for the "/" or "." ending a name, nor a stroke drawn
    // across the characters before it.
    const QString shown = QUrl::fromAce(asciiHost.toLatin1(), QUrl::IgnoreIDNWhitelist);
    return std::all_of(shown.cbegin(), shown.cend(), [](QChar c) {
        return c.isLetterOrNumber() || c == u'-' || c == u'.' || (c.isMark() && c.combiningClass() != kOverlay);
    });
}

// One mail address with a local part and a real domain, and no header fields but a subject and a
// body: copies to others, attachments and further recipients never ride along unseen.
bool isSingleMailAddress(const QUrl &url)
{
    if (url.hasFragment())
        return false;
    const QString address = url.path(QUrl::FullyDecoded);
    const qsizetype at = address.indexOf(u'@');
    if (at <= 0 || address.indexOf(u'@', at + 1) >= 0)
        return false;
    static const QString kNotInALocalPart = QStringLiteral(" ,;:<>()[]\\\"");
    const QStringView local = QStringView(address).left(at);
    if (std::any_of(local.begin(), local.end(), [](QChar c) { return kNotInALocalPart.contains(c); }))
        return false;
    if (!isRealHost(QString::fromLatin1(QUrl::toAce(address.mid(at + 1)))))
        return false;

    const QList<std::pair<QString, QString>> fields = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    return std::all_of(fields.begin(), fields.end(), [](const std::pair<QString, QString> &field) {
        return field.first.compare(QLatin1String("subject"), Qt::CaseInsensitive) == 0
               || field.first.compare(QLatin1String("body"), Qt::CaseInsensitive) == 0;
    });
}

// text with U+FFFD in place of each half of a character whose other half is missing. The pattern
// finds nothing at all in a text that holds one; the replacement keeps every position.
QString withWholeCharacters(const QString &text)
{
    QString whole = text;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (whole.at(i).isHighSurrogate() && i + 1 < whole.size() && whole.at(i + 1).isLowSurrogate())
            ++i;
        else if (whole.at(i).isSurrogate())
            whole[i] = QChar::ReplacementCharacter;
    }
    return whole;
}

} // namespace

QUrl webAddressToOpen(const QString &written)
{
    if (written.isEmpty() || written.size() > MaximumWebAddressLength || hidesSomething(written))
        return QUrl();

    QString address = written;
    if (startsWithIgnoringCase(address, QLatin1String("www.")))
        address.prepend(QLatin1String("http://"));
    else if (!startsWithIgnoringCase(address, QLatin1String("http://"))
             && !startsWithIgnoringCase(address, QLatin1String("https://"))
             && !startsWithIgnoringCase(address, QLatin1String("mailto:")))
        return QUrl();

    const QUrl url(address, QUrl::StrictMode);
    // What the browser or mail program shows and acts on is the decoded address.
    if (!url.isValid() || hidesSomething(QUrl::fromPercentEncoding(url.toEncoded())))
        return QUrl();
    const QString scheme = url.scheme(); // QUrl keeps schemes in lower case
    if (scheme == QLatin1String("mailto"))
        return isSingleMailAddress(url) ? url : QUrl();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return QUrl();
    // Anything before an "@" in the authority only dresses the address up as another site
    // ("www.example.com@evil.test" leads to evil.test) or carries a password.
    if (QUrl::fromPercentEncoding(url.authority(QUrl::FullyEncoded).toUtf8()).contains(u'@')
        || !isRealHost(url.host(QUrl::FullyEncoded)))
        return QUrl();
    return url;
}

QList<WebAddress> findWebAddresses(const QString &written)
{
    QList<WebAddress> found;
    if (written.isEmpty())
        return found; // without compiling the pattern: a box is often empty, as at start-up
    const QString text = withWholeCharacters(written);
    // A run of direction still open where an address begins would show it in another order than
    // the one it is opened in ("www.evil.test/doog.www" turned around reads "www.good/tset.live.www").
    readings::DirectionRuns runs;
    qsizetype followed = 0;
    QRegularExpressionMatchIterator it = addressPattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        for (; followed < match.capturedStart(); ++followed)
            runs.feed(text.at(followed));
        if (runs.anyOpen())
            continue;
        // No address is that long, and trimming so long a run would cost time for nothing.
        if (match.capturedLength() > MaximumWebAddressLength)
            continue;
        const int start = int(match.capturedStart());
        const int length = trimmedLength(QStringView(text).mid(start, match.capturedLength()));
        const QUrl url = webAddressToOpen(text.mid(start, length));
        if (url.isValid())
            found.append({start, length, url});
    }
    return found;
}

} // namespace documents
