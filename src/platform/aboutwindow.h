#pragma once

// The About window, shown modally from the main window's Help menu.
namespace platform {

void showAboutWindow();
void unloadAboutWindow();

} // namespace platform
