#pragma once

#include <functional>

// Leaving the program: the exit screen, then unloading every window and ending the process.
namespace app {

// Shows the exit screen (modeless); closing it runs QuitApplication().
void showExitScreen();
bool exitScreenShown();

// Unloads every loaded window, each running its unload handler, then ends the program.
void QuitApplication();
bool isQuitting();

// Tests: replace how the process ends (by default the event loop exits with code 0).
void setQuitHandler(std::function<void()> handler);

} // namespace app
