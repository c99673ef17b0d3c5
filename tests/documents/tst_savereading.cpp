#include "documenttest.h"
#include "scratchfolder.h"

#include "gui/documents/frmdisp.h"
#include "core/readings/partnerdetails.h"
#include "core/readings/reading.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using documenttest::click;
using documenttest::fileBytes;
using documenttest::writeFile;

namespace {

const QByteArray kEarlierFile = QByteArrayLiteral("an earlier saved reading\r\n");

bool asNobody()
{
    return qEnvironmentVariableIsSet("TOVRIN_TEST_AS_NOBODY");
}

bool failDataSync = false;

} // namespace

// Stands in for the C library's while failDataSync is set, as a network file system or a failing
// disk refuses the data only when it is synced.
extern "C" int fdatasync(int fd)
{
    if (failDataSync) {
        errno = EIO;
        return -1;
    }
    static const auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fdatasync"));
    return real(fd);
}

class tst_SaveReading : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void save_afterComprehensive_writesTheTwelveDetailsByteExact();
    void save_fromReadingWindow_recordsTheReadingOnShow();
    void save_trimsTheDetails();
    void save_cancel_writesNothingAndSaysNothing();
    void save_overAnExistingFile_replacesAllOfItKeepingItsPermissions_data();
    void save_overAnExistingFile_replacesAllOfItKeepingItsPermissions();
    void save_nameWithoutKvl_getsItAndOpensAgain_data();
    void save_nameWithoutKvl_getsItAndOpensAgain();
    void save_nameGainingKvl_asksBeforeReplacingThatFile_data();
    void save_nameGainingKvl_asksBeforeReplacingThatFile();
    void fileDialog_refusesInPlaceWhatCannotBeUsed_data();
    void fileDialog_refusesInPlaceWhatCannotBeUsed();
    void save_detailsThatWouldNotOpenAgain_refusedAndTold_data();
    void save_detailsThatWouldNotOpenAgain_refusedAndTold();
    void save_throughALinkInASharedFolder_writesItsTargetOnlyIfTheKernelWouldFollowIt_data();
    void save_throughALinkInASharedFolder_writesItsTargetOnlyIfTheKernelWouldFollowIt();
    void save_overAPipe_leavesItAndTellsWhy_data();
    void save_overAPipe_leavesItAndTellsWhy();
    void save_failure_keepsEarlierFilesAndTellsWhy_data();
    void save_failure_keepsEarlierFilesAndTellsWhy();
    void save_writeRefusedPartway_keepsTheEarlierFileAndTellsWhy_data();
    void save_writeRefusedPartway_keepsTheEarlierFileAndTellsWhy();

private:
    frmMain *m_main = nullptr;
    std::unique_ptr<QTemporaryDir> m_dir; // a fresh folder for every test
    frmSaveDocument *comprehensiveReading();
    bool runRowAsNobody(const QString &functionAndTag, QString *output);
};

void tst_SaveReading::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_main = documenttest::showMainWindowAfresh();
    QVERIFY(m_main);
}

