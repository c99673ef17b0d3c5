#pragma once

#include <QList>
#include <QString>

// The table of compatibility paragraphs, keyed by CombinationKey (male digit, then female).
namespace numerology {

// The paragraph for key, read as a decimal number ("011" is key 11), or an empty text when the
// table holds no such key (any key with a 0 digit, or of three digits).
QString CompatibilityText(const QString &key);

// The table's keys in ascending order: 11 to 99 without a 0 digit.
QList<int> compatibilityKeys();

} // namespace numerology
