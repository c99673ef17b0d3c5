#pragma once

#include "core/readings/partnerdetails.h"

#include <QString>

class QWidget;
class RichTextBox;

namespace documents {

// Prints the whole content of box, with its emphasis, on the default printer as one job.
void PrintReading(RichTextBox *box, QWidget *parent);

// Asks for a file name and writes the couple's twelve details there as a saved reading. Returns
// the file's path, or an empty text when nothing was saved.
QString SaveReading(QWidget *parent, const readings::PartnerDetails &details);

// Asks for a file name and writes the couple's Comprehensive reading there as a PDF file.
void ExportReadingAsPdf(QWidget *parent, const readings::PartnerDetails &details);

} // namespace documents
