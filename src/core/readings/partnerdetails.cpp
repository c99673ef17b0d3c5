#include "core/readings/partnerdetails.h"

namespace readings {

namespace {

QString PartnerDetails::*const kOrder[] = {
    &PartnerDetails::MaleFirstName,    &PartnerDetails::MaleMiddleName,   &PartnerDetails::MaleLastName,
    &PartnerDetails::FemaleFirstName,  &PartnerDetails::FemaleMiddleName, &PartnerDetails::FemaleLastName,
    &PartnerDetails::MaleBirthMonth,   &PartnerDetails::MaleBirthDay,     &PartnerDetails::MaleBirthYear,
    &PartnerDetails::FemaleBirthMonth, &PartnerDetails::FemaleBirthDay,   &PartnerDetails::FemaleBirthYear,
};

} // namespace

QStringList PartnerDetails::toList() const
{
    QStringList list;
    for (QString PartnerDetails::*field : kOrder)
        list.append(this->*field);
    return list;
}

PartnerDetails PartnerDetails::fromList(const QStringList &lines)
{
    PartnerDetails details;
    int i = 0;
    for (QString PartnerDetails::*field : kOrder) {
        if (i < lines.size())
            details.*field = lines.at(i);
        ++i;
    }
    return details;
}

} // namespace readings
