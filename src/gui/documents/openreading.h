#pragma once

#include "core/readings/partnerdetails.h"

#include <optional>

class QWidget;

namespace documents {

// Asks for a saved reading and reads it. Nothing on Cancel; nothing, after telling the user
// "Please Check The File.", when the file cannot be a saved reading.
std::optional<readings::PartnerDetails> askForSavedReading(QWidget *parent);

} // namespace documents
