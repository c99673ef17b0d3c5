#include "core/program/commandline.h"
#include "core/program/handover.h"
#include "../common/descriptorsinuse.h"
#include "../common/runtimecleaner.h"

#include <QDir>
#include <QSignalSpy>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace {

// The address of the socket at path, to bind or connect to.
sockaddr_un socketAddress(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return address;
}

// Connects to the socket at path as any program could and sends what of bytes the socket takes
// without waiting (the listener reads only once the test waits).
bool sendRaw(const QString &path, const QByteArray &bytes)
{
    const sockaddr_un address = socketAddress(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool sent = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0
        && ::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL | MSG_DONTWAIT) == bytes.size();
    ::close(fd);
    return sent;
}

} // namespace

class tst_HandOver : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void file_reachesTheRunningCopy();
    void otherMessages_areIgnored_data();
    void otherMessages_areIgnored();
    void socketOfAKilledCopy_neverBlocks();
    void runtimeFolderCleaned_fileStillReachesTheRunningCopy();
    void copyLeaving_keepsTheSocketThatTookItsPlace();
    void nobodyListening_saysSo();
    void runtimeFolderTooLongForASocket_fileStillReachesTheRunningCopy();
    void someoneElsesSocket_getsNothing();
    void linkAtTheSocketsName_getsNothing();
    void copyThatTakesNoConnections_neverBlocks();
    void runningCopyOutOfDescriptors_stillTakesTheFile();
    void commandLineFile_placedOnThisComputer_data();
    void commandLineFile_placedOnThisComputer();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_socket;
};

void tst_HandOver::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_socket = program::handOverSocketPath(m_dir->path());
}

void tst_HandOver::file_reachesTheRunningCopy()
{
    program::HandOverListener listener(m_socket);
    QVERIFY(listener.listen());
    QSignalSpy handed(&listener, &program::HandOverListener::fileHandedOver);

    // Only the user may connect: the socket is the user's alone.
    struct stat info{};
    QCOMPARE(::stat(QFile::encodeName(m_socket).constData(), &info), 0);
    QVERIFY(S_ISSOCK(info.st_mode));
    QCOMPARE(info.st_mode & 077, 0u);

    const QString path = QString::fromUtf8("/home/ann/Readings/Søren & Ann, 2024.kvl");
    QVERIFY(program::handOverFile(m_socket, path));
    QVERIFY(handed.wait(2000));
    QCOMPARE(handed.constFirst().constFirst().toString(), path);
}

void tst_HandOver::otherMessages_areIgnored_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("a relative path") << QByteArray("reading.kvl\0", 12);
    QTest::newRow("no end") << QByteArray("/tmp/reading.kvl");
    QTest::newRow("more after the end") << QByteArray("/tmp/a.kvl\0/tmp/b.kvl\0", 22);
    QTest::newRow("empty") << QByteArray("\0", 1);
    QTest::newRow("nothing at all") << QByteArray();
    QTest::newRow("longer than 4 KiB") << "/" + QByteArray(program::kMaximumHandOverPath, 'a') + '\0';
    QTest::newRow("a megabyte") << QByteArray(1 << 20, '/');
}

void tst_HandOver::otherMessages_areIgnored()
{
    QFETCH(QByteArray, bytes);
    program::HandOverListener listener(m_socket);
    QVERIFY(listener.listen());
    QSignalSpy handed(&listener, &program::HandOverListener::fileHandedOver);

    sendRaw(m_socket, bytes); // a megabyte may be refused half-way
    // A good message after the bad one still gets through, and is the only one.
    QVERIFY(program::handOverFile(m_socket, QStringLiteral("/tmp/good.kvl")));
    QVERIFY(handed.wait(2000));
    QTest::qWait(50);
    QCOMPARE(handed.size(), 1);
    QCOMPARE(handed.constFirst().constFirst().toString(), QStringLiteral("/tmp/good.kvl"));
}

void tst_HandOver::socketOfAKilledCopy_neverBlocks()
{
    // A copy that was killed leaves its socket file, with nobody behind it.
    {
        const sockaddr_un address = socketAddress(m_socket);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
        ::close(fd);
    }
    QVERIFY(QFile::exists(m_socket));
    QVERIFY(!program::handOverFile(m_socket, QStringLiteral("/tmp/x.kvl"), 100));

    program::HandOverListener listener(m_socket);
    QVERIFY(listener.listen());
    QSignalSpy handed(&listener, &program::HandOverListener::fileHandedOver);
    QVERIFY(program::handOverFile(m_socket, QStringLiteral("/tmp/x.kvl")));
    QVERIFY(handed.wait(2000));
}

