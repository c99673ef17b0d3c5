#include "core/program/singleinstance.h"
#include "../common/runtimecleaner.h"

#include <QFile>
#include <QSysInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace {

// Set in the copies that copiesStartedTogether_exactlyOneRuns starts: the folder of their lock.
const char kCopyFolder[] = "TOVRIN_TEST_LOCK_FOLDER";

qint64 endedProcessId()
{
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ended.waitForFinished();
    return ended.processId();
}

} // namespace

class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondCopy_isRefusedWhileFirstRuns();
    void runtimeFolderCleanedWhileFirstRuns_secondCopyStillRefused();
    void whatALockFileHolds_neverBlocks_data();
    void whatALockFileHolds_neverBlocks();
    void someoneElsesFile_neverBlocks();
    void endedCopy_releasesTheLock_whileProgramsItStartedRunOn();
    void unwritableLockFolder_startsAnyway();
    void copiesStartedTogether_exactlyOneRuns();
};

void tst_SingleInstance::secondCopy_isRefusedWhileFirstRuns()
{
    QTemporaryDir dir;
    program::SingleInstance first(dir.path());
    QVERIFY(!first.anotherCopyRunning());
    QCOMPARE(first.lockFilePath(), dir.filePath(QStringLiteral("tovrin-%1.lock").arg(::getuid())));
    QVERIFY(QFile::exists(first.lockFilePath()));
    QVERIFY(!first.anotherCopyRunning()); // asking again keeps the lock

    program::SingleInstance second(dir.path());
    QVERIFY(second.anotherCopyRunning());
}

void tst_SingleInstance::runtimeFolderCleanedWhileFirstRuns_secondCopyStillRefused()
{
    QTemporaryDir dir;
    program::SingleInstance first(dir.path());
    QVERIFY(!first.anotherCopyRunning());
    testsupport::cleanRuntimeFolder(dir.path());
    QVERIFY2(QFile::exists(first.lockFilePath()), "the cleaner removed the running copy's lock file");

    program::SingleInstance second(dir.path());
    QVERIFY(second.anotherCopyRunning());
}

void tst_SingleInstance::whatALockFileHolds_neverBlocks_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("empty: a copy killed between creating and filling it") << QByteArray();
    QTest::newRow("garbage") << QByteArray("\x7f" "ELF\0\xff\xfe garbage\n\n\n", 17);
    QTest::newRow("another machine's copy")
        << QByteArray("4242\ntovrin\nanother-machine.example\n\xff\xfe");
    QTest::newRow("a copy that has ended, on this machine")
        << QByteArray::number(endedProcessId()) + "\ntovrin\n" + QSysInfo::machineHostName().toUtf8() + "\n";
}

void tst_SingleInstance::whatALockFileHolds_neverBlocks()
{
    QFETCH(QByteArray, contents);
    QTemporaryDir dir;
    program::SingleInstance next(dir.path());
    {
        QFile file(next.lockFilePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(contents), contents.size());
    }
    QVERIFY(!next.anotherCopyRunning());
    program::SingleInstance second(dir.path());
    QVERIFY(second.anotherCopyRunning());
}

void tst_SingleInstance::someoneElsesFile_neverBlocks()
{
    // The shared temporary folder, where anyone may leave a file under this user's lock name and
    // hold it locked for ever.
    if (::geteuid() != 0)
        QSKIP("only root can make a file that belongs to another user");
    QTemporaryDir dir;
    program::SingleInstance next(dir.path());
    const QByteArray path = QFile::encodeName(next.lockFilePath());
    const int theirs = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    QVERIFY(theirs >= 0);
    QCOMPARE(::fchown(theirs, 65534, 65534), 0);
    QCOMPARE(::flock(theirs, LOCK_EX | LOCK_NB), 0);

    QVERIFY(!next.anotherCopyRunning());
    ::close(theirs);
}

void tst_SingleInstance::endedCopy_releasesTheLock_whileProgramsItStartedRunOn()
{
    QTemporaryDir dir;
    QProcess browser;
    {
        program::SingleInstance first(dir.path());
        QVERIFY(!first.anotherCopyRunning());
        // As a browser opened from a reading would be.
        browser.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        QVERIFY(browser.waitForStarted());
    }
    program::SingleInstance next(dir.path());
    const bool blocked = next.anotherCopyRunning();
    browser.kill();
    browser.waitForFinished();
    QVERIFY2(!blocked, "a program started by the ended copy still holds its lock");
}

void tst_SingleInstance::unwritableLockFolder_startsAnyway()
{
    program::SingleInstance instance(QStringLiteral("/proc/no-such-folder"));
    QVERIFY(!instance.anotherCopyRunning());
}

void tst_SingleInstance::copiesStartedTogether_exactlyOneRuns()
{
    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kCopyFolder), dir.path());
    std::vector<std::unique_ptr<QProcess>> copies;
    for (int i = 0; i < 8; ++i) {
        copies.push_back(std::make_unique<QProcess>());
        copies.back()->setProcessEnvironment(environment);
        copies.back()->start(QCoreApplication::applicationFilePath(), {});
    }
    for (const auto &copy : copies)
        QVERIFY(copy->waitForStarted());
    // All are up; now every one asks for the lock at once.
    for (const auto &copy : copies)
        copy->write("g");

    QStringList answers;
    for (const auto &copy : copies) {
        QVERIFY(copy->canReadLine() || copy->waitForReadyRead(30000));
        answers.append(QString::fromLatin1(copy->readLine().trimmed()));
    }
    for (const auto &copy : copies) {
        copy->closeWriteChannel();
        QVERIFY(copy->waitForFinished(30000));
    }
    QCOMPARE(answers.count(QStringLiteral("running")), 1);
    QCOMPARE(answers.count(QStringLiteral("refused")), 7);
}

int main(int argc, char *argv[])
{
    // One of the copies that copiesStartedTogether_exactlyOneRuns starts: waits for the word, asks
    // for the lock, says what it got and holds the lock until the test closes its input.
    const QByteArray folder = qgetenv(kCopyFolder);
    if (!folder.isEmpty()) {
        program::SingleInstance instance(QString::fromLocal8Bit(folder));
        if (std::getchar() == EOF)
            return 1;
        std::puts(instance.anotherCopyRunning() ? "refused" : "running");
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
        return 0;
    }
    QCoreApplication application(argc, argv);
    tst_SingleInstance test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