void tst_SaveReading::cleanup()
{
    guitest::unloadAll();
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

frmSaveDocument *tst_SaveReading::comprehensiveReading()
{
    documenttest::fillJohnAndAnn(m_main);
    m_main->cmdCR_Click();
    frmSaveDocument *document = guitest::documentWindow();
    if (!document || !document->isVisible())
        qFatal("the Comprehensive reading did not show the document window");
    return document;
}

void tst_SaveReading::save_afterComprehensive_writesTheTwelveDetailsByteExact()
{
    frmSaveDocument *document = comprehensiveReading();
    const QString shown = document->RTB()->text();
    const QString path = m_dir->filePath(QStringLiteral("john-and-ann.kvl"));

    platform::FileDialog::setNextFileName(path);
    click(document, "cmdSave");

    QCOMPARE(fileBytes(path), documenttest::johnAndAnnFile());
    QCOMPARE(platform::FileDialog::asked().size(), 1);
    const platform::FileDialog::Asked asked = platform::FileDialog::asked().constFirst();
    QVERIFY(asked.save);
    QCOMPARE(asked.options.title, QStringLiteral("Save Your Numerology Compatibility Result ...."));
    QCOMPARE(asked.options.filter, QStringLiteral("Rich Text Format (*.kvl)"));
    QCOMPARE(asked.options.defaultSuffix, QStringLiteral("kvl"));
    QCOMPARE(platform::MessageBox::shown().size(), 0);
    // The window and its reading stay as they were.
    QVERIFY(document->isVisible());
    QCOMPARE(guitest::documentWindow(), document);
    QCOMPARE(document->RTB()->text(), shown);
}

void tst_SaveReading::save_fromReadingWindow_recordsTheReadingOnShow()
{
    documenttest::fillJohnAndAnn(m_main);
    m_main->cmdD_Click(); // a Destiny reading records no details of its own
    frmDisp *disp = guitest::readingWindow();
    QVERIFY(disp && disp->isVisible());

    const QString path = m_dir->filePath(QStringLiteral("destiny.kvl"));
    platform::FileDialog::setNextFileName(path);
    click(disp, "cmdSave");

    QCOMPARE(fileBytes(path), documenttest::johnAndAnnFile());
    QVERIFY(disp->isVisible());
}

void tst_SaveReading::save_trimsTheDetails()
{
    documenttest::fillJohnAndAnn(m_main);
    guitest::setText(m_main, "txtMF", QStringLiteral("  John "));
    guitest::setText(m_main, "txtFM", QStringLiteral("   "));
    guitest::setText(m_main, "txtFL", QStringLiteral("\tLee  "));
    m_main->cmdLP_Click();
    const QString path = m_dir->filePath(QStringLiteral("trimmed.kvl"));
    platform::FileDialog::setNextFileName(path);
    click(guitest::readingWindow(), "cmdSave");
    QCOMPARE(fileBytes(path), documenttest::johnAndAnnFile());
}

void tst_SaveReading::save_cancel_writesNothingAndSaysNothing()
{
    frmSaveDocument *document = comprehensiveReading();
    const QString shown = document->RTB()->text();
    guitest::setText(m_main, "txtMF", QStringLiteral("Changed"));

    platform::FileDialog::setNextFileName(QString());
    click(document, "cmdSave");

    QCOMPARE(platform::FileDialog::asked().size(), 1);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(platform::MessageBox::shown().size(), 0);
    QVERIFY(document->isVisible());
    QCOMPARE(document->RTB()->text(), shown);

    // Saving after all writes the details of the reading on show.
    const QString path = m_dir->filePath(QStringLiteral("after-cancel.kvl"));
    platform::FileDialog::setNextFileName(path);
    click(document, "cmdSave");
    QCOMPARE(fileBytes(path), documenttest::johnAndAnnFile());
}

void tst_SaveReading::save_overAnExistingFile_replacesAllOfItKeepingItsPermissions_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("private") << 0600;
    QTest::newRow("group may read") << 0640;
    QTest::newRow("everyone may read") << 0644;
}

void tst_SaveReading::save_overAnExistingFile_replacesAllOfItKeepingItsPermissions()
{
    QFETCH(int, mode);
    const QString path = m_dir->filePath(QStringLiteral("existing.kvl"));
    QVERIFY(writeFile(path, QByteArray(4000, 'z')));
    // Whom the file belongs to decides who may use it as much as its mode does: root may give it to
    // anyone, another user to a group of theirs other than their own.
    const QByteArray name = QFile::encodeName(path);
    if (::geteuid() == 0) {
        QCOMPARE(::chown(name.constData(), 65534, 65534), 0);
    } else {
        gid_t groups[64];
        const int count = ::getgroups(64, groups);
        for (int i = 0; i < count; ++i) {
            if (groups[i] != ::getegid()) {
                QCOMPARE(::chown(name.constData(), uid_t(-1), groups[i]), 0);
                break;
            }
        }
    }
    QCOMPARE(::chmod(name.constData(), mode_t(mode)), 0);
    struct stat before {};
    QCOMPARE(::stat(name.constData(), &before), 0);
    frmSaveDocument *document = comprehensiveReading();
    platform::FileDialog::setNextFileName(path);
    click(document, "cmdSave");
    QCOMPARE(fileBytes(path), documenttest::johnAndAnnFile());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("existing.kvl")});
    struct stat status {};
    QCOMPARE(::stat(name.constData(), &status), 0);
    QCOMPARE(int(status.st_mode & 07777), mode);
    QCOMPARE(status.st_uid, before.st_uid);
    QCOMPARE(status.st_gid, before.st_gid);
}

