#pragma once

#include <QString>
#include <QtGlobal>

// The wording of the readings. Line breaks are CR LF throughout.
namespace readings {

enum class Kind { LifePath, Destiny };

inline QString crlf() { return QStringLiteral("\r\n"); }

// The reading window's caption: "LifePath Compatibility" or "Destiny Compatibility".
QString caption(Kind kind);

// The first line of a reading on its own, with the empty line after it:
// "LifePath Compatibility Combination: 5 + 3" CR LF CR LF.
QString standaloneHeading(Kind kind, qint16 male, qint16 female);

// The heading of a section in the comprehensive document, with the empty line after it. The
// LifePath section says "Number Combination is", the Destiny section only "Combination is".
QString documentHeading(Kind kind, qint16 male, qint16 female);

// "Male Information" or "Female Information", the name line and the date-of-birth line
// ("Month Day, Year"), then an empty line.
QString partnerBlock(const QString &title, const QString &fullName, const QString &month,
                     const QString &day, const QString &year);

// First, middle and last name joined by single blanks, as the document shows them.
QString displayedFullName(const QString &first, const QString &middle, const QString &last);

// First, middle and last name trimmed and joined without separator, as the Destiny number counts them.
QString countedFullName(const QString &first, const QString &middle, const QString &last);

} // namespace readings
