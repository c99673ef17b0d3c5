#include "core/documents/webaddresses.h"

#include <QRegularExpression>

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
int trimmedLength(QStringView address)
{
    static const QString kPairs = QStringLiteral("()[]");
    int length = int(address.size());
    for (;;) {
        if (length == 0)
            return 0;
        const QChar last = address.at(length - 1);
        if (QStringLiteral(".,;:!?'*").contains(last)) {
            --length;
            continue;
        }
        const int pair = int(kPairs.indexOf(last));
        if (pair >= 0 && pair % 2 == 1) {
            const QStringView kept = address.left(length);
            if (kept.count(kPairs.at(pair)) > kept.count(kPairs.at(pair - 1))) {
                --length;
                continue;
            }
        }
        return length;
    }
}

} // namespace

QUrl webAddressToOpen(const QString &written)
{
    if (written.isEmpty() || written.size() > MaximumWebAddressLength)
        return QUrl();

    QString address = written;
    if (startsWithIgnoringCase(address, QLatin1String("www.")))
        address.prepend(QLatin1String("http://"));
    else if (!startsWithIgnoringCase(address, QLatin1String("http://"))
             && !startsWithIgnoringCase(address, QLatin1String("https://"))
             && !startsWithIgnoringCase(address, QLatin1String("mailto:")))
        return QUrl();

    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid())
        return QUrl();
    const QString scheme = url.scheme(); // QUrl keeps schemes in lower case
    if (scheme == QLatin1String("mailto"))
        return url.path().contains(QLatin1Char('@')) ? url : QUrl();
    if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty())
        return url;
    return QUrl();
}

QList<WebAddress> findWebAddresses(const QString &text)
{
    QList<WebAddress> found;
    QRegularExpressionMatchIterator it = addressPattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const int start = int(match.capturedStart());
        const int length = trimmedLength(QStringView(text).mid(start, match.capturedLength()));
        const QUrl url = webAddressToOpen(text.mid(start, length));
        if (url.isValid())
            found.append({start, length, url});
    }
    return found;
}

} // namespace documents
