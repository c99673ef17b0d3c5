#include "core/settings/recentreadings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace settings {

namespace {

const QString kKey = QStringLiteral("Recent/Readings");

void store(QSettings &settings, const QStringList &paths)
{
    if (paths.isEmpty())
        settings.remove(kKey);
    else
        settings.setValue(kKey, paths);
    settings.sync();
}

} // namespace

QStringList recentReadings(QSettings &settings)
{
    // A hand-edited file may hold anything: keep absolute paths only, each once, the newest five.
    QStringList paths;
    for (const QString &path : settings.value(kKey).toStringList()) {
        if (QFileInfo(path).isAbsolute() && !paths.contains(path) && paths.size() < kMaximumRecentReadings)
            paths.append(path);
    }
    return paths;
}

void addRecentReading(QSettings &settings, const QString &path)
{
    // "link/../ours.kvl" tidied to "ours.kvl" is another file, so a path that goes up a folder is
    // kept as opened; any other loses its "." and doubled slashes, and one file is listed once.
    QString absolute = QDir::current().filePath(path);
    if (!absolute.split(QLatin1Char('/')).contains(QLatin1String("..")))
        absolute = QDir::cleanPath(absolute);
    QStringList paths = recentReadings(settings);
    paths.removeAll(absolute);
    paths.prepend(absolute);
    store(settings, paths.mid(0, kMaximumRecentReadings));
}

void removeRecentReading(QSettings &settings, const QString &path)
{
    QStringList paths = recentReadings(settings);
    paths.removeAll(path);
    store(settings, paths);
}

void clearRecentReadings(QSettings &settings)
{
    store(settings, {});
}

} // namespace settings
