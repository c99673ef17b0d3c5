#include "core/program/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace program {

SingleInstance::SingleInstance(const QString &lockDirectory)
{
    QString dir = lockDirectory;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    // The temporary folder is shared by every user; a name per user keeps one user's copy, or a
    // file left there by anyone, from standing in another user's way.
    m_path = QDir(dir).filePath(QStringLiteral("tovrin-%1.lock").arg(::getuid()));
}

SingleInstance::~SingleInstance()
{
    // The file stays: removing it would let a copy starting now lock a new file beside the one a
    // copy that is just starting has opened.
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

bool SingleInstance::anotherCopyRunning()
{
    if (m_descriptor >= 0)
        return false;

    // Close-on-exec: a browser started from this copy must not keep holding the lock after it.
    // No following links and no waiting: the name may stand for anything in a shared folder.
    const int descriptor = ::open(QFile::encodeName(m_path).constData(),
                                  O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600);
    if (descriptor < 0)
        return false;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::getuid()) {
        // Someone else's file, held locked by them for ever, must not keep this user's copy out.
        ::close(descriptor);
        return false;
    }
    int locked;
    do
        locked = ::flock(descriptor, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked == 0) {
        // The runtime folder's cleaner (systemd-tmpfiles) removes what has not been touched for a
        // while there, except files with the sticky bit. Removed, the file would let the next start
        // lock a new one and run beside this copy.
        ::fchmod(descriptor, (status.st_mode & 07777) | S_ISVTX);
        m_descriptor = descriptor;
        return false;
    }
    const bool held = errno == EWOULDBLOCK;
    ::close(descriptor);
    return held;
}

} // namespace program
