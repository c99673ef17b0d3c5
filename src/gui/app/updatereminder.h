#pragma once

// Every 14 days, start-up offers to look for a newer version of the program: a Yes/No question
// whose Yes opens the download page. Runs once, before the main window is shown.
namespace app {

void UpdateReminder();

} // namespace app
