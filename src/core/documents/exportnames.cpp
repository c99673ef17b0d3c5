#include "core/documents/exportnames.h"

#include "core/program/version.h"
#include "core/readings/direction.h"

#include <QStringList>

namespace documents {

namespace {

QString joinedName(const QString &first, const QString &middle, const QString &last)
{
    QStringList parts;
    for (const QString &part : {first, middle, last}) {
        if (!part.trimmed().isEmpty())
            parts.append(readings::withDirectionsClosed(part.trimmed()));
    }
    return parts.join(QLatin1Char(' '));
}

bool unsafeInFileName(QChar c)
{
    return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
        || QStringLiteral("/\\:*?\"<>|").contains(c);
}

} // namespace

QString exportTitle(const readings::PartnerDetails &d)
{
    return program::name() + QStringLiteral(" reading: ")
        + joinedName(d.MaleFirstName, d.MaleMiddleName, d.MaleLastName) + QStringLiteral(" and ")
        + joinedName(d.FemaleFirstName, d.FemaleMiddleName, d.FemaleLastName);
}

QString suggestedExportFileName(const readings::PartnerDetails &d)
{
    // File systems take 255 bytes for a name; at most four UTF-8 bytes a character, the extension
    // and the " and " leave room for 30 characters of each first name.
    constexpr int kLongestFirstName = 30;
    auto part = [](const QString &name) {
        QString safe = name.trimmed().left(kLongestFirstName);
        if (safe.size() == kLongestFirstName && safe.back().isHighSurrogate())
            safe.chop(1);
        for (QChar &c : safe) {
            if (unsafeInFileName(c))
                c = QLatin1Char('_');
        }
        return safe;
    };
    QString name = part(d.MaleFirstName) + QStringLiteral(" and ") + part(d.FemaleFirstName);
    // A name of dots alone would name a folder.
    if (name.startsWith(QLatin1Char('.')))
        name.replace(0, 1, QLatin1Char('_'));
    return name + QStringLiteral(".pdf");
}

} // namespace documents
