#include "gui/documents/readingprinter.h"

#include "core/documents/webaddresses.h"

#include <QAbstractTextDocumentLayout>
#include <QList>
#include <QPainter>
#include <QPagedPaintDevice>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextDocument>

#include <memory>

namespace documents {

namespace {

// Qt writes a link's address into the page description as it stands, inside a bracketed string:
// a bracket in the address would end that string early, or never, and what follows would be read
// as the file's own instructions. Each link becomes the address that clicking it opens, with its
// brackets percent-encoded; one that opens nothing is no link.
void makeLinksSafe(QTextDocument &document)
{
    struct Link {
        int start;
        int length;
        QTextCharFormat format;
    };
    QList<Link> links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isAnchor())
                links.append({fragment.position(), fragment.length(), fragment.charFormat()});
        }
    }
    QTextCursor cursor(&document);
    cursor.beginEditBlock(); // one edit, as in markWebAddresses()
    for (Link &link : links) {
        const QUrl url = webAddressToOpen(link.format.anchorHref());
        if (url.isValid()) {
            QString href = url.toString(QUrl::FullyEncoded);
            href.replace(QLatin1Char('('), QLatin1String("%28")).replace(QLatin1Char(')'), QLatin1String("%29"));
            link.format.setAnchorHref(href);
        } else {
            link.format.setAnchor(false);
            link.format.clearProperty(QTextFormat::AnchorHref);
        }
        cursor.setPosition(link.start);
        cursor.setPosition(link.start + link.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(link.format);
    }
    cursor.endEditBlock();
}

// Paints the lines of document that start on the page shown, each where the layout put it. Not
// QTextDocument::drawContents(): within a paragraph it also paints the line before the page, and
// although the clip keeps that line off the paper, its text is in the page's description: it would
// be copied and found on both pages.
void paintPage(QPainter &painter, const QTextDocument &document, const QRectF &shown)
{
    // Black on the white paper: not the desktop's text colour, which a dark palette makes white.
    painter.setPen(Qt::black);
    // Every line of every block: a line that did not fit on a page has moved to the next one, out
    // of its block's bounding rectangle.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            const qreal top = lines->position().y() + line.y();
            if (top >= shown.top() && top < shown.bottom())
                line.draw(&painter, lines->position());
        }
    }
}

// The page that the last line with any text starts on, the first page being 0. A reading ends in
// line breaks; where they do not fit below its last words, their empty lines start a page of their
// own, which would come out blank.
int lastPageWithText(const QTextDocument &document, qreal pageHeight)
{
    for (QTextBlock block = document.lastBlock(); block.isValid(); block = block.previous()) {
        const QTextLayout *lines = block.layout();
        for (int i = lines->lineCount() - 1; i >= 0; --i) {
            const QTextLine line = lines->lineAt(i);
            if (line.textLength() > 0)
                return int((lines->position().y() + line.y()) / pageHeight);
        }
    }
    return 0;
}

// The document margin that comes out as millimetres on device. The layout scales a document's
// margin from the screen's logical dots per inch to the device's, and the screen's is not always
// 96: it follows the desktop's font dpi, which may change while the program runs. An empty
// document laid out on the device shows the scale.
qreal documentMarginFor(qreal millimetres, QPagedPaintDevice &device)
{
    constexpr qreal probe = 100;
    QTextDocument empty;
    empty.documentLayout()->setPaintDevice(&device);
    empty.setDocumentMargin(probe); // after the device: the layout starts again
    empty.pageCount(); // lays it out
    const qreal laidOut = empty.firstBlock().layout()->position().y();
    if (laidOut <= 0)
        return 96 * millimetres / 25.4;
    return device.logicalDpiY() * millimetres / 25.4 * probe / laidOut;
}

} // namespace

bool paintReadingPages(const QTextDocument &document, QPagedPaintDevice &device)
{
    device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter); // with the document's 5 mm: 2 cm

    const QRectF paintRect = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const QSizeF pageSize = paintRect.size();
    if (pageSize.isEmpty())
        return false;

    // Lay a copy out on the device's pages; QTextDocument::print() would add page numbers. The copy
    // takes the page's size before anything lays it out: it comes with the box's width in screen
    // pixels, a sliver of a line at a printer's resolution, where long names took minutes.
    std::unique_ptr<QTextDocument> pages(document.clone());
    pages->setPageSize(pageSize);
    makeLinksSafe(*pages);
    pages->documentLayout()->setPaintDevice(&device);
    // Part of the white border is the document's own margin, repeated at the top of every page, so
    // that no line starts exactly where the page before it ends (it would be printed on both).
    pages->setDocumentMargin(documentMarginFor(5, device));

    QPainter painter;
    if (!painter.begin(&device))
        return false;

    const int laidOut = pages->pageCount(); // lays the whole document out
    const int pageCount = qMin(laidOut, lastPageWithText(*pages, pageSize.height()) + 1);
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        const QRectF shown(0, page * pageSize.height(), pageSize.width(), pageSize.height());
        painter.save();
        painter.translate(0, -shown.top());
        painter.setClipRect(shown);
        paintPage(painter, *pages, shown);
        painter.restore();
    }
    return painter.end();
}

} // namespace documents
