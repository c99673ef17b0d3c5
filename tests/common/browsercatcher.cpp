#include "browsercatcher.h"

#include <QDesktopServices>

BrowserCatcher::BrowserCatcher(const QStringList &schemes)
    : m_schemes(schemes)
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::setUrlHandler(scheme, this, "open");
}

BrowserCatcher::~BrowserCatcher()
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

void BrowserCatcher::open(const QUrl &url)
{
    urls.append(url);
}
