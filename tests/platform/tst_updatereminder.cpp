#include "../common/browsercatcher.h"
#include "../common/fifo.h"
#include "../common/guitest.h"

#include "gui/platform/seams.h"
#include "core/settings/reminderdecision.h"
#include "core/settings/settingsstore.h"
#include "gui/app/updatereminder.h"
#include "gui/platform/weblinks.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <functional>
#include <thread>
#include <QUrl>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// The start-up reminder as the program runs it: the real clock, the per-user settings store (in
// Qt's test folders), the message box seam and the browser.
class tst_UpdateReminder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStart_noMessage_todayStored();
    void dueReminder_asksYesNoOnTwoLines_answerDecidesDownloadPage_data();
    void dueReminder_asksYesNoOnTwoLines_answerDecidesDownloadPage();
    void sessionEndsWhileAsking_startStops();
    void settingsFileIsAPipe_firstStartAndThePipeStays_data();
    void settingsFileIsAPipe_firstStartAndThePipeStays();
    void settingsFileTooBigToRead_firstStartAndTheFileStays_data();
    void settingsFileTooBigToRead_firstStartAndTheFileStays();
    void settingsLockIsNoFile_startGoesOnAndItStays_data();
    void settingsLockIsNoFile_startGoesOnAndItStays();
    void settingsLockLeftWhereNothingIsRemoved_startGoesOnAndItStays();

private:
    void storeDaysFromToday(int days);
    QDate storedDate();
    // A file the settings store reads: the program's own, or with fallback its organisation's.
    static QString settingsFile(bool organisation = false);

    BrowserCatcher m_urls;
    QTemporaryDir m_systemFolder; // the system's configuration folder, whose files the store reads too
};

void tst_UpdateReminder::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // Before the first store: QSettings looks the system's folders up once.
    QVERIFY(m_systemFolder.isValid());
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_systemFolder.path()));
}

QString tst_UpdateReminder::settingsFile(bool organisation)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder + (organisation ? QStringLiteral("/tst_updatereminder.ini")
                                  : QStringLiteral("/tst_updatereminder/tst_updatereminder.ini"));
}

void tst_UpdateReminder::init()
{
    guitest::setUp();
    m_urls.urls.clear();
    settings::openSettingsStore()->clear();
}

void tst_UpdateReminder::cleanup()
{
    for (bool organisation : {false, true}) {
        if (!QFileInfo(settingsFile(organisation)).isFile())
            QFile::remove(settingsFile(organisation));
    }
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

void tst_UpdateReminder::storeDaysFromToday(int days)
{
    const std::unique_ptr<QSettings> settings = settings::openSettingsStore();
    settings->setValue(QStringLiteral("Settings/") + settings::reminderValueName(),
                       settings::reminderDateText(QDate::currentDate().addDays(days)));
}

QDate tst_UpdateReminder::storedDate()
{
    const std::unique_ptr<QSettings> settings = settings::openSettingsStore();
    return settings::reminderDate(settings->value(QStringLiteral("Settings/") + settings::reminderValueName()).toString());
}

void tst_UpdateReminder::firstStart_noMessage_todayStored()
{
    QVERIFY(app::UpdateReminder());
    QVERIFY(platform::MessageBox::shown().isEmpty());
    QVERIFY(m_urls.urls.isEmpty());
    QCOMPARE(storedDate(), QDate::currentDate());
    QVERIFY(QFileInfo(settingsFile()).isFile());
}

void tst_UpdateReminder::dueReminder_asksYesNoOnTwoLines_answerDecidesDownloadPage_data()
{
    QTest::addColumn<int>("daysFromToday");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("opensDownloadPage");
    QTest::newRow("15 days ago, Yes") << -15 << QMessageBox::Yes << true;
    QTest::newRow("15 days ago, No") << -15 << QMessageBox::No << false;
    QTest::newRow("15 days ahead, Yes") << 15 << QMessageBox::Yes << true;
}

void tst_UpdateReminder::dueReminder_asksYesNoOnTwoLines_answerDecidesDownloadPage()
{
    QFETCH(int, daysFromToday);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, opensDownloadPage);

    storeDaysFromToday(daysFromToday);
    platform::MessageBox::setNextAnswer(answer);
    QVERIFY(app::UpdateReminder());

    QCOMPARE(platform::MessageBox::shown().size(), 1);
    const platform::MessageBox::Shown box = platform::MessageBox::shown().constFirst();
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.text.split(QLatin1Char('\n')),
             (QStringList{QStringLiteral("There maybe an update to this software available"),
                          QStringLiteral("Do you want to check for an update?")}));
    QCOMPARE(m_urls.urls, opensDownloadPage ? QList<QUrl>{platform::webPageAddress(platform::WebPage::Download)}
                                            : QList<QUrl>{});
    QCOMPARE(storedDate(), QDate::currentDate());

    // The next start says nothing.
    QVERIFY(app::UpdateReminder());
    QCOMPARE(platform::MessageBox::shown().size(), 1);
}

