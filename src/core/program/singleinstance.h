#pragma once

#include <QString>

namespace program {

// Tells whether another copy of the program is running, through an advisory lock (flock) on a
// file of the user's own: tovrin-<uid>.lock in the user's runtime folder, or in the shared
// temporary folder when there is none. The kernel drops the lock when the copy holding it ends,
// however it ends, so nothing a crash, a kill or an editor leaves in the file can block a start;
// what the file holds is never read. When no lock can be had (the file cannot be opened, is not a
// regular file of this user's, or the system refuses the lock), the program starts rather than
// refuse.
class SingleInstance
{
public:
    // lockDirectory empty: the user's runtime folder.
    explicit SingleInstance(const QString &lockDirectory = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when another running copy holds the lock. Otherwise this copy holds it from now on,
    // until it is destroyed.
    bool anotherCopyRunning();

    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    int m_descriptor = -1; // open while this copy holds the lock
};

} // namespace program
