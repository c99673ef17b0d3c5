#include "core/settings/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace settings {

namespace {

// Far more than the store ever holds (the reminder's date and five paths). QSettings reads its
// whole file into memory at once: a file of many gigabytes would end the program.
constexpr qint64 kMaximumFileSize = 1024 * 1024;

} // namespace

QString settingsApplicationName()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

std::unique_ptr<QSettings> openSettingsStore()
{
    const QString name = settingsApplicationName();
    // QSettings reads its files as it is made, the application's file and then the
    // organisation's, first in the user's folder QStandardPaths gives it on Linux, then in each of
    // the system's (XDG_CONFIG_DIRS, /etc/xdg).
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    const QString file = folder.filePath(name + QStringLiteral("/") + name + QStringLiteral(".ini"));
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    folders.prepend(folder.path());
    for (const QString &read : std::as_const(folders)) {
        for (const QString &path : {name + QStringLiteral("/") + name + QStringLiteral(".ini"), name + QStringLiteral(".ini")}) {
            const QFileInfo info(QDir(read).filePath(path));
            if (info.exists() && (!info.isFile() || info.size() > kMaximumFileSize))
                return nullptr;
        }
    }
    // While it writes, QSettings holds a lock file beside its file, and waits for as long as
    // another lock stands there that it cannot read or remove: a folder, a pipe, a link to
    // nothing would keep start-up (or a save) waiting for ever.
    const QFileInfo lock(file + QStringLiteral(".lock"));
    if ((lock.exists() && !lock.isFile()) || (lock.isSymLink() && !lock.exists()))
        return nullptr;
    // A lock left by a copy ended while it wrote goes with the next write, unless its folder lets
    // nothing be removed (read-only, immutable): then that write waits for ever. QSettings takes
    // the lock only to write a file it may write.
    if ((lock.exists() || lock.isSymLink()) && QFileInfo(file).isWritable() && !QFileInfo(lock.absolutePath()).isWritable())
        return nullptr;
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, name, name);
}

} // namespace settings