// Ending the desktop session, the session manager has the application sent a Quit event, which
// closes the question; the main loop, not running yet, never learns of it, so start-up would go
// on to show the main window and keep the session from ending.
void tst_UpdateReminder::sessionEndsWhileAsking_startStops()
{
    storeDaysFromToday(-15);
    const auto sessionEnds = [] {
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
    };
    platform::MessageBox::setNextAnswer(QMessageBox::No); // what the box gives when closed so
    QVERIFY(!app::UpdateReminder(sessionEnds));
    QCOMPARE(platform::MessageBox::shown().size(), 1);

    // A quit asked before or after the question is none of its business.
    storeDaysFromToday(-15);
    sessionEnds();
    QVERIFY(app::UpdateReminder());
}

void tst_UpdateReminder::settingsFileIsAPipe_firstStartAndThePipeStays_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("the program's file") << settingsFile();
    QTest::newRow("the organisation's file") << settingsFile(true);
    QTest::newRow("the program's file in the system's folder")
        << m_systemFolder.filePath(QStringLiteral("tst_updatereminder/tst_updatereminder.ini"));
    QTest::newRow("the organisation's file in the system's folder")
        << m_systemFolder.filePath(QStringLiteral("tst_updatereminder.ini"));
}

void tst_UpdateReminder::settingsFileIsAPipe_firstStartAndThePipeStays()
{
    QFETCH(QString, file);
    storeDaysFromToday(-20); // a reminder that would be due, were the file read
    QFile::remove(file);
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    const testsupport::Fifo fifo(file);
    QVERIFY(fifo.made());
    const auto removeFifo = qScopeGuard([&file] { QFile::remove(file); });

    QVERIFY(app::UpdateReminder());

    QVERIFY2(!fifo.readerWaited(), "the reminder waited for a writer on the named pipe");
    QVERIFY(fifo.stillThere());
    QVERIFY(platform::MessageBox::shown().isEmpty());
    QVERIFY(m_urls.urls.isEmpty());
}

void tst_UpdateReminder::settingsFileTooBigToRead_firstStartAndTheFileStays_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<qint64>("size"); // the file grown to this size, sparse, so it takes no disk

    // The store reads its whole file at once: a terabyte is more memory than there is.
    QTest::newRow("a terabyte") << QByteArray() << (qint64(1) << 40);
    // A value written as @Variant(...) is decoded a level at a time, each level a call: lists
    // within lists 30,000 deep, some 420 kB, overflow the stack.
    const QByteArray level("\\0\\0\\0\t\\0\\0\\0\x01"); // a list of one variant
    QTest::newRow("lists within lists")
        << "[Settings]\nNested=@Variant(" + level.repeated(30000) + "\\0\\0\\0\\n\\0\\0\\0\\0)\n" << qint64(0);
}

void tst_UpdateReminder::settingsFileTooBigToRead_firstStartAndTheFileStays()
{
    QFETCH(QByteArray, contents);
    QFETCH(qint64, size);
    {
        QFile file(settingsFile());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
        if (size && !file.resize(size))
            QSKIP("this file system holds no sparse file of a terabyte");
    }
    const auto removeFile = qScopeGuard([] { QFile::remove(settingsFile()); });

    QVERIFY(app::UpdateReminder());

    QCOMPARE(QFileInfo(settingsFile()).size(), size ? size : contents.size());
    QVERIFY(platform::MessageBox::shown().isEmpty());
    QVERIFY(m_urls.urls.isEmpty());
}

