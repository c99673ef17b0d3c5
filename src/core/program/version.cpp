#include "core/program/version.h"

namespace program {

QString name()
{
    return QStringLiteral("Tovrin");
}

QString version()
{
    return QStringLiteral(TOVRIN_VERSION);
}

QString caption()
{
    return name() + QStringLiteral(" v") + version();
}

QString applicationId()
{
    return QStringLiteral(TOVRIN_APP_ID);
}

} // namespace program
