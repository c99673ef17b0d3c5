#pragma once

#include <functional>
#include <thread>

namespace platform {

// Loads fontconfig's configuration (FcInit(), or load where given) on a thread of its own, which
// start-up joins before the first font is needed.
//
// The thread reads in a "C" locale of its own. Meanwhile QApplication sets the user's locale for
// the whole process, and fontconfig reads a number such as "7.5" in its configuration by asking
// for the decimal point first and converting the number after: a locale that writes "7,5" set in
// between made it refuse the number and drop the rule that held it.
std::thread loadFontConfigurationAside(std::function<void()> load = {});

} // namespace platform
