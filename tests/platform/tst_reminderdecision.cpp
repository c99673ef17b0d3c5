#include "core/documents/scramble.h"
#include "core/settings/reminderdecision.h"
#include "core/settings/settingsstore.h"

#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using settings::ReminderDecision;

namespace {

const QDate kToday(2024, 3, 10);

} // namespace

class tst_ReminderDecision : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void decision_byDistanceOfStoredDate_data();
    void decision_byDistanceOfStoredDate();
    void unreadableValue_countsAsFirstStart_data();
    void unreadableValue_countsAsFirstStart();
    void storedDate_readsBackAsTheSameDay_whateverTheLocale();
    void valueName_scrambledDuration_noGroupSeparator();
    void storedDate_survivesTheSettingsFile_data();
    void storedDate_survivesTheSettingsFile();

    void run_firstStart_storesTodaySilently();
    void run_byStoredDateAndAnswer_data();
    void run_byStoredDateAndAnswer();
    void run_afterPrompt_nextStartIsQuiet();
    void run_corruptValue_replacedByTodaySilently();
    void settingsFile_neverHoldsNameOrDateInClear();
    void settingsStore_keyedByExecutableName_perUser();

private:
    QString storedText(QSettings &settings);
    void store(QSettings &settings, const QString &text);

    QTemporaryDir m_dir;
    QString m_file;
    int m_asked = 0;
    int m_opened = 0;
};

void tst_ReminderDecision::init()
{
    QVERIFY(m_dir.isValid());
    m_file = m_dir.filePath(QStringLiteral("%1.ini").arg(QTest::currentTestFunction()));
    QFile::remove(m_file);
    m_asked = 0;
    m_opened = 0;
}

void tst_ReminderDecision::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

QString tst_ReminderDecision::storedText(QSettings &settings)
{
    return settings.value(QStringLiteral("Settings/") + settings::reminderValueName()).toString();
}

void tst_ReminderDecision::store(QSettings &settings, const QString &text)
{
    settings.setValue(QStringLiteral("Settings/") + settings::reminderValueName(), text);
    settings.sync();
}

void tst_ReminderDecision::decision_byDistanceOfStoredDate_data()
{
    QTest::addColumn<int>("daysFromToday");
    QTest::addColumn<ReminderDecision>("expected");
    QTest::newRow("same day") << 0 << ReminderDecision::Quiet;
    QTest::newRow("14 days ago") << -14 << ReminderDecision::Quiet;
    QTest::newRow("15 days ago") << -15 << ReminderDecision::Ask;
    QTest::newRow("a year ago") << -366 << ReminderDecision::Ask;
    QTest::newRow("14 days ahead") << 14 << ReminderDecision::Quiet;
    QTest::newRow("15 days ahead") << 15 << ReminderDecision::Ask;
}

void tst_ReminderDecision::decision_byDistanceOfStoredDate()
{
    QFETCH(int, daysFromToday);
    QFETCH(ReminderDecision, expected);
    const QString stored = settings::reminderDateText(kToday.addDays(daysFromToday));
    QCOMPARE(settings::decideReminder(stored, kToday), expected);
    // The distance counts whole days across month ends and leap days alike.
    const QDate leapDay(2024, 2, 29);
    QCOMPARE(settings::decideReminder(settings::reminderDateText(leapDay.addDays(daysFromToday)), leapDay), expected);
}

void tst_ReminderDecision::unreadableValue_countsAsFirstStart_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("absent") << QString();
    QTest::newRow("not a date") << documents::ScrambleText(QStringLiteral("banana"));
    QTest::newRow("impossible day") << documents::ScrambleText(QStringLiteral("2024-02-30"));
    QTest::newRow("date in clear") << QStringLiteral("2024-03-01");
    QTest::newRow("short date form") << documents::ScrambleText(QStringLiteral("3/1/2024"));
}

void tst_ReminderDecision::unreadableValue_countsAsFirstStart()
{
    QFETCH(QString, stored);
    QCOMPARE(settings::decideReminder(stored, kToday), ReminderDecision::StoreToday);
}

void tst_ReminderDecision::storedDate_readsBackAsTheSameDay_whateverTheLocale()
{
    for (const char *name : {"C", "en_US", "de_DE", "ar_EG", "fa_IR", "ja_JP"}) {
        QLocale::setDefault(QLocale(QLatin1String(name)));
        const QString text = settings::reminderDateText(kToday);
        QLocale::setDefault(QLocale(QStringLiteral("en_GB")));
        QCOMPARE(settings::reminderDate(text), kToday);
        QCOMPARE(documents::UnscrambleText(text), QStringLiteral("2024-03-10"));
    }
}

void tst_ReminderDecision::valueName_scrambledDuration_noGroupSeparator()
{
    const QString name = settings::reminderValueName();
    QCOMPARE(name, documents::ScrambleText(QStringLiteral("Duration")));
    QCOMPARE(documents::UnscrambleText(name), QStringLiteral("Duration"));
    // QSettings reads '/' and '\' in a key as group separators.
    QVERIFY(!name.contains(QLatin1Char('/')));
    QVERIFY(!name.contains(QLatin1Char('\\')));
}

void tst_ReminderDecision::storedDate_survivesTheSettingsFile_data()
{
    // Scrambled digits become U to ^, among them [ \ and ], which an INI file has to escape.
    QTest::addColumn<QDate>("date");
    QTest::newRow("2024-03-10") << QDate(2024, 3, 10);
    QTest::newRow("2067-07-17") << QDate(2067, 7, 17);
    QTest::newRow("2058-09-28") << QDate(2058, 9, 28);
    QTest::newRow("1999-12-31") << QDate(1999, 12, 31);
}