void tst_SaveReading::save_nameWithoutKvl_getsItAndOpensAgain_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::newRow("a dot in the name") << QStringLiteral("J.Smith") << QStringLiteral("J.Smith.kvl");
    QTest::newRow("a version") << QStringLiteral("Reading.v2") << QStringLiteral("Reading.v2.kvl");
    QTest::newRow("capitals") << QStringLiteral("reading.KVL") << QStringLiteral("reading.KVL.kvl");
    QTest::newRow("already .kvl") << QStringLiteral("reading.kvl") << QStringLiteral("reading.kvl");
}

void tst_SaveReading::save_nameWithoutKvl_getsItAndOpensAgain()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    frmSaveDocument *document = comprehensiveReading();
    const QStringList typed = documenttest::inputs(m_main);
    platform::FileDialog::setNextFileName(m_dir->filePath(chosen));
    click(document, "cmdSave");
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{saved});
    click(document, "cmdBack");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    guitest::setText(m_main, "txtMF", QStringLiteral("Otto"));
    platform::FileDialog::setNextFileName(m_dir->filePath(saved));
    m_main->cmdOpen_Click();
    QCOMPARE(documenttest::inputs(m_main), typed);
    QCOMPARE(platform::MessageBox::shown().size(), 0);
}

void tst_SaveReading::save_nameGainingKvl_asksBeforeReplacingThatFile_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("Yes replaces it") << QMessageBox::Yes;
    QTest::newRow("No keeps it") << QMessageBox::No;
    QTest::newRow("Enter keeps it") << QMessageBox::NoButton; // the question's default answer
}

void tst_SaveReading::save_nameGainingKvl_asksBeforeReplacingThatFile()
{
    QFETCH(QMessageBox::StandardButton, answer);
    const QString existing = m_dir->filePath(QStringLiteral("J.Smith.kvl"));
    QVERIFY(writeFile(existing, kEarlierFile));
    frmSaveDocument *document = comprehensiveReading();
    if (answer != QMessageBox::NoButton)
        platform::MessageBox::setNextAnswer(answer);
    platform::FileDialog::setNextFileName(m_dir->filePath(QStringLiteral("J.Smith")));
    click(document, "cmdSave");

    QCOMPARE(platform::MessageBox::shown().size(), 1);
    const platform::MessageBox::Shown asked = platform::MessageBox::shown().constFirst();
    QCOMPARE(asked.text, QStringLiteral("J.Smith.kvl already exists.\nDo you want to replace it?"));
    QCOMPARE(asked.icon, QMessageBox::Warning);
    QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(fileBytes(existing), answer == QMessageBox::Yes ? documenttest::johnAndAnnFile() : kEarlierFile);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("J.Smith.kvl")});
}

void tst_SaveReading::fileDialog_refusesInPlaceWhatCannotBeUsed_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("readOnly"); // a reading in a read-only folder, or none
    QTest::addColumn<QString>("refused");  // typed first: in that folder if any, else the test's
    QTest::addColumn<QString>("told");     // in the message that refuses it
    QTest::addColumn<QByteArray>("stray"); // a reading made first under these bytes, or none
    QTest::newRow("save: a name the dialog reads as a list")
        << true << "" << "John \"Jack\" Smith" << "\"Jack\"" << QByteArray();
    // Opening, it would open another reading, "Jack.kvl" beside the one named.
    QTest::newRow("open: a name the dialog reads as a list")
        << false << "" << "John \"Jack\" Smith.kvl" << "\"Jack\"" << QByteArray("Jack.kvl");
    QTest::newRow("save: a folder that does not exist")
        << true << "" << "nowhere/John Smith" << "does not exist" << QByteArray();
    QTest::newRow("save: a name whose .kvl is read-only")
        << true << "J.Smith.kvl" << "J.Smith" << "J.Smith.kvl is read-only" << QByteArray();
    QTest::newRow("open: a read-only file") << false << "ours.kvl" << "ours.kvl" << "ours.kvl is read-only" << QByteArray();
    // Qt shows a name that is not UTF-8 (Latin-1 "caf\xe9.kvl") with U+FFFD and hands back that
    // text, which the system takes as another file: saving would leave the one picked as it was
    // and write, or replace, its look-alike.
    const QString lookAlike = QStringLiteral("latin/caf\uFFFD");
    QTest::newRow("save: a name not in UTF-8")
        << true << "" << lookAlike << "not written in UTF-8" << QByteArray("latin/caf\xe9.kvl");
    // Opening, the look-alike (here a reading too) would open in place of the file picked.
    QTest::newRow("open: a name not in UTF-8 beside its look-alike")
        << false << "" << lookAlike + ".kvl" << "not written in UTF-8" << QByteArray("latin/caf\xe9.kvl");
}

