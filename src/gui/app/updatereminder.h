#pragma once

#include <functional>

// Every 14 days, start-up offers to look for a newer version of the program: a Yes/No question
// whose Yes opens the download page. Runs once, before the main window is shown; beforeAsking
// runs just before the question shows.
namespace app {

void UpdateReminder(const std::function<void()> &beforeAsking = {});

} // namespace app
