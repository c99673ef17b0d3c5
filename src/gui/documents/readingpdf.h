#pragma once

#include <QByteArray>
#include <QString>

namespace readings {
struct Reading;
}

namespace documents {

// The reading as a PDF file: its text, line breaks and emphasis as the document window shows them,
// in the document window's font, on pages of the locale's paper size (Letter where the locale
// measures in inches, A4 elsewhere) with the printed reading's margins and nothing else on them.
// The text can be selected and searched, and every web address that the document window makes a
// link is a link to the same address. title is the file's title; its creator is the program. Empty
// when the file could not be made.
QByteArray readingPdf(const readings::Reading &reading, const QString &title);

} // namespace documents
