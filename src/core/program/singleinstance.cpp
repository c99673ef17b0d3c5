#include "core/program/singleinstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace program {

SingleInstance::SingleInstance(const QString &lockDirectory)
{
    QString dir = lockDirectory;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_path = QDir(dir).filePath(QStringLiteral("tovrin.lock"));
    m_lock = std::make_unique<QLockFile>(m_path);
    // Never age a live copy's lock: only a lock whose process is gone is stale.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::anotherCopyRunning()
{
    if (m_lock->isLocked() || m_lock->tryLock(0))
        return false;
    // Only a lock held by a live process refuses the start; a lock we cannot create does not.
    return m_lock->error() == QLockFile::LockFailedError;
}

} // namespace program
