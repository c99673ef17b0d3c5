#pragma once

class QPagedPaintDevice;
class QTextDocument;

// How a reading becomes pages, on a printer or in a PDF file.
namespace documents {

// Paints document on device as one job: every page of it with its formatting, and nothing else
// (no header, footer or page number), within a 2 cm border; empty lines at its end start no page.
// The document itself is left as it was. False when painting failed.
bool paintReadingPages(const QTextDocument &document, QPagedPaintDevice &device);

} // namespace documents
