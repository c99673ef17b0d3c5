#pragma once

// The clean-up the user's runtime folder may see while a copy runs: a cleaner such as
// systemd-tmpfiles removes what nobody has touched for a while there, except files marked with
// the sticky bit. This one removes at once every entry that is not so marked.

#include <QDir>
#include <QFile>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

inline void cleanRuntimeFolder(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        struct stat status {};
        if (::lstat(path.constData(), &status) == 0 && !S_ISDIR(status.st_mode) && !(status.st_mode & S_ISVTX))
            ::unlink(path.constData());
    }
}

} // namespace testsupport
