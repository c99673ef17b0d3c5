#pragma once

#include <functional>

// Every 14 days, start-up offers to look for a newer version of the program: a Yes/No question
// whose Yes opens the download page. Runs once, before the main window is shown; beforeAsking
// runs just before the question shows. False when the program was told to end meanwhile (the
// desktop session ending sends the application a Quit event, which closes the question): then
// start-up stops, for the main loop, not running yet, would never learn of it.
namespace app {

[[nodiscard]] bool UpdateReminder(const std::function<void()> &beforeAsking = {});

} // namespace app
