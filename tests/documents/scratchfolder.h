#pragma once

// A folder in which saving really fails. Root ignores file permissions, so when the test runs as
// root the failures come from a small tmpfs of the folder's own, remounted read-only or filled to
// the last byte. Any other user gets a plain folder and takes write permission away instead.

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

namespace documenttest {

class ScratchFolder
{
public:
    ScratchFolder()
        : m_path(m_parent.filePath(QStringLiteral("scratch")))
    {
        QDir().mkpath(m_path);
        if (::geteuid() != 0) {
            m_usable = true;
            return;
        }
        m_mounted = ::mount("tmpfs", nativePath(), "tmpfs", 0, "size=64k,mode=0755") == 0;
        m_usable = m_mounted;
        if (!m_mounted)
            m_reason = QStringLiteral("root ignores file permissions, and mounting a tmpfs failed (%1)").arg(error());
    }

    ~ScratchFolder()
    {
        if (m_mounted)
            ::umount2(nativePath(), MNT_DETACH);
        else
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    // False where this process can make no write fail (root without the right to mount).
    bool isUsable() const { return m_usable; }
    QString reason() const { return m_reason; }

    QString path() const { return m_path; }
    QString filePath(const QString &name) const { return QDir(m_path).filePath(name); }

    // Nothing can be created, changed or removed in the folder any more.
    bool makeReadOnly()
    {
        if (m_mounted)
            return remountReadOnly();
        for (const QString &name : QDir(m_path).entryList(QDir::Files))
            QFile::setPermissions(filePath(name), QFile::ReadOwner);
        return QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner);
    }

    // The file cannot be changed, while the folder still takes new files.
    bool makeFileReadOnly(const QString &name)
    {
        if (m_mounted)
            return remountReadOnly(); // a read-only file system is the only read-only for root
        return QFile::setPermissions(filePath(name), QFile::ReadOwner);
    }

    // Takes up every byte left. Only a file system of the folder's own can be filled safely.
    bool fill()
    {
        if (!m_mounted) {
            m_reason = QStringLiteral("filling a disk needs a tmpfs of its own, which only root may mount here");
            return false;
        }
        for (const char *name : {"filler", "filler-rest"}) {
            QFile filler(filePath(QLatin1String(name)));
            if (!filler.open(QIODevice::WriteOnly))
                break;
            const QByteArray block(qstrcmp(name, "filler") == 0 ? 4096 : 1, 'x');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
        return true;
    }

private:
    const char *nativePath()
    {
        m_native = QFile::encodeName(m_path);
        return m_native.constData();
    }

    static QString error() { return QString::fromLocal8Bit(std::strerror(errno)); }

    bool remountReadOnly()
    {
        if (::mount("tmpfs", nativePath(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") == 0)
            return true;
        m_reason = QStringLiteral("remounting the tmpfs read-only failed (%1)").arg(error());
        return false;
    }

    QTemporaryDir m_parent;
    QString m_path;
    QByteArray m_native;
    bool m_usable = false;
    bool m_mounted = false;
    QString m_reason;
};

} // namespace documenttest
