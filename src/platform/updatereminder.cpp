#include "platform/updatereminder.h"

#include "platform/dialogs.h"
#include "platform/reminderdecision.h"
#include "platform/settingsstore.h"
#include "platform/weblinks.h"

#include <QSettings>

namespace platform {

void UpdateReminder()
{
    const std::unique_ptr<QSettings> settings = openSettingsStore();
    // Start-up runs this before the main window exists, so the question has no owner window.
    const auto askToCheck = [] {
        return MessageBox::askYesNo(nullptr, QStringLiteral("There maybe an update to this software available\n"
                                                            "Do you want to check for an update?"))
               == QMessageBox::Yes;
    };
    runUpdateReminder(*settings, QDate::currentDate(), askToCheck, &OpenDownloadPage);
}

} // namespace platform
