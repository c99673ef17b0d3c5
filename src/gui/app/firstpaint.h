#pragma once

// Hooks for the benchmarks (bench/): they time a window from a moment of their choosing until its
// first paint is complete, that is until Qt has painted every widget of the window and handed the
// image to the window system. Header-only, so that the bare Qt window the start-up benchmark
// compares against can use it without linking any of Tovrin.

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <functional>
#include <utility>

namespace app {

// CLOCK_MONOTONIC in nanoseconds, the clock the start-up benchmark shares with the programs.
inline long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Calls painted(begun, completed) once the first paint of the watched window is complete, with the
// moments its first paint event began and the paint was over. Qt paints all of a window's widgets
// in one pass and then flushes it to the window system; a zero timer started at the pass's first
// paint event runs when the pass and the flush are over.
class FirstPaintWatch final : public QObject
{
public:
    explicit FirstPaintWatch(std::function<void(long long begun, long long completed)> painted, QObject *parent = nullptr)
        : QObject(parent), m_painted(std::move(painted))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    // Starts watching window, forgetting any window watched before.
    void watch(QWidget *window)
    {
        m_window = window;
        m_seen = false;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_window && !m_seen && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == m_window) {
            m_seen = true;
            const long long begun = monotonicNanoseconds();
            QTimer::singleShot(0, this, [this, begun] { m_painted(begun, monotonicNanoseconds()); });
        }
        return false;
    }

private:
    std::function<void(long long, long long)> m_painted;
    QPointer<QWidget> m_window;
    bool m_seen = false;
};

// With the environment variable TOVRIN_BENCH_FIRST_PAINT set, prints "moment <name> <ns>", so that
// the start-up benchmark can tell how long each stage before the first paint took. Without the
// variable it does nothing.
inline void reportStartupMomentIfAsked(const char *name)
{
    if (qEnvironmentVariableIsSet("TOVRIN_BENCH_FIRST_PAINT"))
        std::printf("moment %s %lld\n", name, monotonicNanoseconds());
}

// With the environment variable TOVRIN_BENCH_FIRST_PAINT set, prints "first-paint <ns> <ns>", the
// moments the window's first paint began and was complete, and ends the event loop. Without the
// variable it does nothing.
inline void reportFirstPaintIfAsked(QWidget *window)
{
    if (!qEnvironmentVariableIsSet("TOVRIN_BENCH_FIRST_PAINT"))
        return;
    auto *watch = new FirstPaintWatch(
        [](long long begun, long long completed) {
            std::printf("first-paint %lld %lld\n", begun, completed);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        },
        window);
    watch->watch(window);
}

} // namespace app
