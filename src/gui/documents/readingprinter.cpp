#include "gui/documents/readingprinter.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPagedPaintDevice>
#include <QTextDocument>

#include <memory>

namespace documents {

bool paintReadingPages(const QTextDocument &document, QPagedPaintDevice &device)
{
    device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter); // with the document's 5 mm: 2 cm

    // Lay a copy out on the device's pages; QTextDocument::print() would add page numbers.
    std::unique_ptr<QTextDocument> pages(document.clone());
    pages->documentLayout()->setPaintDevice(&device);
    // Part of the white border is the document's own margin, repeated at the top of every page, so
    // that no line starts exactly where the page before it ends (it would be printed on both).
    // The layout measures margins at 96 dots per inch and scales them to the device itself.
    pages->setDocumentMargin(96 * 5 / 25.4); // 5 mm

    const QRectF paintRect = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const QSizeF pageSize = paintRect.size();
    if (pageSize.isEmpty())
        return false;
    pages->setPageSize(pageSize);

    QPainter painter;
    if (!painter.begin(&device))
        return false;

    const int pageCount = pages->pageCount();
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        const QRectF shown(0, page * pageSize.height(), pageSize.width(), pageSize.height());
        painter.save();
        painter.translate(0, -shown.top());
        pages->drawContents(&painter, shown);
        painter.restore();
    }
    return painter.end();
}

} // namespace documents