// Qt's own dialog (no name queued) refuses the first name typed, says why and stays open; the
// second name typed is taken.
void tst_SaveReading::fileDialog_refusesInPlaceWhatCannotBeUsed()
{
    QFETCH(bool, save);
    QFETCH(QString, readOnly);
    QFETCH(QString, refused);
    QFETCH(QString, told);
    QFETCH(QByteArray, stray);
    documenttest::ScratchFolder folder;
    QString first = m_dir->filePath(refused);
    if (!stray.isEmpty()) {
        QVERIFY(QDir(m_dir->path()).mkpath(QFileInfo(first).path()));
        const int fd = ::open((QFile::encodeName(m_dir->path()) + '/' + stray).constData(), O_WRONLY | O_CREAT, 0600);
        QVERIFY(fd >= 0);
        const QByteArray bytes = documenttest::johnAndAnnFile();
        QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
        ::close(fd);
        if (!save)
            QVERIFY(writeFile(first, bytes));
    }
    if (!readOnly.isEmpty()) {
        if (!folder.isUsable())
            QSKIP(qPrintable(folder.reason()));
        QVERIFY(writeFile(folder.filePath(readOnly), documenttest::johnAndAnnFile()));
        QVERIFY2(folder.makeFileReadOnly(readOnly), qPrintable(folder.reason()));
        first = folder.filePath(refused);
    }
    const QString taken = m_dir->filePath(save ? QStringLiteral("John Smith") : QStringLiteral("john.kvl"));
    if (!save)
        QVERIFY(writeFile(taken, documenttest::johnAndAnnFile()));
    frmSaveDocument *document = save ? comprehensiveReading() : nullptr;

    QStringList names = {first, taken};
    QTimer typist;
    connect(&typist, &QTimer::timeout, this, [&names] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || names.isEmpty())
            return;
        // Qt starts it in the folder it last showed, which may be an earlier test's.
        dialog->setDirectory(QDir::currentPath());
        auto *nameBox = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        // Typed as a person types, in the box that has the focus.
        QApplication::setActiveWindow(dialog);
        nameBox->setFocus();
        nameBox->setText(names.takeFirst());
        QTest::keyClick(nameBox, Qt::Key_Return);
    });
    // The dialog is put in the current folder: saving, where it would put "Jack.kvl"; opening,
    // beside the readings, where it would find it.
    const QTemporaryDir elsewhere;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(save ? elsewhere.path() : m_dir->path());
    typist.start(10);
    if (save)
        click(document, "cmdSave");
    else
        click(m_main, "cmdOpen");
    typist.stop();
    QDir::setCurrent(previous);

    QCOMPARE(names, QStringList());
    QCOMPARE(platform::MessageBox::shown().size(), 1);
    QCOMPARE(platform::MessageBox::shown().constFirst().icon, QMessageBox::Warning);
    QVERIFY2(platform::MessageBox::shown().constFirst().text.contains(told),
             qPrintable(platform::MessageBox::shown().constFirst().text));
    QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files), QStringList());
    if (save && !stray.isEmpty()) // no look-alike beside the stray reading
        QVERIFY(!QFileInfo::exists(first + QStringLiteral(".kvl")));
    if (save)
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("John Smith.kvl")});
    else
        QCOMPARE(guitest::child<QLineEdit>(m_main, "txtMF")->text(), QStringLiteral("John"));
}

