#include "core/settings/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace settings {

QString settingsApplicationName()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

std::unique_ptr<QSettings> openSettingsStore()
{
    const QString name = settingsApplicationName();
    // QSettings reads its files as it is made, the application's file and then the
    // organisation's, both in the folder QStandardPaths gives it on Linux.
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    for (const QString &file : {name + QStringLiteral("/") + name + QStringLiteral(".ini"), name + QStringLiteral(".ini")}) {
        const QFileInfo info(folder.filePath(file));
        if (info.exists() && !info.isFile())
            return nullptr;
    }
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, name, name);
}

} // namespace settings
