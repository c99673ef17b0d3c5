#pragma once

#include <QString>
#include <QStringList>

namespace readings {

// The couple's twelve details as the last reading recorded them (each trimmed), kept for the
// whole run of the program: Save writes them, in this order.
struct PartnerDetails {
    QString MaleFirstName, MaleMiddleName, MaleLastName;
    QString FemaleFirstName, FemaleMiddleName, FemaleLastName;
    QString MaleBirthMonth, MaleBirthDay, MaleBirthYear;
    QString FemaleBirthMonth, FemaleBirthDay, FemaleBirthYear;

    // The twelve details in the order of a saved reading's lines.
    QStringList toList() const;
    // The reverse of toList(); missing entries count as empty texts.
    static PartnerDetails fromList(const QStringList &lines);

    bool operator==(const PartnerDetails &other) const { return toList() == other.toList(); }
    bool operator!=(const PartnerDetails &other) const { return !(*this == other); }
};

// The program-wide details, empty at start.
PartnerDetails &partnerDetails();

} // namespace readings