void tst_SaveReading::save_detailsThatWouldNotOpenAgain_refusedAndTold_data()
{
    QTest::addColumn<QString>("middleName");
    QTest::addColumn<QString>("reason");
    QTest::newRow("too long for the file") << QString(30000, QChar(0x4E00)) << QStringLiteral("too long"); // 90 KB in UTF-8
    QTest::newRow("a control character") << QStringLiteral("Pa\tul") << QStringLiteral("control character");
}

void tst_SaveReading::save_detailsThatWouldNotOpenAgain_refusedAndTold()
{
    QFETCH(QString, middleName);
    QFETCH(QString, reason);
    const QString path = m_dir->filePath(QStringLiteral("long.kvl"));
    QVERIFY(writeFile(path, kEarlierFile));
    documenttest::fillJohnAndAnn(m_main);
    m_main->cmdLP_Click();
    // The name boxes take neither (a control character becomes a blank there), so the reading
    // window is handed the details directly.
    readings::PartnerDetails details = m_main->details();
    details.MaleMiddleName = middleName;
    guitest::readingWindow()->showReading(readings::lifePathReading(details), details);
    platform::FileDialog::setNextFileName(path);
    click(guitest::readingWindow(), "cmdSave");

    QCOMPARE(fileBytes(path), kEarlierFile);
    QCOMPARE(platform::MessageBox::shown().size(), 1);
    QVERIFY(platform::MessageBox::shown().constFirst().text.contains(QLatin1String("long.kvl")));
    QVERIFY2(platform::MessageBox::shown().constFirst().text.contains(reason),
             qPrintable(platform::MessageBox::shown().constFirst().text));
}

void tst_SaveReading::save_throughALinkInASharedFolder_writesItsTargetOnlyIfTheKernelWouldFollowIt_data()
{
    QTest::addColumn<bool>("linkOfAnotherUser");
    QTest::addColumn<QString>("chosen"); // the name picked in the dialog, in the test's folder
    QTest::newRow("the user's own link") << false << "shared/reading.kvl";
    QTest::newRow("a link another user made") << true << "shared/reading.kvl";
    QTest::newRow("an own link to a link another user made") << true << "chosen.kvl";
    // Typed in the dialog, which hands it back as typed: the system reads hop/.. as the folder
    // above hop's target, shared, while a tidied path would be the test's folder.
    QTest::newRow("a link another user made, named up from an own link") << true << "hop/../reading.kvl";
}

// In a folder everyone may write to, such as /tmp, another user may leave a link named as the
// file a user is about to save, pointing at one of that user's own files. The kernel refuses to
// follow such a link (fs.protected_symlinks), but saving reads the link itself.
void tst_SaveReading::save_throughALinkInASharedFolder_writesItsTargetOnlyIfTheKernelWouldFollowIt()
{
    QFETCH(bool, linkOfAnotherUser);
    QFETCH(QString, chosen);
    const QString shared = m_dir->filePath(QStringLiteral("shared"));
    QVERIFY(QDir().mkdir(shared));
    QCOMPARE(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    const QString target = m_dir->filePath(QStringLiteral("own.kvl"));
    QVERIFY(writeFile(target, kEarlierFile));
    const QString link = QDir(shared).filePath(QStringLiteral("reading.kvl"));
    QVERIFY(QFile::link(target, link));
    if (linkOfAnotherUser && ::lchown(QFile::encodeName(link).constData(), 65534, 65534) != 0)
        QSKIP("only root can give a link to another user");
    if (chosen == QLatin1String("chosen.kvl"))
        QVERIFY(QFile::link(link, m_dir->filePath(chosen)));
    const bool upFromALink = chosen.startsWith(QLatin1String("hop/"));
    if (upFromALink) {
        QVERIFY(QDir(shared).mkdir(QStringLiteral("deep")));
        QVERIFY(QFile::link(QDir(shared).filePath(QStringLiteral("deep")), m_dir->filePath(QStringLiteral("hop"))));
    }

    frmSaveDocument *document = comprehensiveReading();
    platform::FileDialog::setNextFileName(m_dir->path() + QLatin1Char('/') + chosen);
    click(document, "cmdSave");

    QCOMPARE(fileBytes(target), linkOfAnotherUser ? kEarlierFile : documenttest::johnAndAnnFile());
    QVERIFY(QFileInfo(link).isSymLink());
    const QStringList left = upFromALink ? QStringList{"deep", "reading.kvl"} : QStringList{"reading.kvl"};
    QCOMPARE(QDir(shared).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), left);
    QCOMPARE(platform::MessageBox::shown().size(), linkOfAnotherUser ? 1 : 0);
}

