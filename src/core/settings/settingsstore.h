#pragma once

#include <QString>

#include <memory>

class QSettings;

// The per-user settings store. Values live under the program's executable file name without its
// extension, as both organisation and application name, in an INI file in the user's
// configuration folder (on Linux ~/.config/<name>/<name>.ini).
namespace settings {

QString settingsApplicationName();

// The store, or null when a file it would read, or the lock file it takes while writing, is there
// but is no regular file (a pipe, a device, a folder, a link to nothing) or stands where it cannot be
// removed (a read-only folder) while the file it locks may be written, or when a file it would
// read is larger than any it writes (over 128 KiB): reading a pipe waits for ever, as does
// locking against a lock that cannot be removed, reading a file of gigabytes takes more memory
// than there is, one of hundreds of kilobytes may hold lists nested deep enough to overflow the
// stack, and saving would put a file in its place. Without a store the program starts as
// it does the first time, and leaves that file alone.
std::unique_ptr<QSettings> openSettingsStore();

} // namespace settings