void tst_HandOver::runtimeFolderCleaned_fileStillReachesTheRunningCopy()
{
    program::HandOverListener listener(m_socket);
    QVERIFY(listener.listen());
    QSignalSpy handed(&listener, &program::HandOverListener::fileHandedOver);
    testsupport::cleanRuntimeFolder(m_dir->path());

    QVERIFY(program::handOverFile(m_socket, QStringLiteral("/tmp/x.kvl"), 500));
    QVERIFY(handed.wait(2000));
    QCOMPARE(handed.constFirst().constFirst().toString(), QStringLiteral("/tmp/x.kvl"));
}

// A copy that started beside this one, its lock file removed by hand, put its own socket in this
// one's place; this one leaving must not take that socket with it.
void tst_HandOver::copyLeaving_keepsTheSocketThatTookItsPlace()
{
    program::HandOverListener first(m_socket);
    QVERIFY(first.listen());
    program::HandOverListener second(m_socket);
    QVERIFY(second.listen());
    QSignalSpy handed(&second, &program::HandOverListener::fileHandedOver);
    first.close();

    QVERIFY(program::handOverFile(m_socket, QStringLiteral("/tmp/x.kvl"), 500));
    QVERIFY(handed.wait(2000));
}

void tst_HandOver::nobodyListening_saysSo()
{
    QVERIFY(!program::handOverFile(m_socket, QStringLiteral("/tmp/x.kvl"), 100));
}

// A socket's name holds at most 107 bytes; the runtime folder may be longer than that.
void tst_HandOver::runtimeFolderTooLongForASocket_fileStillReachesTheRunningCopy()
{
    const QString folder = m_dir->filePath(QString(120, QLatin1Char('r')));
    QVERIFY(QDir().mkpath(folder));
    const QString socket = program::handOverSocketPath(folder);
    program::HandOverListener listener(socket);
    QVERIFY(listener.listen());
    QSignalSpy handed(&listener, &program::HandOverListener::fileHandedOver);

    QVERIFY(program::handOverFile(program::handOverSocketPath(folder), QStringLiteral("/tmp/x.kvl")));
    QVERIFY(handed.wait(2000));
    QCOMPARE(handed.constFirst().constFirst().toString(), QStringLiteral("/tmp/x.kvl"));
}

// A running copy that hangs: it listens, but its queue of waiting connections is full.
void tst_HandOver::copyThatTakesNoConnections_neverBlocks()
{
    const sockaddr_un address = socketAddress(m_socket);
    const int hung = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QCOMPARE(::bind(hung, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    QCOMPARE(::listen(hung, 0), 0);
    std::vector<int> waiting;
    const auto closeAll = qScopeGuard([&] {
        for (int fd : waiting)
            ::close(fd);
        ::close(hung);
    });
    for (bool queued = true; queued && waiting.size() < 64;) {
        waiting.push_back(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0));
        queued = ::connect(waiting.back(), reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    }
    QCOMPARE(errno, EAGAIN); // the queue is full

    QElapsedTimer clock;
    clock.start();
    QVERIFY(!program::handOverFile(m_socket, QStringLiteral("/tmp/x.kvl"), 200));
    QVERIFY(clock.elapsed() < 2000);
}

void tst_HandOver::runningCopyOutOfDescriptors_stillTakesTheFile()
{
    program::HandOverListener listener(m_socket);
    QVERIFY(listener.listen());
    QSignalSpy handed(&listener, &program::HandOverListener::fileHandedOver);
    const QString path = QStringLiteral("/home/ann/ours.kvl");
    QVERIFY(sendRaw(m_socket, QFile::encodeName(path) + '\0')); // the sender ends content here

    // The running copy has used up its open-file limit when the connection comes.
    const testsupport::DescriptorsInUse inUse;
    QVERIFY(inUse.full());

    QVERIFY(handed.wait(2000));
    QCOMPARE(handed.constFirst().constFirst().toString(), path);
}

// Another user's program listening at the socket's name, as when the runtime folder is the shared
// temporary folder: the file's path is not sent, and the second start says it could not hand over.
void tst_HandOver::someoneElsesSocket_getsNothing()
{
    if (::getuid() != 0)
        QSKIP("listening as another user needs root");
    // A folder nobody can reach, whatever the folder the tests run in.
    QTemporaryDir shared(QStringLiteral("/tmp/tovrin-handover-XXXXXX"));
    QVERIFY(shared.isValid());
    QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                     | QFileDevice::WriteOther | QFileDevice::ExeOther));
    const QString socket = program::handOverSocketPath(shared.path());
    const sockaddr_un address = socketAddress(socket);
    int ready[2];
    QCOMPARE(::pipe(ready), 0);
    const pid_t other = ::fork();
    if (other == 0) {
        // nobody listens at the socket's name and keeps every connection waiting
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool listening = ::setgid(65534) == 0 && ::setuid(65534) == 0
            && ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0 && ::listen(fd, 8) == 0;
        const char answer = listening ? 'y' : 'n';
        (void)!::write(ready[1], &answer, 1);
        ::pause();
        ::_exit(0);
    }
    QVERIFY(other > 0);
    const auto stop = qScopeGuard([other] {
        ::kill(other, SIGKILL);
        ::waitpid(other, nullptr, 0);
    });
    char answer = 0;
    QCOMPARE(::read(ready[0], &answer, 1), 1);
    QCOMPARE(answer, 'y');

    QVERIFY(!program::handOverFile(socket, QStringLiteral("/home/ann/secret couple.kvl"), 200));
}

