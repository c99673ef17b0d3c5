#pragma once

// A named pipe for tests of code that must never wait on one. Opening a pipe for reading waits
// until something opens it for writing; should the code under test do that, a watchdog opens the
// pipe for writing after a few seconds, so that the test goes on and fails instead of hanging
// until its time-out.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

class Fifo
{
public:
    explicit Fifo(const QString &path)
        : m_path(QFile::encodeName(path))
    {
        m_made = ::mkfifo(m_path.constData(), 0600) == 0;
        m_watchdog = std::thread([this] { watch(); });
    }

    ~Fifo()
    {
        m_stop = true;
        m_watchdog.join();
    }

    Fifo(const Fifo &) = delete;
    Fifo &operator=(const Fifo &) = delete;

    bool made() const { return m_made; }

    // True once a reader waited on the pipe and the watchdog had to let it go.
    bool readerWaited() const { return m_readerWaited; }

    // True while the path still names a pipe: nobody replaced it by a file.
    bool stillThere() const
    {
        struct stat status {};
        return ::lstat(m_path.constData(), &status) == 0 && S_ISFIFO(status.st_mode);
    }

private:
    void watch()
    {
        using namespace std::chrono_literals;
        // Code that only looks at the pipe has it open for microseconds, long before this.
        for (int i = 0; i < 100 && !m_stop; ++i)
            std::this_thread::sleep_for(20ms);
        while (!m_stop) {
            // Succeeds only while a reader has the pipe open, which a waiting reader has.
            const int descriptor = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (descriptor >= 0) {
                m_readerWaited = true;
                ::close(descriptor);
            }
            std::this_thread::sleep_for(20ms);
        }
    }

    QByteArray m_path;
    bool m_made = false;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_readerWaited{false};
    std::thread m_watchdog;
};

} // namespace testsupport
