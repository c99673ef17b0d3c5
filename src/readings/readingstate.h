#pragma once

#include <QString>
#include <QtGlobal>

namespace readings {

// What the main window remembers of the last readings.
struct ReadingState {
    // Set only while the Comprehensive reading composes its document: the LifePath and Destiny
    // commands then append their sections to the document instead of showing a window.
    bool ComprehensiveMode = false;

    QString MaleFullName, FemaleFullName;
    qint16 MaleLifePathNumber = 0, FemaleLifePathNumber = 0;
    qint16 MaleDestinyNumber = 0, FemaleDestinyNumber = 0;
    QString LifePathCombination, DestinyCombination;
    QString LifePathCompatibilityText, DestinyCompatibilityText;
};

} // namespace readings
