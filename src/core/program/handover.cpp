#include "core/program/handover.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <tuple>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace program {

namespace {

// A client that has not sent its whole message by then is dropped.
constexpr int kClientTimeoutMs = 2000;

bool socketAddress(const QString &path, sockaddr_un *address)
{
    const QByteArray name = QFile::encodeName(path);
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    if (name.isEmpty() || name.size() >= int(sizeof address->sun_path))
        return false;
    std::memcpy(address->sun_path, name.constData(), size_t(name.size()));
    return true;
}

// The message, or an empty text when bytes are no message: one absolute path, NUL-ended, bounded.
QString messagePath(const QByteArray &bytes)
{
    const int end = int(bytes.indexOf('\0'));
    if (end <= 0 || end > kMaximumHandOverPath || end != bytes.size() - 1 || bytes.front() != '/')
        return QString();
    return QFile::decodeName(bytes.left(end));
}

enum class HandOver { Done, Refused, NotYet };

// One try at handing message to the copy listening at address.
HandOver handOverOnce(const sockaddr_un &address, const QByteArray &message)
{
    // connect() follows links, and in the shared temporary folder anyone may have put one at the
    // socket's name, pointing at another program of this user's: that program would be handed the
    // path, and this start would end as if the running copy had it. Only a socket of this user's
    // own is taken, and nobody else can remove or rename it there.
    struct stat status {};
    if (::lstat(address.sun_path, &status) != 0)
        return HandOver::NotYet;
    if (!S_ISSOCK(status.st_mode) || status.st_uid != ::getuid())
        return HandOver::Refused;
    // Without waiting: a running copy that hangs with its queue of connections full would keep a
    // blocking connect() waiting for ever; this one fails at once and is tried again.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return HandOver::Refused;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
        || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return HandOver::NotYet;
    }
    // Only a copy this user runs is handed the file: a socket someone else left at this name (it
    // may lie in the shared temporary folder) gets nothing.
    ucred peer{};
    socklen_t length = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 || peer.uid != ::getuid()) {
        ::close(fd);
        return HandOver::Refused;
    }
    qsizetype sent = 0;
    while (sent < message.size()) {
        const ssize_t n = ::send(fd, message.constData() + sent, size_t(message.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        sent += n;
    }
    ::close(fd);
    return sent == message.size() ? HandOver::Done : HandOver::Refused;
}

} // namespace

QString handOverSocketPath(const QString &directory)
{
    QString dir = directory;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString name = QStringLiteral("tovrin-%1.socket").arg(::getuid());
    // A socket's name has room for about a hundred bytes: in a runtime folder too long for that,
    // the socket goes to the temporary folder, as when there is no runtime folder.
    if (dir.isEmpty() || QFile::encodeName(QDir(dir).filePath(name)).size() >= int(sizeof(sockaddr_un::sun_path)))
        dir = QDir::tempPath();
    return QDir(dir).filePath(name);
}

bool handOverFile(const QString &socketPath, const QString &path, int timeoutMs)
{
    const QByteArray message = QFile::encodeName(path) + '\0';
    sockaddr_un address;
    if (!socketAddress(socketPath, &address) || message.size() - 1 > kMaximumHandOverPath)
        return false;

    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        switch (handOverOnce(address, message)) {
        case HandOver::Done:
            return true;
        case HandOver::Refused:
            return false;
        case HandOver::NotYet:
            // The running copy may still be on its way to listening, or busy.
            ::usleep(20000);
            break;
        }
    }
    return false;
}

HandOverListener::HandOverListener(const QString &socketPath, QObject *parent)
    : QObject(parent)
    , m_path(socketPath)
{
}

HandOverListener::~HandOverListener()
{
    close();
}

