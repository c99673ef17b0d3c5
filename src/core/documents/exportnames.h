#pragma once

#include "core/readings/partnerdetails.h"

#include <QString>

// The names an exported reading goes by.
namespace documents {

// "Tovrin reading: <male full name> and <female full name>", each name's parts joined by single
// blanks: the title a PDF viewer shows.
QString exportTitle(const readings::PartnerDetails &details);

// "<male first name> and <female first name>.pdf", offered as the file name. Characters that
// cannot stand in a file name on the common desktops (slashes, control and format characters, and
// : * ? " < > | \) become "_", and a name too long for a file system is shortened.
QString suggestedExportFileName(const readings::PartnerDetails &details);

} // namespace documents