namespace {

// Runs the start-up reminder. Waiting for ever would leave the test to its time-out: should it
// still wait after 10 s, giveUp (called on another thread) must end the wait or the test. False
// when it was called.
bool remindWithinTenSeconds(const std::function<void()> &giveUp)
{
    std::mutex mutex;
    std::condition_variable returned;
    bool done = false;
    bool gaveUp = false;
    bool goesOn = false;
    std::thread watchdog([&] {
        std::unique_lock<std::mutex> locked(mutex);
        if (!returned.wait_for(locked, std::chrono::seconds(10), [&done] { return done; })) {
            gaveUp = true;
            giveUp();
        }
    });
    goesOn = app::UpdateReminder();
    {
        const std::lock_guard<std::mutex> locked(mutex);
        done = true;
    }
    returned.notify_one();
    watchdog.join();
    return !gaveUp && goesOn;
}

} // namespace

void tst_UpdateReminder::settingsLockIsNoFile_startGoesOnAndItStays_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a folder") << QStringLiteral("folder");
    QTest::newRow("a named pipe") << QStringLiteral("pipe");
    QTest::newRow("a link to nothing") << QStringLiteral("link");
}

// The store takes a lock file beside its file while it writes, and waits for as long as it
// cannot; a lock that is no file it can make or remove would keep start-up waiting for ever.
void tst_UpdateReminder::settingsLockIsNoFile_startGoesOnAndItStays()
{
    QFETCH(QString, kind);
    QVERIFY(QDir().mkpath(QFileInfo(settingsFile()).path()));
    const QByteArray lock = QFile::encodeName(settingsFile() + QStringLiteral(".lock"));
    const mode_t type = kind == QLatin1String("folder") ? S_IFDIR : kind == QLatin1String("pipe") ? S_IFIFO : S_IFLNK;
    const bool made = type == S_IFDIR ? ::mkdir(lock.constData(), 0700) == 0
                      : type == S_IFIFO ? ::mkfifo(lock.constData(), 0600) == 0
                                        : ::symlink("nowhere", lock.constData()) == 0;
    QVERIFY(made);
    const auto removeLock = qScopeGuard([&lock] { ::remove(lock.constData()); });

    // A first start: it would store today.
    remindWithinTenSeconds([] { qFatal("the reminder has waited 10 s for the settings store's lock"); });

    struct stat status {};
    QCOMPARE(::lstat(lock.constData(), &status), 0);
    QCOMPARE(status.st_mode & S_IFMT, type);
    QVERIFY(platform::MessageBox::shown().isEmpty());
    QVERIFY(m_urls.urls.isEmpty());
}

namespace {

// Makes folder one in which nothing can be removed (on: read-only for a user, immutable for root,
// whom read-only does not stop), or gives it back. On: false when neither works here.
bool protectFolder(const QString &folder, bool on)
{
    const QByteArray path = QFile::encodeName(folder);
    if (::geteuid() != 0)
        return ::chmod(path.constData(), on ? 0555 : 0755) == 0 && (!on || ::access(path.constData(), W_OK) != 0);
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

} // namespace

// A lock left behind by a copy that was ended while it wrote is removed by the next write; in a
// folder where nothing can be removed it stays, and writing would wait for it for ever.
void tst_UpdateReminder::settingsLockLeftWhereNothingIsRemoved_startGoesOnAndItStays()
{
    const QString folder = QFileInfo(settingsFile()).path();
    const QString lock = settingsFile() + QStringLiteral(".lock");
    QVERIFY(QDir().mkpath(folder));
    {
        QFile file(settingsFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(file.write("[General]\n") > 0); // no reminder yet: a first start stores today
        QFile left(lock);
        QVERIFY(left.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(left.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    }
    const auto restore = qScopeGuard([&] {
        protectFolder(folder, false);
        QFile::remove(lock);
    });
    if (!protectFolder(folder, true))
        QSKIP("no folder here can be made one where nothing is removed");

    // After 10 s the folder is given back, which ends the wait, and the test fails.
    QVERIFY2(remindWithinTenSeconds([&folder] { protectFolder(folder, false); }),
             "the reminder waited for a lock it could not remove");
    QVERIFY(QFileInfo::exists(lock));
    QVERIFY(platform::MessageBox::shown().isEmpty());
    QVERIFY(m_urls.urls.isEmpty());
}

QTEST_MAIN(tst_UpdateReminder)
#include "tst_updatereminder.moc"
