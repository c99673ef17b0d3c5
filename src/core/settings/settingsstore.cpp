#include "core/settings/settingsstore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace settings {

QString settingsApplicationName()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

std::unique_ptr<QSettings> openSettingsStore()
{
    const QString name = settingsApplicationName();
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, name, name);
}

} // namespace settings