void tst_SaveReading::save_overAPipe_leavesItAndTellsWhy_data()
{
    QTest::addColumn<bool>("throughALink");
    QTest::newRow("a named pipe") << false;
    QTest::newRow("a link to a named pipe") << true;
}

// A pipe (or a device, which only root may make) is no file to put a reading in: it stays as it
// is, and the user is told.
void tst_SaveReading::save_overAPipe_leavesItAndTellsWhy()
{
    QFETCH(bool, throughALink);
    const QString pipe = m_dir->filePath(QStringLiteral("pipe.kvl"));
    const QString chosen = throughALink ? m_dir->filePath(QStringLiteral("link.kvl")) : pipe;
    QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    if (throughALink)
        QVERIFY(QFile::link(pipe, chosen));
    const QStringList filesBefore = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);

    frmSaveDocument *document = comprehensiveReading();
    platform::FileDialog::setNextFileName(chosen);
    click(document, "cmdSave");

    struct stat status {};
    QCOMPARE(::lstat(QFile::encodeName(pipe).constData(), &status), 0);
    QVERIFY2(S_ISFIFO(status.st_mode), "the pipe was replaced by a file");
    QCOMPARE(QFileInfo(chosen).isSymLink(), throughALink);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), filesBefore);
    QCOMPARE(platform::MessageBox::shown().size(), 1);
    const platform::MessageBox::Shown told = platform::MessageBox::shown().constFirst();
    QCOMPARE(told.icon, QMessageBox::Warning);
    QVERIFY2(told.text.startsWith(QStringLiteral("The reading could not be saved to \"%1\".\n\n").arg(chosen)),
             qPrintable(told.text));
    QVERIFY(document->isVisible());
}

void tst_SaveReading::save_failure_keepsEarlierFilesAndTellsWhy_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("target");
    QTest::newRow("folder gone") << QStringLiteral("gone") << QStringLiteral("missing/reading.kvl");
    QTest::newRow("read-only folder") << QStringLiteral("read-only folder") << QStringLiteral("new.kvl");
    QTest::newRow("read-only target") << QStringLiteral("read-only file") << QStringLiteral("earlier.kvl");
    QTest::newRow("full disk, replacing") << QStringLiteral("full") << QStringLiteral("earlier.kvl");
    QTest::newRow("full disk, new file") << QStringLiteral("full") << QStringLiteral("new.kvl");
}

