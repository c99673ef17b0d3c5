#include "gui/platform/fontconfiguration.h"

#include <fontconfig/fontconfig.h>

#include <locale.h>

namespace platform {

std::thread loadFontConfigurationAside(std::function<void()> load)
{
    if (!load)
        load = [] { FcInit(); };
    return std::thread([load = std::move(load)] {
        const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        if (c)
            uselocale(c);
        load();
        if (c) {
            uselocale(LC_GLOBAL_LOCALE);
            freelocale(c);
        }
    });
}

} // namespace platform
