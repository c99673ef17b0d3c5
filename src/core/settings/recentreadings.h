#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The readings saved or opened last, newest first, kept in the settings store so that they
// outlast the program: File > Open Recent lists them.
namespace settings {

constexpr int kMaximumRecentReadings = 5;

QStringList recentReadings(QSettings &settings);

// Puts path (made absolute) first; an earlier mention of it goes, and the list keeps at most
// kMaximumRecentReadings entries.
void addRecentReading(QSettings &settings, const QString &path);
void removeRecentReading(QSettings &settings, const QString &path);
void clearRecentReadings(QSettings &settings);

} // namespace settings
