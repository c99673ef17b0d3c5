#pragma once

// Every 14 days, start-up offers to look for a newer version of the program.
namespace platform {

void UpdateReminder();

} // namespace platform
