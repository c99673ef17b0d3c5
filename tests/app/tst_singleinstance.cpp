#include "core/program/singleinstance.h"

#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondCopy_isRefusedWhileFirstRuns();
    void staleLock_doesNotBlock();
    void unwritableLockFolder_startsAnyway();
};

void tst_SingleInstance::secondCopy_isRefusedWhileFirstRuns()
{
    QTemporaryDir dir;
    program::SingleInstance first(dir.path());
    QVERIFY(!first.anotherCopyRunning());
    QVERIFY(QFile::exists(first.lockFilePath()));
    QVERIFY(!first.anotherCopyRunning()); // asking again keeps the lock

    program::SingleInstance second(dir.path());
    QVERIFY(second.anotherCopyRunning());
}

void tst_SingleInstance::staleLock_doesNotBlock()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tovrin.lock"));

    // Make a genuine lock file, then let it name a process that has ended, as a crash leaves it.
    QByteArray contents;
    {
        QLockFile lock(path);
        QVERIFY(lock.tryLock(0));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        contents = file.readAll();
    }
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    QVERIFY(ended.waitForStarted());
    const qint64 deadPid = ended.processId();
    QVERIFY(ended.waitForFinished());
    QList<QByteArray> lines = contents.split('\n');
    lines[0] = QByteArray::number(deadPid);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lines.join('\n'));
    }

    program::SingleInstance next(dir.path());
    QVERIFY(!next.anotherCopyRunning());
}

void tst_SingleInstance::unwritableLockFolder_startsAnyway()
{
    program::SingleInstance instance(QStringLiteral("/proc/no-such-folder"));
    QVERIFY(!instance.anotherCopyRunning());
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