// Someone else, in the shared temporary folder, links the socket's name to another program of
// this user's: that program is not handed the path, and the second start says it could not hand over.
void tst_HandOver::linkAtTheSocketsName_getsNothing()
{
    const QString other = m_dir->filePath(QStringLiteral("agent.socket"));
    const sockaddr_un address = socketAddress(other);
    const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    const auto closeIt = qScopeGuard([listening] { ::close(listening); });
    QCOMPARE(::bind(listening, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    QCOMPARE(::listen(listening, 8), 0);
    QVERIFY(QFile::link(other, m_socket));

    QVERIFY(!program::handOverFile(m_socket, QStringLiteral("/home/ann/secret couple.kvl"), 200));
    QCOMPARE(::accept(listening, nullptr, nullptr), -1); // nobody connected
}

// The file a start names, as the hand-over sends it or the main window opens it.
void tst_HandOver::commandLineFile_placedOnThisComputer_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("path"); // the file opened; empty: refused
    const QString here = QDir::currentPath();
    QTest::newRow("a path") << "/home/ann/ours.kvl" << "/home/ann/ours.kvl";
    QTest::newRow("a relative name") << "ours.kvl" << here + "/ours.kvl";
    QTest::newRow("a name that only looks encoded") << "our%20reading.kvl" << here + "/our%20reading.kvl";
    QTest::newRow("a URL") << "file:///home/ann/our%20reading.kvl" << "/home/ann/our reading.kvl";
    QTest::newRow("a URL with localhost") << "file://localhost/home/ann/ours.kvl" << "/home/ann/ours.kvl";
    QTest::newRow("a URL with LOCALHOST") << "FILE://LOCALHOST/home/ann/ours.kvl" << "/home/ann/ours.kvl";
    // The system takes ".." after a link to the folder above the link's target: the path stays
    // as given, or a different file would open.
    QTest::newRow("a path through a link and ..") << "/home/ann/link/../ours.kvl" << "/home/ann/link/../ours.kvl";
    QTest::newRow("a relative name through ..") << "link/../ours.kvl" << here + "/link/../ours.kvl";
    // The system reads a name only up to a NUL: opened, it would be /home/ann/our. A running copy
    // ignores such a path, and the start that handed it over would end as if it had gone there.
    QTest::newRow("a URL with an encoded NUL") << "file:///home/ann/our%00.kvl" << QString();
    QTest::newRow("a URL with localhost and an encoded NUL") << "file://localhost/home/ann/our%00.kvl" << QString();
    // Its path is no path here: read on this computer it would name another file.
    QTest::newRow("a file on another computer") << "file://ann-laptop/home/ann/ours.kvl" << QString();
}

void tst_HandOver::commandLineFile_placedOnThisComputer()
{
    QFETCH(QString, argument);
    QFETCH(QString, path);
    QString fault;
    const std::optional<QString> file = program::commandLineFile(argument, &fault);
    if (path.isEmpty()) {
        QVERIFY(!file);
        QVERIFY(fault.contains(argument));
    } else {
        QCOMPARE(file.value_or(QStringLiteral("refused: ") + fault), path);
    }
}

QTEST_GUILESS_MAIN(tst_HandOver)
#include "tst_handover.moc"
