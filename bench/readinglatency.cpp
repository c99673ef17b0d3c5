// Reading latency: the time from the click on "Comprehensive Reading" until the document window's
// first paint is complete, on the platform the environment names (the benchmark script runs it on Xvfb).
// The main window is filled and shown as a user would have it; the modal showing is replaced by a
// plain show() so the event loop keeps running, and Back closes the window after each run.
//
// usage: readinglatency [runs] [longest]   (default 50 runs; one more run first, not counted)
// With "longest", each of the six name boxes holds 32,767 characters, as many as a box takes.
#include "gui/app/firstpaint.h"
#include "gui/app/frmmain.h"
#include "gui/app/program.h"
#include "gui/documents/frmsavedocument.h"
#include "gui/platform/seams.h"
#include "gui/platform/look.h"

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

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

    long long clickedAt = 0;
    long long paintedAt = -1;
    QEventLoop *waiting = nullptr;
    app::FirstPaintWatch watch([&](long long, long long completed) {
        paintedAt = completed - clickedAt;
        if (waiting)
            waiting->quit();
    });
    platform::setModalHandler([&watch](QDialog *dialog) {
        watch.watch(dialog);
        dialog->show();
    });

    std::vector<double> milliseconds;
    for (int run = -1; run < runs; ++run) {
        QEventLoop loop;
        waiting = &loop;
        watch.watch(nullptr);
        paintedAt = -1;
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);

        clickedAt = app::monotonicNanoseconds();
        QTest::mouseClick(cmdCR, Qt::LeftButton);
        if (paintedAt < 0)
            loop.exec();
        waiting = nullptr;
        if (paintedAt < 0) {
            std::fprintf(stderr, "the document window was not painted within 5 s\n");
            return 1;
        }
        if (run >= 0)
            milliseconds.push_back(static_cast<double>(paintedAt) / 1e6);

        window->documentWindow()->findChild<QPushButton *>(QStringLiteral("cmdBack"))->click();
        QTest::qWait(30); // let the window go away and be deleted before the next click
    }

    std::sort(milliseconds.begin(), milliseconds.end());
    const auto at = [&milliseconds](double q) {
        return milliseconds[static_cast<std::size_t>(q * static_cast<double>(milliseconds.size() - 1) + 0.5)];
    };
    const std::size_t n = milliseconds.size();
    const double median = n % 2 ? milliseconds[n / 2] : (milliseconds[n / 2 - 1] + milliseconds[n / 2]) / 2;
    std::printf("Comprehensive Reading%s, click to the document window painted (%zu runs):\n",
                longest ? " with every name box full" : "", n);
    std::printf("  median %.2f ms, min %.2f ms, 90th percentile %.2f ms, max %.2f ms\n", median, milliseconds.front(),
                at(0.9), milliseconds.back());
    return 0;
}
