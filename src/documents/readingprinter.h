#pragma once

#include <QString>

class QPrinter;
class QTextDocument;

// Where PrintReading sends a reading, and how a reading becomes printed pages.
namespace documents {

// The output of every print job from now on: the system's default printer (an empty name, as at
// start), or, for tests, the PDF file with this name.
void setPrintOutputFile(const QString &pdfFileName);
QString printOutputFile();

// Prints document as one job: every page of it with its formatting, and nothing else (no header,
// footer or page number). The document itself is left as it was. False when the job failed.
bool printDocument(const QTextDocument &document, QPrinter &printer);

} // namespace documents
