#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace program {

// Tells whether another copy of the program is running, through a lock file in the user's
// runtime folder. A copy that crashed or was killed leaves a stale lock that the next start
// takes over; when no lock can be created at all, the program starts rather than refuse.
class SingleInstance
{
public:
    // lockDirectory empty: the user's runtime folder.
    explicit SingleInstance(const QString &lockDirectory = QString());
    ~SingleInstance();

    // True when another running copy holds the lock.
    bool anotherCopyRunning();

    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace program