void tst_SaveReading::save_failure_keepsEarlierFilesAndTellsWhy()
{
    QFETCH(QString, failure);
    QFETCH(QString, target);

    documenttest::ScratchFolder folder;
    if (!folder.isUsable()) {
        // Root without the right to mount: let the unprivileged user nobody run this row.
        if (asNobody())
            QSKIP(qPrintable(folder.reason()));
        QString output;
        if (!runRowAsNobody(QStringLiteral("save_failure_keepsEarlierFilesAndTellsWhy:") + QString::fromLatin1(QTest::currentDataTag()), &output))
            QSKIP(qPrintable(folder.reason() + QStringLiteral("; running as nobody failed too: ") + output));
        const qsizetype skipped = output.indexOf(QLatin1String("SKIP   : "));
        if (skipped >= 0) {
            const QString line = output.mid(skipped).section(QLatin1Char('\n'), 0, 0);
            QSKIP(qPrintable(QStringLiteral("as nobody: ") + line.section(QLatin1String(") "), 1)));
        }
        return;
    }

    QVERIFY(writeFile(folder.filePath(QStringLiteral("earlier.kvl")), kEarlierFile));
    if (failure == QLatin1String("read-only folder"))
        QVERIFY2(folder.makeReadOnly(), qPrintable(folder.reason()));
    else if (failure == QLatin1String("read-only file"))
        QVERIFY2(folder.makeFileReadOnly(QStringLiteral("earlier.kvl")), qPrintable(folder.reason()));
    else if (failure == QLatin1String("full") && !folder.fill())
        QSKIP(qPrintable(folder.reason()));
    const QStringList filesBefore = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    frmSaveDocument *document = comprehensiveReading();
    const QString shown = document->RTB()->text();
    const QString path = folder.filePath(target);
    platform::FileDialog::setNextFileName(path);
    click(document, "cmdSave");

    QCOMPARE(fileBytes(folder.filePath(QStringLiteral("earlier.kvl"))), kEarlierFile);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), filesBefore);

    QCOMPARE(platform::MessageBox::shown().size(), 1);
    const platform::MessageBox::Shown told = platform::MessageBox::shown().constFirst();
    QCOMPARE(told.icon, QMessageBox::Warning);
    QVERIFY2(told.text.contains(QDir::toNativeSeparators(path)), qPrintable(told.text));
    const QString reason = told.text.section(QDir::toNativeSeparators(path), 1).trimmed();
    QVERIFY2(reason.size() > 3, qPrintable(told.text)); // the reason follows the file's name

    QVERIFY(document->isVisible());
    QCOMPARE(document->RTB()->text(), shown);
}

void tst_SaveReading::save_writeRefusedPartway_keepsTheEarlierFileAndTellsWhy_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("reason");
    QTest::newRow("file size limit reached partway") << QStringLiteral("limit") << QStringLiteral("File too large");
    QTest::newRow("syncing to the disk refused") << QStringLiteral("sync") << QStringLiteral("Input/output error");
}

void tst_SaveReading::save_writeRefusedPartway_keepsTheEarlierFileAndTellsWhy()
{
    QFETCH(QString, failure);
    QFETCH(QString, reason);
    const QString path = m_dir->filePath(QStringLiteral("earlier.kvl"));
    QVERIFY(writeFile(path, kEarlierFile));
    frmSaveDocument *document = comprehensiveReading();

    rlimit limit{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &limit) == 0);
    const auto restore = qScopeGuard([limit, handler = signal(SIGXFSZ, SIG_IGN)] {
        failDataSync = false;
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, handler);
    });
    if (failure == QLatin1String("limit")) {
        rlimit partway = limit;
        partway.rlim_cur = 40; // the saved reading is twice that
        QVERIFY(setrlimit(RLIMIT_FSIZE, &partway) == 0);
    } else {
        failDataSync = true;
    }
    platform::FileDialog::setNextFileName(path);
    click(document, "cmdSave");

    QCOMPARE(fileBytes(path), kEarlierFile);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"earlier.kvl"});
    const QList<platform::MessageBox::Shown> told = platform::MessageBox::shown();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.constFirst().text.contains(reason), qPrintable(told.constFirst().text));
}

bool tst_SaveReading::runRowAsNobody(const QString &functionAndTag, QString *output)
{
    QTemporaryDir home(QStringLiteral("/tmp/tovrin-nobody-XXXXXX"));
    if (!home.isValid() || !QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                                   | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther)) {
        *output = QStringLiteral("no folder for nobody");
        return false;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TOVRIN_TEST_AS_NOBODY"), QStringLiteral("1"));
    for (const char *name : {"HOME", "TMPDIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        env.insert(QLatin1String(name), home.path());
    env.remove(QStringLiteral("XDG_RUNTIME_DIR")); // Qt makes one of nobody's own
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
                 QStringLiteral("--"), QCoreApplication::applicationFilePath(), functionAndTag});
    if (!child.waitForFinished(60000)) {
        *output = child.errorString();
        return false;
    }
    *output = QString::fromLocal8Bit(child.readAll());
    return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}

QTEST_MAIN(tst_SaveReading)
#include "tst_savereading.moc"
