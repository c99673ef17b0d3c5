#pragma once

// A hook for the start-up benchmark (bench/): with the environment variable
// TOVRIN_BENCH_FIRST_PAINT set, the first paint of a window prints the moment it happened and ends
// the event loop. Without the variable it does nothing. Header-only, so that the bare Qt window
// the benchmark compares against can use it without linking any of Tovrin.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace app {

// On the first paint of window or of any widget in it, prints "first-paint <ns>" (CLOCK_MONOTONIC,
// which the benchmark's clock shares) and quits the application.
inline void reportFirstPaintIfAsked(QWidget *window)
{
    if (!qEnvironmentVariableIsSet("TOVRIN_BENCH_FIRST_PAINT"))
        return;

    class FirstPaint final : public QObject
    {
    public:
        explicit FirstPaint(QWidget *window) : QObject(window), m_window(window) {}

    protected:
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType()
                && static_cast<QWidget *>(watched)->window() == m_window) {
                m_done = true;
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("first-paint %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            }
            return false;
        }

    private:
        QWidget *m_window;
        bool m_done = false;
    };
    qApp->installEventFilter(new FirstPaint(window));
}

} // namespace app
