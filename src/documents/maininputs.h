#pragma once

#include "readings/partnerdetails.h"

class QWidget;

// The main window's twelve input controls seen as the couple's details: the names in txtMF ...
// txtFL, the dates of birth in the lists cboMM ... cboFY, found by their object names.
namespace documents {

// The details as the controls hold them now, each trimmed.
readings::PartnerDetails mainWindowDetails(const QWidget *mainWindow);

// Puts details into the controls. A date that is not an entry of its list leaves that list's
// selection as it was.
void setMainWindowDetails(QWidget *mainWindow, const readings::PartnerDetails &details);

} // namespace documents
