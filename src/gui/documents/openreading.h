#pragma once

#include "core/readings/partnerdetails.h"

#include <optional>

class QWidget;

namespace documents {

// Asks for a saved reading and reads it. Nothing on Cancel; nothing, after telling the user
// "Please Check The File.", when the file is not a saved reading whose twelve details the main
// window can take as they stand (SavedReadingFile::read), so that a refused file changes no input.
std::optional<readings::PartnerDetails> askForSavedReading(QWidget *parent);

} // namespace documents
