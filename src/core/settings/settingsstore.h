#pragma once

#include <QString>

#include <memory>

class QSettings;

// The per-user settings store. Values live under the program's executable file name without its
// extension, as both organisation and application name, in an INI file in the user's
// configuration folder (on Linux ~/.config/<name>/<name>.ini).
namespace settings {

QString settingsApplicationName();
std::unique_ptr<QSettings> openSettingsStore();

} // namespace settings
