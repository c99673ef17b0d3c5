#include "gui/documents/readingpdf.h"

#include "core/documents/webaddresses.h"
#include "core/program/version.h"
#include "core/readings/reading.h"
#include "gui/documents/readingprinter.h"
#include "gui/documents/richtextbox.h"
#include "gui/platform/look.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QLocale>
#include <QPalette>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>

namespace documents {

namespace {

// The same addresses the document window makes links, as links to what clicking them opens.
void markWebAddresses(QTextDocument &document)
{
    const QString plain = document.toPlainText();
    QTextCharFormat link;
    link.setAnchor(true);
    link.setFontUnderline(true);
    link.setForeground(QGuiApplication::palette().color(QPalette::Link));
    QTextCursor cursor(&document);
    // One edit: a cursor moved outside an edit block lays its whole paragraph out again after
    // every change, which a name full of addresses made take minutes.
    cursor.beginEditBlock();
    for (const WebAddress &address : findWebAddresses(plain)) {
        // As written, as the window's links are; the pages write the address it opens.
        link.setAnchorHref(plain.mid(address.start, address.length));
        cursor.setPosition(address.start);
        cursor.setPosition(address.start + address.length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(link); // merging keeps the emphasis of every character
    }
    cursor.endEditBlock();
}

QPageSize localePaperSize()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                       : QPageSize(QPageSize::A4);
}

} // namespace

QByteArray readingPdf(const readings::Reading &reading, const QString &title)
{
    QTextDocument document;
    document.setDefaultFont(platform::windowFont());
    QTextOption wrapping = document.defaultTextOption();
    wrapping.setWrapMode(wrapModeFor(reading.runs));
    document.setDefaultTextOption(wrapping);
    QTextCursor cursor(&document);
    insertRuns(cursor, reading.runs);
    markWebAddresses(document);

    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(program::caption());
        writer.setPageSize(localePaperSize());
        if (!paintReadingPages(document, writer))
            return QByteArray();
    } // the writer finishes the file as it goes
    return pdf;
}

} // namespace documents
