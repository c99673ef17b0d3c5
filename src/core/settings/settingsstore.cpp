#include "core/settings/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace settings {

namespace {

// More than the store ever holds: the reminder's date and five paths of at most 4096 bytes, each
// byte written as at most four characters. QSettings reads its whole file into memory at once, so
// a file of many gigabytes would end the program. It also decodes a value written as
// "@Variant(...)", a list that may hold lists, calling itself once for each list within a list:
// at no less than 11 characters a level, 128 KiB nests some 12,000 deep, well within the main
// thread's stack, where a file of a few hundred kilobytes nests deep enough to overflow it.
constexpr qint64 kMaximumFileSize = 128 * 1024;

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
    // organisation's, first in the user's folder QStandardPaths gives it on Linux (the first it
    // lists), then in each of the system's (XDG_CONFIG_DIRS, /etc/xdg).
    const QString applicationFile = name + QStringLiteral("/") + name + QStringLiteral(".ini");
    const QString organisationFile = name + QStringLiteral(".ini");
    for (const QString &folder : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        for (const QString &path : {applicationFile, organisationFile}) {
            const QFileInfo info(QDir(folder).filePath(path));
            if (info.exists() && (!info.isFile() || info.size() > kMaximumFileSize))
                return nullptr;
        }
    }
    // While it writes, QSettings holds a lock file beside its file, and waits for as long as
    // another lock stands there that it cannot read or remove: a folder, a pipe, a link to
    // nothing, or a lock left by a copy ended while it wrote, in a folder that lets nothing be
    // removed (read-only, immutable). QSettings takes the lock only to write a file it may write.
    const QString file =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(applicationFile);
    const QFileInfo lock(file + QStringLiteral(".lock"));
    if ((lock.exists() || lock.isSymLink())
        && (!lock.isFile() || (QFileInfo(file).isWritable() && !QFileInfo(lock.absolutePath()).isWritable())))
        return nullptr;
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, name, name);
}

} // namespace settings
