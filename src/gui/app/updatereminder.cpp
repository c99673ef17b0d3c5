#include "gui/app/updatereminder.h"

#include "core/settings/reminderdecision.h"
#include "core/settings/settingsstore.h"
#include "gui/platform/seams.h"
#include "gui/platform/weblinks.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSettings>

namespace app {

namespace {

// Notes a Quit event sent to the application while it lives.
class QuitWatch final : public QObject
{
public:
    QuitWatch() { QCoreApplication::instance()->installEventFilter(this); }
    bool quitAsked() const { return m_quitAsked; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit)
            m_quitAsked = true;
        return false; // Qt still ends the question's loop
    }

private:
    bool m_quitAsked = false;
};

} // namespace

bool UpdateReminder(const std::function<void()> &beforeAsking)
{
    const std::unique_ptr<QSettings> settings = settings::openSettingsStore();
    // No usable store: as at a first start, there is nothing to ask, and today cannot be kept.
    if (!settings)
        return true;
    const QuitWatch quit;
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
    return !quit.quitAsked();
}

} // namespace app
