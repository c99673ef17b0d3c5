#include "platform/updatereminder.h"

namespace platform {

void UpdateReminder()
{
}

} // namespace platform
