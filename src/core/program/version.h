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
// "com.example.tovrin": the name of the desktop entry, the icon and the file type definition,
// by which the desktop (a Wayland compositor too) knows the program's windows.
QString applicationId();

} // namespace program
