#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <sys/types.h>

class QSocketNotifier;

// How a second start hands a file to the copy that is running: through a local (Unix domain)
// socket in the user's runtime folder, which only that user can reach. The message is one path,
// absolute, encoded as the file system encodes names, ended by a NUL byte, at most
// kMaximumHandOverPath bytes before it. The running copy ignores anything else.
namespace program {

constexpr int kMaximumHandOverPath = 4096;

// The socket's path in directory (empty: the user's runtime folder, else the temporary folder),
// named for the user. A folder whose path leaves a socket no room for its name gives way to the
// temporary folder.
QString handOverSocketPath(const QString &directory = QString());

// Sends path to the copy listening at socketPath. False when no copy took the message within
// timeoutMs milliseconds.
bool handOverFile(const QString &socketPath, const QString &path, int timeoutMs = 1000);

// The running copy's end. Only the copy that holds the single-instance lock listens, so a socket
// file left by a copy that was killed can be replaced without asking.
class HandOverListener final : public QObject
{
    Q_OBJECT

public:
    explicit HandOverListener(const QString &socketPath, QObject *parent = nullptr);
    ~HandOverListener() override;

    // Makes the socket: from now on a later start can hand its file over, and the file waits in
    // the socket until listen() takes it. Needs no event loop, so that the running copy can make
    // it before the slow part of its start. False when the socket cannot be made.
    bool open();
    // Takes files from now on, making the socket first if open() has not. False when the socket
    // cannot be made (the program then runs without hand-overs) or files are already taken.
    bool listen();
    // Takes no more files: a later start finds no copy to hand its file to, and says so.
    void close();

signals:
    void fileHandedOver(const QString &path);

private:
    void acceptClients();
    void readClient(int fd);
    void dropClient(int fd);

    QString m_path;
    int m_fd = -1;
    // The socket file this copy made, to remove on leaving only if it is still that one.
    dev_t m_device = 0;
    ino_t m_inode = 0;
    // Held back for a connection that comes while every other descriptor is in use.
    int m_spare = -1;
    QSocketNotifier *m_notifier = nullptr;
    struct Client {
        QSocketNotifier *notifier;
        QByteArray received;
    };
    QHash<int, Client> m_clients;
};

} // namespace program