void HandOverListener::close()
{
    for (auto it = m_clients.begin(); it != m_clients.end(); ++it) {
        delete it->notifier;
        ::close(it.key());
    }
    m_clients.clear();
    if (m_spare >= 0) {
        ::close(m_spare);
        m_spare = -1;
    }
    if (m_fd >= 0) {
        delete m_notifier;
        m_notifier = nullptr;
        ::close(m_fd);
        m_fd = -1;
        // A copy that started beside this one (its lock file removed by hand) has put its own
        // socket here; removing that would leave it unreachable.
        const QByteArray path = QFile::encodeName(m_path);
        struct stat status {};
        if (::lstat(path.constData(), &status) == 0 && status.st_dev == m_device && status.st_ino == m_inode)
            ::unlink(path.constData());
    }
}

bool HandOverListener::open()
{
    sockaddr_un address;
    if (m_fd >= 0 || !socketAddress(m_path, &address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    ::unlink(address.sun_path); // left by a copy that was killed
    // Made with no permission for anyone else, before anyone can connect.
    const mode_t previous = ::umask(0077);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::umask(previous);
    // Sticky, for the runtime folder's cleaner to leave it however long this copy runs: without
    // it, a later start would find nobody to hand its file to. (Not through a link: in a shared
    // folder the name is not ours alone.) A socket left unmarked still takes files.
    if (bound)
        std::ignore = ::fchmodat(AT_FDCWD, address.sun_path, S_ISVTX | S_IRWXU, AT_SYMLINK_NOFOLLOW);
    if (!bound || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    struct stat status {};
    if (::lstat(address.sun_path, &status) == 0) {
        m_device = status.st_dev;
        m_inode = status.st_ino;
    }
    m_fd = fd;
    m_spare = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    return true;
}

bool HandOverListener::listen()
{
    if (m_notifier || (m_fd < 0 && !open()))
        return false;
    // Connections made since open() are waiting: the notifier reports them at once.
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &HandOverListener::acceptClients);
    return true;
}

void HandOverListener::acceptClients()
{
    if (m_spare < 0)
        m_spare = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    for (;;) {
        const int client = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0 && (errno == EMFILE || errno == ENFILE)) {
            // With no descriptor left the connection stays queued and wakes this up again at once,
            // for ever, while the copy that sent it has ended believing the file opened here. The
            // spare descriptor makes room for it; without one, accepting waits a moment.
            if (m_spare >= 0) {
                ::close(m_spare);
                m_spare = -1;
                continue;
            }
            m_notifier->setEnabled(false);
            QTimer::singleShot(100, m_notifier, [notifier = m_notifier] { notifier->setEnabled(true); });
            return;
        }
        if (client < 0)
            return;
        // Only the user's own programs: the folder is private, and the peer is checked too.
        ucred peer{};
        socklen_t length = sizeof peer;
        if (::getsockopt(client, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 || peer.uid != ::getuid()) {
            ::close(client);
            continue;
        }
        auto *notifier = new QSocketNotifier(client, QSocketNotifier::Read, this);
        m_clients.insert(client, {notifier, QByteArray()});
        connect(notifier, &QSocketNotifier::activated, this, [this, client] { readClient(client); });
        QTimer::singleShot(kClientTimeoutMs, notifier, [this, client, notifier] {
            // The descriptor may belong to a newer client by now.
            const auto it = m_clients.constFind(client);
            if (it != m_clients.cend() && it->notifier == notifier)
                dropClient(client);
        });
    }
}

void HandOverListener::readClient(int fd)
{
    auto it = m_clients.find(fd);
    if (it == m_clients.end())
        return;
    char buffer[1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            it->received.append(buffer, n);
            if (it->received.size() > kMaximumHandOverPath + 1) {
                dropClient(fd); // longer than any message: ignored
                return;
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return; // more to come
        break; // the client has said all it will
    }
    const QString path = messagePath(it->received);
    dropClient(fd);
    if (!path.isEmpty())
        emit fileHandedOver(path);
}

void HandOverListener::dropClient(int fd)
{
    const auto it = m_clients.find(fd);
    if (it == m_clients.end())
        return;
    it->notifier->setEnabled(false); // before the descriptor goes
    it->notifier->deleteLater();
    m_clients.erase(it);
    ::close(fd);
}

} // namespace program
