#include "platform/aboutwindow.h"

namespace platform {

void showAboutWindow()
{
}

void unloadAboutWindow()
{
}

} // namespace platform
