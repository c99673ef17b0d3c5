#pragma once

#include <QString>

class QPrinter;
class QTextDocument;

// How a reading becomes printed pages.
namespace documents {

// Prints document as one job: every page of it with its formatting, and nothing else (no header,
// footer or page number). The document itself is left as it was. False when the job failed.
bool printDocument(const QTextDocument &document, QPrinter &printer);

} // namespace documents
