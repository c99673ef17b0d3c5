// Reading latency: the time from the click on "Comprehensive Reading" until the document window's
// first paint, on the platform the environment names (the benchmark script runs it on Xvfb).
// The main window is filled and shown as a user would have it; the modal showing is replaced by a
// plain show() so the event loop keeps running, and Back closes the window after each run.
//
// usage: readinglatency [runs] [longest]   (default 50 runs; one more run first, not counted)
// With "longest", each of the six name boxes holds 32,767 characters, as many as a box takes.
#include "gui/app/frmmain.h"
#include "gui/app/program.h"
#include "gui/documents/frmsavedocument.h"
#include "gui/platform/seams.h"
#include "gui/platform/look.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Notes the moment of the first paint of a window once it is set, and ends a waiting loop.
class PaintWatch final : public QObject
{
public:
    QPointer<QWidget> window;
    QEventLoop *loop = nullptr;
    QElapsedTimer *clock = nullptr;
    qint64 paintedAt = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (paintedAt < 0 && window && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == window) {
            paintedAt = clock->nsecsElapsed();
            loop->quit();
        }
        return false;
    }
};

void fill(frmMain *window, bool longest)
{
    // John Paul Smith, 15 March 1985, and Mary Jones, 4 July 1990.
    window->setDetails(readings::PartnerDetails::fromList(
        {QStringLiteral("John"), QStringLiteral("Paul"), QStringLiteral("Smith"), QStringLiteral("Mary"), QString(),
         QStringLiteral("Jones"), QStringLiteral("March"), QStringLiteral("15"), QStringLiteral("1985"),
         QStringLiteral("July"), QStringLiteral("4"), QStringLiteral("1990")}));
    if (longest) {
        readings::PartnerDetails details = window->details();
        const QString name = QString(32767, QLatin1Char('n'));
        details.MaleFirstName = details.MaleMiddleName = details.MaleLastName = name;
        details.FemaleFirstName = details.FemaleMiddleName = details.FemaleLastName = name;
        window->setDetails(details);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tovrin-readinglatency"));
    platform::installProgramLook();
    platform::MessageBox::setTestMode(true);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;

    app::Program owner;
    frmMain *window = owner.mainWindow();
    const bool longest = argc > 2 && qstrcmp(argv[2], "longest") == 0;
    fill(window, longest);
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) {
        std::fprintf(stderr, "the main window was not shown\n");
        return 1;
    }
    auto *cmdCR = window->findChild<QPushButton *>(QStringLiteral("cmdCR"));

    QElapsedTimer clock;
    PaintWatch watch;
    watch.clock = &clock;
    application.installEventFilter(&watch);
    platform::setModalHandler([&watch](QDialog *dialog) {
        watch.window = dialog;
        dialog->show();
    });

    std::vector<double> milliseconds;
    for (int run = -1; run < runs; ++run) {
        QEventLoop loop;
        watch.loop = &loop;
        watch.window = nullptr;
        watch.paintedAt = -1;
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);

        clock.start();
        QTest::mouseClick(cmdCR, Qt::LeftButton);
        if (watch.paintedAt < 0)
            loop.exec();
        if (watch.paintedAt < 0) {
            std::fprintf(stderr, "the document window was not painted within 5 s\n");
            return 1;
        }
        if (run >= 0)
            milliseconds.push_back(static_cast<double>(watch.paintedAt) / 1e6);

        window->documentWindow()->findChild<QPushButton *>(QStringLiteral("cmdBack"))->click();
        QTest::qWait(30); // let the window go away and be deleted before the next click
    }

    std::sort(milliseconds.begin(), milliseconds.end());
    const auto at = [&milliseconds](double q) {
        return milliseconds[static_cast<std::size_t>(q * static_cast<double>(milliseconds.size() - 1) + 0.5)];
    };
    const std::size_t n = milliseconds.size();
    const double median = n % 2 ? milliseconds[n / 2] : (milliseconds[n / 2 - 1] + milliseconds[n / 2]) / 2;
    std::printf("Comprehensive Reading%s, click to first paint of the document window (%zu runs):\n",
                longest ? " with every name box full" : "", n);
    std::printf("  median %.2f ms, min %.2f ms, 90th percentile %.2f ms, max %.2f ms\n", median, milliseconds.front(),
                at(0.9), milliseconds.back());
    return 0;
}
