#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// The web addresses a reading's text may hold, and which of them may be opened. Readings contain
// names typed by the user or read from a file, so only web pages and mail addresses count:
// http://, https:// and mailto: addresses, and addresses starting "www." (which open as http://).
// Nothing else (a local file, a program, any other scheme) is ever treated as a link.
namespace documents {

// No address longer than this many characters is detected or opened.
constexpr int MaximumWebAddressLength = 1024;

struct WebAddress {
    int start = 0;  // position of the first character in the text
    int length = 0; // characters of the address as written
    QUrl url;       // what opening it opens

    bool operator==(const WebAddress &other) const
    {
        return start == other.start && length == other.length && url == other.url;
    }
};

// Every web address in text, in order. Punctuation that ends a sentence, and a closing bracket
// without its opening one, are not part of an address.
QList<WebAddress> findWebAddresses(const QString &text);

// The address to open for a link's target as written, or an empty QUrl when it must not be opened.
QUrl webAddressToOpen(const QString &written);

} // namespace documents
