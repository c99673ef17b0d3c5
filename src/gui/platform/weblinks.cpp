#include "gui/platform/weblinks.h"

#include <QDesktopServices>

namespace platform {

namespace {

struct PageEntry {
    WebPage page;
    const char *path; // relative to the base address
};

// One table for every page; the base address comes from the build (TOVRIN_BASE_URL).
constexpr PageEntry kPages[] = {
    {WebPage::Donate, "donate.html"},
    {WebPage::OnlineHelp, "help.html"},
    {WebPage::FullBrand, "fullbrand.html"},
    {WebPage::CoBrand, "cobrand.html"},
    {WebPage::Home, ""},
    {WebPage::Download, "download.html"},
};

void openPage(WebPage page)
{
    openWebAddress(webPageAddress(page));
}

} // namespace

QUrl webPageAddress(WebPage page)
{
    QString base = QStringLiteral(TOVRIN_BASE_URL);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    for (const PageEntry &entry : kPages) {
        if (entry.page == page)
            return QUrl(base + QLatin1String(entry.path));
    }
    return QUrl(base);
}

bool openWebAddress(const QUrl &address)
{
    if (!address.isValid())
        return false;
    return QDesktopServices::openUrl(address);
}

void OpenDonatePage() { openPage(WebPage::Donate); }
void OpenOnlineHelpPage() { openPage(WebPage::OnlineHelp); }
void OpenFullBrandPage() { openPage(WebPage::FullBrand); }
void OpenCoBrandPage() { openPage(WebPage::CoBrand); }
void OpenHomePage() { openPage(WebPage::Home); }
void OpenDownloadPage() { openPage(WebPage::Download); }

} // namespace platform
