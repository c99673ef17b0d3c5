#include "gui/app/updatereminder.h"

#include "core/settings/reminderdecision.h"
#include "core/settings/settingsstore.h"
#include "gui/platform/seams.h"
#include "gui/platform/weblinks.h"

#include <QSettings>

namespace app {

void UpdateReminder(const std::function<void()> &beforeAsking)
{
    const std::unique_ptr<QSettings> settings = settings::openSettingsStore();
    // No usable store: as at a first start, there is nothing to ask, and today cannot be kept.
    if (!settings)
        return;
    // Start-up runs this before the main window exists, so the question has no owner window.
    const auto askToCheck = [&beforeAsking] {
        if (beforeAsking)
            beforeAsking();
        return platform::MessageBox::askYesNo(nullptr,
                                              QStringLiteral("There maybe an update to this software available\n"
                                                             "Do you want to check for an update?"))
               == QMessageBox::Yes;
    };
    settings::runUpdateReminder(*settings, QDate::currentDate(), askToCheck, &platform::OpenDownloadPage);
}

} // namespace app
