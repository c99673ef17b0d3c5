#pragma once

#include <QUrl>

// The maker's web pages, opened in the user's default browser. Nothing is reported when a page
// cannot be opened: the program carries on as it was.
namespace platform {

enum class WebPage { Donate, OnlineHelp, FullBrand, CoBrand, Home, Download };

// The absolute address of a page, built on the one base address the build was configured with.
QUrl webPageAddress(WebPage page);

void OpenDonatePage();
void OpenOnlineHelpPage();
void OpenFullBrandPage();
void OpenCoBrandPage();
void OpenHomePage();
void OpenDownloadPage();

// Hands an address to the desktop's handler for it. Returns whether the desktop took it.
bool openWebAddress(const QUrl &address);

} // namespace platform
