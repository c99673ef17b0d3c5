#pragma once

#include <QString>

// What the program calls itself. The version is the build's project version.
namespace program {

// "Tovrin"
QString name();
// "1.65"
QString version();
// "Tovrin v1.65": the caption of every window that has no caption of its own.
QString caption();

} // namespace program
