#pragma once

#include <QString>
#include <QStringList>

namespace readings {

// The couple's twelve details: what the main window holds, what a reading is composed from, and
// what a saved reading stores, in this order.
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

} // namespace readings
