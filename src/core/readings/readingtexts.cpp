#include "core/readings/readingtexts.h"

#include "core/readings/direction.h"

namespace readings {

namespace {

QString pair(qint16 male, qint16 female)
{
    return QString::number(male) + QStringLiteral(" + ") + QString::number(female);
}

} // namespace

QString caption(Kind kind)
{
    return kind == Kind::LifePath ? QStringLiteral("LifePath Compatibility")
                                  : QStringLiteral("Destiny Compatibility");
}

QString standaloneHeading(Kind kind, qint16 male, qint16 female)
{
    return caption(kind) + QStringLiteral(" Combination: ") + pair(male, female) + crlf() + crlf();
}

QString documentHeading(Kind kind, qint16 male, qint16 female)
{
    const QString lead = kind == Kind::LifePath ? QStringLiteral("LifePath Compatibility Number Combination is ")
                                                : QStringLiteral("Destiny Compatibility Combination is ");
    return lead + pair(male, female) + crlf() + crlf();
}

QString partnerBlock(const QString &title, const QString &fullName, const QString &month,
                     const QString &day, const QString &year)
{
    return title + crlf() + QStringLiteral("Name: ") + fullName + crlf() + QStringLiteral("Date of Birth: ")
        + month + QLatin1Char(' ') + day + QStringLiteral(", ") + year + crlf() + crlf();
}

QString displayedFullName(const QString &first, const QString &middle, const QString &last)
{
    return withDirectionsClosed(first) + QLatin1Char(' ') + withDirectionsClosed(middle) + QLatin1Char(' ')
        + withDirectionsClosed(last);
}

QString countedFullName(const QString &first, const QString &middle, const QString &last)
{
    return first.trimmed() + middle.trimmed() + last.trimmed();
}

} // namespace readings
