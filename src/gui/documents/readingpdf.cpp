#include "gui/documents/readingpdf.h"

#include "core/program/version.h"
#include "core/readings/reading.h"
#include "gui/documents/readingprinter.h"
#include "gui/documents/richtextbox.h"
#include "gui/documents/richtexthook.h"
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
    markWebAddresses(document, QGuiApplication::palette().color(QPalette::Link));

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
