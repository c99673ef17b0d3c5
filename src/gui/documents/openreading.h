#pragma once

#include "core/readings/partnerdetails.h"

#include <QString>

#include <optional>

class QWidget;

namespace documents {

// Asks for a saved reading: its path, or an empty text on Cancel.
QString askForSavedReadingPath(QWidget *parent);

// Reads the saved reading at path as Open does after its dialog: a name that does not end in
// "kvl", or a file that is not a saved reading whose twelve details the main window can take as
// they stand (SavedReadingFile::read), gets "Please Check The File." and nothing, so that a
// refused file changes no input. systemRefused as SavedReadingFile::read gives it.
std::optional<readings::PartnerDetails> readSavedReading(QWidget *parent, const QString &path,
                                                         bool *systemRefused = nullptr);

} // namespace documents