void tst_ReminderDecision::storedDate_survivesTheSettingsFile()
{
    QFETCH(QDate, date);
    {
        QSettings settings(m_file, QSettings::IniFormat);
        settings::runUpdateReminder(settings, date, [] { return false; }, [] {});
    }
    QSettings reread(m_file, QSettings::IniFormat);
    QCOMPARE(settings::reminderDate(storedText(reread)), date);
}

void tst_ReminderDecision::run_firstStart_storesTodaySilently()
{
    QSettings settings(m_file, QSettings::IniFormat);
    settings::runUpdateReminder(settings, kToday, [this] { ++m_asked; return true; }, [this] { ++m_opened; });
    QCOMPARE(m_asked, 0);
    QCOMPARE(m_opened, 0);

    QSettings reread(m_file, QSettings::IniFormat);
    QCOMPARE(reread.childGroups(), QStringList{QStringLiteral("Settings")});
    reread.beginGroup(QStringLiteral("Settings"));
    QCOMPARE(reread.childKeys(), QStringList{settings::reminderValueName()});
    reread.endGroup();
    QCOMPARE(settings::reminderDate(storedText(reread)), kToday);
}

void tst_ReminderDecision::run_byStoredDateAndAnswer_data()
{
    QTest::addColumn<int>("daysFromToday");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<int>("storedAfter"); // days from today

    QTest::newRow("14 days ago: quiet, date kept") << -14 << true << false << false << -14;
    QTest::newRow("14 days ahead: quiet, date kept") << 14 << true << false << false << 14;
    QTest::newRow("15 days ago, Yes") << -15 << true << true << true << 0;
    QTest::newRow("15 days ago, No") << -15 << false << true << false << 0;
    QTest::newRow("15 days ahead, Yes") << 15 << true << true << true << 0;
    QTest::newRow("15 days ahead, No") << 15 << false << true << false << 0;
}

void tst_ReminderDecision::run_byStoredDateAndAnswer()
{
    QFETCH(int, daysFromToday);
    QFETCH(bool, answerYes);
    QFETCH(bool, asked);
    QFETCH(bool, opened);
    QFETCH(int, storedAfter);

    QSettings settings(m_file, QSettings::IniFormat);
    store(settings, settings::reminderDateText(kToday.addDays(daysFromToday)));
    bool openedBeforeStored = false;
    settings::runUpdateReminder(
        settings, kToday, [&] { ++m_asked; return answerYes; },
        [&] {
            ++m_opened;
            openedBeforeStored = settings::reminderDate(storedText(settings)) != kToday;
        });

    QCOMPARE(m_asked, asked ? 1 : 0);
    QCOMPARE(m_opened, opened ? 1 : 0);
    QVERIFY(!openedBeforeStored);
    QSettings reread(m_file, QSettings::IniFormat);
    QCOMPARE(settings::reminderDate(storedText(reread)), kToday.addDays(storedAfter));
}

void tst_ReminderDecision::run_afterPrompt_nextStartIsQuiet()
{
    QSettings settings(m_file, QSettings::IniFormat);
    store(settings, settings::reminderDateText(kToday.addDays(-30)));
    const auto ask = [this] { ++m_asked; return false; };
    const auto open = [this] { ++m_opened; };

    settings::runUpdateReminder(settings, kToday, ask, open);
    settings::runUpdateReminder(settings, kToday, ask, open);
    settings::runUpdateReminder(settings, kToday.addDays(14), ask, open);
    QCOMPARE(m_asked, 1);
    settings::runUpdateReminder(settings, kToday.addDays(15), ask, open);
    QCOMPARE(m_asked, 2);
    QCOMPARE(m_opened, 0);
}

void tst_ReminderDecision::run_corruptValue_replacedByTodaySilently()
{
    QSettings settings(m_file, QSettings::IniFormat);
    store(settings, QStringLiteral("not a date"));
    settings::runUpdateReminder(settings, kToday, [this] { ++m_asked; return true; }, [this] { ++m_opened; });
    QCOMPARE(m_asked, 0);
    QCOMPARE(settings::reminderDate(storedText(settings)), kToday);

    // From then on the reminder counts from that day again, instead of staying silent for ever.
    settings::runUpdateReminder(settings, kToday.addDays(15), [this] { ++m_asked; return true; },
                                [this] { ++m_opened; });
    QCOMPARE(m_asked, 1);
    QCOMPARE(m_opened, 1);
}

void tst_ReminderDecision::settingsFile_neverHoldsNameOrDateInClear()
{
    {
        QSettings settings(m_file, QSettings::IniFormat);
        store(settings, settings::reminderDateText(kToday.addDays(-20)));
        settings::runUpdateReminder(settings, kToday, [] { return false; }, [] {});
    }
    QFile file(m_file);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains("[Settings]"));
    for (const char *clear : {"Duration", "duration", "2024", "03-10", "10.03", "3/10"})
        QVERIFY2(!bytes.contains(clear), clear);
}

void tst_ReminderDecision::settingsStore_keyedByExecutableName_perUser()
{
    const QString name = settings::settingsApplicationName();
    QCOMPARE(name, QStringLiteral("tst_reminderdecision"));
    QStandardPaths::setTestModeEnabled(true);
    const std::unique_ptr<QSettings> settings = settings::openSettingsStore();
    QVERIFY(settings);
    QCOMPARE(settings->scope(), QSettings::UserScope);
    QCOMPARE(settings->organizationName(), name);
    QCOMPARE(settings->applicationName(), name);
    // Where the store looks for a named pipe before it reads: the file QSettings reads.
    QCOMPARE(settings->fileName(), QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                                       + QLatin1Char('/') + name + QLatin1Char('/') + name + QStringLiteral(".ini"));
}

QTEST_GUILESS_MAIN(tst_ReminderDecision)
#include "tst_reminderdecision.moc"
