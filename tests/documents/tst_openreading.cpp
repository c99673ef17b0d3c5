#include "documenttest.h"
#include "../common/descriptorsinuse.h"
#include "../common/fifo.h"

#include "gui/documents/frmdisp.h"
#include "core/documents/savedreadingfile.h"
#include "core/documents/scramble.h"
#include "core/readings/partnerdetails.h"

#include <QAction>
#include <QEventLoop>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <memory>

using documenttest::click;
using documenttest::inputs;
using documenttest::writeFile;

namespace {

const QString kCheckTheFile = QStringLiteral("Please Check The File.");

QByteArray savedFile(const QStringList &details)
{
    return documents::SavedReadingFile::toBytes(readings::PartnerDetails::fromList(details));
}

const QStringList kJohnAndAnn = {
    QStringLiteral("John"),  QStringLiteral("Paul"), QStringLiteral("Smith"), QStringLiteral("Ann"),
    QString(),               QStringLiteral("Lee"),  QStringLiteral("March"), QStringLiteral("5"),
    QStringLiteral("1970"),  QStringLiteral("July"), QStringLiteral("12"),    QStringLiteral("1972"),
};

// Stands in for a window manager that started the window minimised: nothing of it paints until it
// is back.
class KeptMinimised final : public QObject
{
public:
    explicit KeptMinimised(QMainWindow *window)
        : m_window(window)
    {
        window->centralWidget()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::Paint && m_window->isMinimized();
    }

private:
    QWidget *m_window;
};

} // namespace

class tst_OpenReading : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveThenOpen_sameInputsAndSameDocument();
    void saveThenOpen_namesInSeveralScripts_data();
    void saveThenOpen_namesInSeveralScripts();
    void open_asksForAKvlFile();
    void open_replacesTypedNamesButNotTheMarriageDate();
    void open_extensionTest_data();
    void open_extensionTest();
    void open_cancel_isSilent();
    void open_badFile_keepsEveryInput_data();
    void open_badFile_keepsEveryInput();
    void open_lineBreakInAName_showsItAsABlank_data();
    void open_lineBreakInAName_showsItAsABlank();
    void openFile_fromTheCommandLine_data();
    void openFile_fromTheCommandLine();
    void openFile_whileAReadingIsOnShow_replacesIt();
    void handedOverFiles_oneAfterAnother_eachReplacesTheLastWithoutNesting();
    void handedOverFile_waitsUntilTheReadingsDialogCloses();
    void handedOverFile_waitingOnADialogOfAMinimisedWindow_bringsTheWindowBack();
    void handedOverFile_beforeTheMainWindowIsBuilt_opensInIt();
    void handedOverFile_toAMainWindowStartedMinimised_bringsItBackAndOpens();
    void handedOverFile_whileStartUpAsksAboutUpdates_bringsTheQuestionForward();
    void drop_oneLocalReading_opensIt_anythingElseRefused_data();
    void drop_oneLocalReading_opensIt_anythingElseRefused();
    void recentList_newestFirst_keptAcrossRestarts_goneFilesLeave();
    void recentList_pathThroughALinkAndDotDot_reopensTheSameFile();
    void recentList_openedWithNoDescriptorLeft_keepsTheReading();
    void recentList_settingsFileIsAPipe_nothingRememberedNothingHangs(); // leaves the pipe: last

private:
    frmMain *m_main = nullptr;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString write(const QString &name, const QByteArray &bytes);
    void open(const QString &path);
    void typeOtherCouple();
    QString documentText() const;
    void runUntilAReadingShows();
    QStringList recentEntries() const;
};

void tst_OpenReading::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_main = documenttest::showMainWindowAfresh();
    QVERIFY(m_main);
}

void tst_OpenReading::cleanup()
{
    guitest::unloadAll();
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

QString tst_OpenReading::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(name);
    if (!writeFile(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void tst_OpenReading::open(const QString &path)
{
    platform::FileDialog::setNextFileName(path);
    m_main->cmdOpen_Click();
}

void tst_OpenReading::typeOtherCouple()
{
    guitest::fillCouple(m_main, {QStringLiteral("Otto"), QStringLiteral("Max"), QStringLiteral("Moe")},
                        QStringLiteral("December 31 2000"),
                        {QStringLiteral("Eva"), QStringLiteral("Kim"), QStringLiteral("Roe")},
                        QStringLiteral("February 29 2004"));
}

// The Comprehensive reading on show, or an empty text when the document window is not shown.
QString tst_OpenReading::documentText() const
{
    frmSaveDocument *document = guitest::documentWindow();
    return document && document->isVisible() ? document->RTB()->text() : QString();
}

// Runs an event loop as QApplication::exec() runs the program, until the Comprehensive reading
// shows (five seconds at most).
// File > Open Recent as the user sees it: "name|tip" for each entry, then "Clear".
QStringList tst_OpenReading::recentEntries() const
{
    auto *menu = m_main->findChild<QMenu *>(QStringLiteral("mnuRecent"));
    emit menu->aboutToShow();
    QStringList shown;
    for (QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        const bool clear = action->objectName() == QLatin1String("mnuClearRecent");
        // The tip as Qt shows it: as rich text when it looks like markup.
        const QString tip = action->toolTip();
        const QString tipShown = Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText() : tip;
        shown.append(clear ? QStringLiteral("Clear") : action->text() + QLatin1Char('|') + tipShown);
    }
    return shown;
}

void tst_OpenReading::runUntilAReadingShows()
{
    QEventLoop application;
    QTimer opened;
    connect(&opened, &QTimer::timeout, &application, [&] {
        if (!documentText().isEmpty())
            application.quit();
    });
    opened.start(20);
    QTimer::singleShot(5000, &application, &QEventLoop::quit);
    application.exec();
}

void tst_OpenReading::saveThenOpen_sameInputsAndSameDocument()
{
    documenttest::fillJohnAndAnn(m_main);
    m_main->cmdCR_Click();
    const QStringList typed = inputs(m_main);
    const QString document = documentText();
    QVERIFY(document.startsWith(QLatin1String("Male Information\r\nName: John Paul Smith\r\n")));
    const QString path = m_dir->filePath(QStringLiteral("john-and-ann.kvl"));
    platform::FileDialog::setNextFileName(path);
    click(guitest::documentWindow(), "cmdSave");
    click(guitest::documentWindow(), "cmdBack");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    typeOtherCouple();
    open(path);

    QCOMPARE(inputs(m_main), typed);
    QCOMPARE(documentText(), document);
    QCOMPARE(platform::MessageBox::shown().size(), 0);
}

void tst_OpenReading::saveThenOpen_namesInSeveralScripts_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("accented latin") << QStringList{QStringLiteral("Ren\u00e9"), QStringLiteral("Fran\u00e7ois"),
                                                   QStringLiteral("M\u00fcller"), QStringLiteral("Zo\u00eb"),
                                                   QString(), QStringLiteral("\u0141\u00f3d\u017a")};
    QTest::newRow("greek and cyrillic") << QStringList{QStringLiteral("\u0393\u03b9\u03ce\u03c1\u03b3\u03bf\u03c2"),
                                                       QString(), QStringLiteral("\u03a0\u03b1\u03c0\u03b1\u03c2"),
                                                       QStringLiteral("\u041e\u043b\u044c\u0433\u0430"), QString(),
                                                       QStringLiteral("\u0418\u0432\u0430\u043d\u043e\u0432\u0430")};
    QTest::newRow("cjk") << QStringList{QStringLiteral("\u592a\u90ce"), QString(), QStringLiteral("\u5c71\u7530"),
                                        QStringLiteral("\u82b1\u5b50"), QString(), QStringLiteral("\u9234\u6728")};
    QTest::newRow("emoji and combining marks") << QStringList{QStringLiteral("Jose\u0301"), QStringLiteral("\U0001F600"),
                                                              QStringLiteral("Smith"), QStringLiteral("Zoe\u0308"),
                                                              QStringLiteral("\U0001F469\u200D\U0001F469"),
                                                              QStringLiteral("Lee")};
}

void tst_OpenReading::saveThenOpen_namesInSeveralScripts()
{
    QFETCH(QStringList, names);
    // Each name needs a valued letter to pass the input check; the scripts ride along.
    const char *fields[] = {"txtMF", "txtMM", "txtML", "txtFF", "txtFM", "txtFL"};
    documenttest::fillJohnAndAnn(m_main);
    for (int i = 0; i < 6; ++i) {
        if (!names.at(i).isEmpty())
            guitest::setText(m_main, fields[i], QStringLiteral("A") + names.at(i));
    }
    const QStringList typed = inputs(m_main);
    m_main->cmdLP_Click();
    const QString path = m_dir->filePath(QStringLiteral("scripts.kvl"));
    platform::FileDialog::setNextFileName(path);
    click(guitest::readingWindow(), "cmdSave");
    click(guitest::readingWindow(), "cmdBack");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    typeOtherCouple();
    open(path);
    QCOMPARE(inputs(m_main), typed);
    QVERIFY(documentText().contains(typed.at(0)));
}

void tst_OpenReading::open_asksForAKvlFile()
{
    open(QString());
    QCOMPARE(platform::FileDialog::asked().size(), 1);
    const platform::FileDialog::Asked asked = platform::FileDialog::asked().constFirst();
    QVERIFY(!asked.save);
    QCOMPARE(asked.options.title, QStringLiteral("Select the source file"));
    QCOMPARE(asked.options.filter, QStringLiteral("Tovrin (*.kvl)"));
    QCOMPARE(asked.options.defaultSuffix, QStringLiteral("kvl"));
}

void tst_OpenReading::open_replacesTypedNamesButNotTheMarriageDate()
{
    typeOtherCouple();
    guitest::pick(m_main, "cboMMM", QStringLiteral("June"));
    guitest::pick(m_main, "cboMMD", QStringLiteral("21"));
    guitest::pick(m_main, "cboMMY", QStringLiteral("2010"));
    open(write(QStringLiteral("reading.kvl"), documenttest::johnAndAnnFile()));
    QCOMPARE(inputs(m_main), kJohnAndAnn);
    QCOMPARE(guitest::child<QComboBox>(m_main, "cboMMM")->currentText(), QStringLiteral("June"));
    QCOMPARE(guitest::child<QComboBox>(m_main, "cboMMD")->currentText(), QStringLiteral("21"));
    QCOMPARE(guitest::child<QComboBox>(m_main, "cboMMY")->currentText(), QStringLiteral("2010"));
}

void tst_OpenReading::open_extensionTest_data()
{
    // The last three characters of the path must be "kvl", exactly; a shorter path is not tested.
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("reading.kvl") << QStringLiteral("reading.kvl") << true;
    QTest::newRow("no dot: readingkvl") << QStringLiteral("readingkvl") << true;
    QTest::newRow("capitals: reading.KVL") << QStringLiteral("reading.KVL") << false;
    QTest::newRow("mixed: reading.Kvl") << QStringLiteral("reading.Kvl") << false;
    QTest::newRow("other: reading.txt") << QStringLiteral("reading.txt") << false;
    QTest::newRow("trailing blank: reading.kvl ") << QStringLiteral("reading.kvl ") << false;
    QTest::newRow("two characters: ab") << QStringLiteral("ab") << true;
}

void tst_OpenReading::open_extensionTest()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    const QString path = write(name, documenttest::johnAndAnnFile());
    typeOtherCouple();
    const QStringList before = inputs(m_main);

    // A path of two characters can only be a relative one.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    open(name.size() < 3 ? name : path);
    QDir::setCurrent(previous);

    if (accepted) {
        QCOMPARE(inputs(m_main), kJohnAndAnn);
        QVERIFY(!documentText().isEmpty());
        QCOMPARE(platform::MessageBox::shown().size(), 0);
    } else {
        QCOMPARE(inputs(m_main), before);
        QCOMPARE(documentText(), QString());
        QCOMPARE(platform::MessageBox::shown().size(), 1);
        QCOMPARE(platform::MessageBox::shown().constFirst().text, kCheckTheFile);
        QCOMPARE(platform::MessageBox::shown().constFirst().icon, QMessageBox::Critical);
        QCOMPARE(platform::MessageBox::shown().constFirst().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

void tst_OpenReading::open_cancel_isSilent()
{
    typeOtherCouple();
    const QStringList before = inputs(m_main);
    open(QString());
    QCOMPARE(inputs(m_main), before);
    QCOMPARE(platform::MessageBox::shown().size(), 0);
    QCOMPARE(documentText(), QString());
    QCOMPARE(guitest::modalWindows().size(), 0);
}

void tst_OpenReading::open_badFile_keepsEveryInput_data()
{
    // "file" writes bytes as the file; the other kinds put something else at its path.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("bytes");
    const auto with = [](int line, const QString &detail) {
        QStringList details = kJohnAndAnn;
        details[line] = detail;
        return savedFile(details);
    };
    const QByteArray file = documenttest::johnAndAnnFile();
    const QString kFile = QStringLiteral("file");
    QTest::newRow("empty file") << kFile << QByteArray();
    QTest::newRow("blank lines only") << kFile << QByteArray("\r\n").repeated(12);
    QTest::newRow("eleven lines") << kFile << file.left(file.size() - QByteArrayLiteral("V^\\W\r\n").size());
    QTest::newRow("month not in its list: Smarch") << kFile << with(6, QStringLiteral("Smarch"));
    QTest::newRow("day not in its list: 05") << kFile << with(10, QStringLiteral("05"));
    QTest::newRow("year not in its list: empty") << kFile << with(11, QString());
    QTest::newRow("30 February") << kFile << savedFile(QStringList(kJohnAndAnn.mid(0, 6))
                                                      << QStringLiteral("February") << QStringLiteral("30")
                                                      << kJohnAndAnn.mid(8));
    QTest::newRow("longer than a name box takes") << kFile << with(5, QString(32768, QLatin1Char('L')));
    QTest::newRow("not utf-8") << kFile << QByteArray("\xff\xfe") + file;
    QTest::newRow("larger than the maximum size")
        << kFile << file + QByteArray(documents::SavedReadingFile::MaximumSize, ' ');
    QTest::newRow("NUL bytes") << kFile << QByteArray(file).replace('Z', '\0');
    QTest::newRow("gone since it was picked") << QStringLiteral("missing") << QByteArray();
    QTest::newRow("a folder") << QStringLiteral("folder") << QByteArray();
    QTest::newRow("cannot be read") << QStringLiteral("unreadable") << QByteArray();
    QTest::newRow("a named pipe") << QStringLiteral("fifo") << QByteArray();
}

void tst_OpenReading::open_badFile_keepsEveryInput()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    QString path = m_dir->filePath(QStringLiteral("bad.kvl"));
    std::unique_ptr<testsupport::Fifo> fifo;
    if (kind == QLatin1String("file")) {
        write(QStringLiteral("bad.kvl"), bytes);
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("bad.kvl")));
    } else if (kind == QLatin1String("unreadable")) {
        // A file whose reading fails: a folder's "file" at the end of a path that cannot be
        // entered (as root no permission stops a read, but this does).
        write(QStringLiteral("plain"), QByteArray("x"));
        path = m_dir->filePath(QStringLiteral("plain/bad.kvl"));
    } else if (kind == QLatin1String("fifo")) {
        fifo = std::make_unique<testsupport::Fifo>(path);
        QVERIFY(fifo->made());
    }
    typeOtherCouple();
    const QStringList before = inputs(m_main);

    open(path);

    if (fifo) {
        QVERIFY2(!fifo->readerWaited(), "Open waited for a writer on the named pipe");
        QVERIFY(fifo->stillThere());
    }
    QCOMPARE(inputs(m_main), before);
    QCOMPARE(platform::MessageBox::shown().size(), 1);
    QCOMPARE(platform::MessageBox::shown().constFirst().text, kCheckTheFile);
    QCOMPARE(platform::MessageBox::shown().constFirst().icon, QMessageBox::Critical);
    QCOMPARE(documentText(), QString());
    QCOMPARE(guitest::modalWindows().size(), 0);
}

void tst_OpenReading::open_lineBreakInAName_showsItAsABlank_data()
{
    // Save once wrote a name with what a name box kept of a paste. Each of these would start a line
    // of its own in the reading, where it could pass for the program's, and so opens as a blank.
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a tab") << 0 << QStringLiteral("John\tPaul") << QStringLiteral("John Paul");
    QTest::newRow("a control character") << 4 << QStringLiteral("\x1b[31m") << QStringLiteral(" [31m");
    QTest::newRow("a paragraph separator") << 2 << QStringLiteral("Smith\u2029Female Information")
                                           << QStringLiteral("Smith Female Information");
    QTest::newRow("a line separator") << 0 << QStringLiteral("John\u2028Name: Nobody")
                                      << QStringLiteral("John Name: Nobody");
    QTest::newRow("a frame mark of rich text") << 5 << QStringLiteral("L\uFDD0ee") << QStringLiteral("L ee");
}

void tst_OpenReading::open_lineBreakInAName_showsItAsABlank()
{
    QFETCH(int, line);
    QFETCH(QString, saved);
    QFETCH(QString, shown);
    open(write(QStringLiteral("plain.kvl"), savedFile(kJohnAndAnn)));
    const qsizetype plainLines = documentText().count(QLatin1Char('\n'));
    QVERIFY(plainLines > 0);

    QStringList details = kJohnAndAnn;
    details[line] = saved;
    open(write(QStringLiteral("pasted.kvl"), savedFile(details)));

    details[line] = shown;
    QCOMPARE(inputs(m_main), details);
    QCOMPARE(documentText().count(QLatin1Char('\n')), plainLines);
    QCOMPARE(platform::MessageBox::shown().size(), 0);
}

void tst_OpenReading::openFile_fromTheCommandLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // empty: no such file
    QTest::addColumn<bool>("accepted");
    QTest::newRow("a saved reading") << "reading.kvl" << documenttest::johnAndAnnFile() << true;
    QTest::newRow("a file that is no reading") << "reading.kvl" << QByteArray("\0\1\2", 3) << false;
    QTest::newRow("no such file") << "missing.kvl" << QByteArray() << false;
    QTest::newRow("upper-case extension") << "reading.KVL" << documenttest::johnAndAnnFile() << false;
}

void tst_OpenReading::openFile_fromTheCommandLine()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    const QString path = bytes.isEmpty() ? m_dir->filePath(name) : write(name, bytes);
    typeOtherCouple();
    const QStringList before = inputs(m_main);

    QCOMPARE(m_main->openSavedReading(path), accepted);

    QCOMPARE(platform::FileDialog::asked().size(), 0);
    if (accepted) {
        QCOMPARE(inputs(m_main), kJohnAndAnn);
        QVERIFY(documentText().startsWith(QLatin1String("Male Information\r\nName: John Paul Smith")));
        QCOMPARE(platform::MessageBox::shown().size(), 0);
    } else {
        QCOMPARE(inputs(m_main), before);
        QCOMPARE(documentText(), QString());
        QCOMPARE(platform::MessageBox::shown().size(), 1);
        QCOMPARE(platform::MessageBox::shown().constFirst().text, kCheckTheFile);
    }
}

void tst_OpenReading::openFile_whileAReadingIsOnShow_replacesIt()
{
    typeOtherCouple();
    m_main->cmdLP_Click();
    QPointer<frmDisp> reading = guitest::readingWindow();
    QVERIFY(reading && reading->isVisible());

    QVERIFY(m_main->openSavedReading(write(QStringLiteral("reading.kvl"), documenttest::johnAndAnnFile())));
    QVERIFY(!guitest::readingWindow());
    QVERIFY(reading.isNull() || !reading->isVisible());
    QVERIFY(documentText().contains(QLatin1String("John Paul Smith")));
}

// As when a second start hands a file over while a reading is on show, again and again. Each
// reading shows in its own event loop; opening the next from inside the last one's loop would nest
// them one deeper with every file, until the stack ran out.
void tst_OpenReading::handedOverFiles_oneAfterAnother_eachReplacesTheLastWithoutNesting()
{
    platform::setModalHandler({}); // readings run their own loops, as in the program
    const QString handed = write(QStringLiteral("reading.kvl"), documenttest::johnAndAnnFile());
    int shown = 0;
    int deepest = 0;
    QEventLoop application; // as QApplication::exec() runs the program
    QTimer watch;
    connect(&watch, &QTimer::timeout, &application, [&] {
        if (documentText().isEmpty())
            return;
        deepest = std::max(deepest, QThread::currentThread()->loopLevel());
        if (++shown < 5) {
            QTimer::singleShot(0, &application, [&] { guitest::program().openHandedOverFile(handed); });
        } else {
            watch.stop();
            guitest::documentWindow()->unload();
            application.quit();
        }
    });
    watch.start(20);
    QTimer::singleShot(0, &application, [&] { guitest::program().openHandedOverFile(handed); });
    QTimer::singleShot(10000, &application, [&] {
        if (frmSaveDocument *document = guitest::documentWindow())
            document->unload();
        application.quit();
    });
    application.exec();

    QCOMPARE(shown, 5);
    QCOMPARE(deepest, 2); // the application's loop and the one reading's
}

// As when Save on a reading asks for a file name and a second start hands a file over meanwhile:
// the code that opened the dialog goes on with its window once the dialog closes.
void tst_OpenReading::handedOverFile_waitsUntilTheReadingsDialogCloses()
{
    typeOtherCouple();
    m_main->cmdLP_Click();
    QPointer<frmDisp> reading = guitest::readingWindow();
    QVERIFY(reading);
    const QString handed = write(QStringLiteral("reading.kvl"), documenttest::johnAndAnnFile());

    bool keptWhileTheDialogWasOpen = false;
    bool windowThereWhenItClosed = false;
    QTimer::singleShot(0, reading, [&] {
        QPointer<QDialog> dialog = new QDialog(reading);
        QTimer::singleShot(0, dialog, [&] {
            guitest::program().openHandedOverFile(handed);
            QTest::qWait(300); // the dialog stays open a while
            keptWhileTheDialogWasOpen = reading && reading->isVisible() && documentText().isEmpty();
            if (dialog)
                dialog->reject();
        });
        dialog->exec();
        windowThereWhenItClosed = !reading.isNull();
        delete dialog;
    });
    runUntilAReadingShows();

    QVERIFY(keptWhileTheDialogWasOpen);
    QVERIFY(windowThereWhenItClosed);
    QVERIFY(documentText().contains(QLatin1String("John Paul Smith")));
    QVERIFY(reading.isNull() || !reading->isVisible());
}

// As when a message box is open, the user minimises the main window, and a second start hands a
// file over: the dialog went down with the window, and nothing would show the user why their file
// does not open.
void tst_OpenReading::handedOverFile_waitingOnADialogOfAMinimisedWindow_bringsTheWindowBack()
{
    const QString handed = write(QStringLiteral("reading.kvl"), documenttest::johnAndAnnFile());
    m_main->setWindowState(m_main->windowState() | Qt::WindowMinimized);

    bool backWhileTheDialogWasOpen = false;
    QTimer::singleShot(0, m_main, [&] {
        QPointer<QDialog> dialog = new QDialog(m_main);
        QTimer::singleShot(0, dialog, [&] {
            guitest::program().openHandedOverFile(handed);
            backWhileTheDialogWasOpen = !(m_main->windowState() & Qt::WindowMinimized) && documentText().isEmpty();
            dialog->reject();
        });
        dialog->exec();
        delete dialog;
    });
    runUntilAReadingShows();

    QVERIFY(backWhileTheDialogWasOpen);
    QVERIFY(documentText().contains(QLatin1String("John Paul Smith")));
}

// As when a second start hands a file over while start-up still asks about updates.
void tst_OpenReading::handedOverFile_beforeTheMainWindowIsBuilt_opensInIt()
{
    guitest::unloadAll();
    QVERIFY(!guitest::mainWindow());
    guitest::program().openHandedOverFile(write(QStringLiteral("reading.kvl"), documenttest::johnAndAnnFile()));

    m_main = guitest::showMainWindow();
    QVERIFY(m_main);
    QTRY_VERIFY(documentText().contains(QLatin1String("John Paul Smith")));
}

// As when the window manager starts the main window minimised and a second start hands a file
// over: the reading waits for the main window's first paint, which never comes while it stays
// down, so the second start would say it succeeded and nothing would show.
void tst_OpenReading::handedOverFile_toAMainWindowStartedMinimised_bringsItBackAndOpens()
{
    guitest::unloadAll();
    guitest::setUp();
    frmMain *main = guitest::program().mainWindow();
    KeptMinimised windowManager(main);
    main->showMinimized();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QCoreApplication::processEvents();
    QVERIFY(!main->hasPainted());

    guitest::program().openHandedOverFile(write(QStringLiteral("reading.kvl"), documenttest::johnAndAnnFile()));
    QVERIFY(!main->isMinimized());
    main->update(); // back on the screen, it paints
    m_main = main;
    QTRY_VERIFY(documentText().contains(QLatin1String("John Paul Smith")));
}

// The update question has no main window behind it: when the user has gone to another program
// meanwhile, a file handed over would wait behind it, unseen.
void tst_OpenReading::handedOverFile_whileStartUpAsksAboutUpdates_bringsTheQuestionForward()
{
    guitest::unloadAll();
    QWidget otherProgram;
    otherProgram.show();
    const QString handed = write(QStringLiteral("reading.kvl"), documenttest::johnAndAnnFile());

    QDialog question;
    bool questionInFront = false;
    QTimer::singleShot(0, &question, [&] {
        otherProgram.activateWindow();
        if (!QTest::qWaitForWindowActive(&otherProgram))
            return;
        guitest::program().openHandedOverFile(handed);
        questionInFront = QTest::qWaitFor([&] { return QApplication::activeWindow() == &question; });
        question.reject();
    });
    question.exec();
    otherProgram.hide();

    QVERIFY(questionInFront);
    m_main = guitest::showMainWindow();
    QVERIFY(m_main);
    QTRY_VERIFY(documentText().contains(QLatin1String("John Paul Smith")));
}

void tst_OpenReading::drop_oneLocalReading_opensIt_anythingElseRefused_data()
{
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    const QUrl reading = QUrl::fromLocalFile(QStringLiteral("READING")); // the test's saved reading
    QTest::newRow("one local reading") << QList<QUrl>{reading} << QString() << true;
    QTest::newRow("two files") << QList<QUrl>{reading, reading} << QString() << false;
    QTest::newRow("a remote address") << QList<QUrl>{QUrl(QStringLiteral("https://example.com/reading.kvl"))}
                                      << QString() << false;
    QTest::newRow("a reading named with localhost")
        << QList<QUrl>{QUrl(QStringLiteral("file://localhost/READING"))} << QString() << true;
    // Its path is no path on this computer: read here, it would name another file.
    QTest::newRow("a reading on another computer")
        << QList<QUrl>{QUrl(QStringLiteral("file://otherhost/READING"))} << QString() << false;
    QTest::newRow("another kind of file") << QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/tmp/notes.txt"))}
                                          << QString() << false;
    QTest::newRow("text") << QList<QUrl>() << QStringLiteral("John") << false;
}

void tst_OpenReading::drop_oneLocalReading_opensIt_anythingElseRefused()
{
    QFETCH(QList<QUrl>, urls);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    const QString path = write(QStringLiteral("reading.kvl"), documenttest::johnAndAnnFile());
    for (QUrl &url : urls) {
        if (url.path().endsWith(QLatin1String("READING")))
            url.setPath(QUrl::fromLocalFile(path).path());
    }
    typeOtherCouple();
    const QStringList before = inputs(m_main);

    QMimeData data;
    if (!urls.isEmpty())
        data.setUrls(urls);
    if (!text.isEmpty())
        data.setText(text);
    // Over a name box: the drop is the window's, never text for the box.
    QWidget *target = guitest::child<QLineEdit>(m_main, "txtMF");
    const QPoint at = target->rect().center();
    // Shift proposes a move, which a file manager may follow by removing the file: a reading is
    // only ever copied.
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(target->mapTo(m_main, at), actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(m_main, &enter);
    QCOMPARE(enter.isAccepted(), accepted);
    if (!accepted) {
        QCOMPARE(inputs(m_main), before);
        return;
    }
    QCOMPARE(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(target->mapTo(m_main, at)), actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(m_main, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(drop.dropAction(), Qt::CopyAction);
    QTRY_COMPARE(inputs(m_main), kJohnAndAnn);
    QVERIFY(!documentText().isEmpty());
}

void tst_OpenReading::recentList_newestFirst_keptAcrossRestarts_goneFilesLeave()
{
    auto backToMain = [] {
        if (frmSaveDocument *document = guitest::documentWindow(); document && document->isVisible())
            click(document, "cmdBack");
    };

    // Six readings opened, then one saved: the five newest, newest first.
    QStringList paths;
    for (int i = 1; i <= 6; ++i) {
        paths.append(write(QStringLiteral("reading%1.kvl").arg(i), documenttest::johnAndAnnFile()));
        QVERIFY(m_main->openSavedReading(paths.last()));
        backToMain();
    }
    m_main->openSavedReading(paths.at(2)); // opened again: moves to the front
    const QString saved = m_dir->filePath(QStringLiteral("<u>R&D.kvl")); // a name that looks like markup
    platform::FileDialog::setNextFileName(saved);
    click(guitest::documentWindow(), "cmdSave");
    backToMain();
    const QStringList expected = {
        QStringLiteral("<u>R&&D.kvl|") + saved, "reading3.kvl|" + paths.at(2), "reading6.kvl|" + paths.at(5),
        "reading5.kvl|" + paths.at(4), "reading4.kvl|" + paths.at(3), QStringLiteral("Clear"),
    };
    QCOMPARE(recentEntries(), expected);

    // The list outlives the program.
    guitest::unloadAll();
    m_main = guitest::showMainWindow();
    QVERIFY(m_main);
    QCOMPARE(recentEntries(), expected);

    // A file that is gone: the message, and it leaves the list; the others open.
    QFile::remove(paths.at(5));
    auto *menu = m_main->findChild<QMenu *>(QStringLiteral("mnuRecent"));
    emit menu->aboutToShow();
    menu->actions().at(2)->trigger();
    QCOMPARE(platform::MessageBox::shown().size(), 1);
    QCOMPARE(platform::MessageBox::shown().constFirst().text, kCheckTheFile);
    QVERIFY(!recentEntries().join(QLatin1Char(' ')).contains(QLatin1String("reading6.kvl")));
    emit menu->aboutToShow();
    menu->actions().at(1)->trigger();
    QVERIFY(documentText().contains(QLatin1String("John Paul Smith")));
    backToMain();
    QVERIFY(recentEntries().constFirst().startsWith(QLatin1String("reading3.kvl|")));

    emit menu->aboutToShow();
    menu->findChild<QAction *>(QStringLiteral("mnuClearRecent"))->trigger();
    QCOMPARE(recentEntries(), QStringList{QStringLiteral("Clear")});
    QVERIFY(!menu->findChild<QAction *>(QStringLiteral("mnuClearRecent"))->isEnabled());
}

void tst_OpenReading::recentList_openedWithNoDescriptorLeft_keepsTheReading()
{
    const QString first = write(QStringLiteral("first.kvl"), documenttest::johnAndAnnFile());
    const QString second = write(QStringLiteral("second.kvl"), documenttest::johnAndAnnFile());
    QVERIFY(m_main->openSavedReading(first));
    QVERIFY(m_main->openSavedReading(second));
    if (frmSaveDocument *document = guitest::documentWindow(); document && document->isVisible())
        click(document, "cmdBack");
    const QStringList before = recentEntries();
    QVERIFY(before.constFirst().startsWith(QLatin1String("second.kvl|")));

    // The program has used up its open-file limit when the user picks a reading from the list.
    auto *menu = m_main->findChild<QMenu *>(QStringLiteral("mnuRecent"));
    emit menu->aboutToShow();
    {
        const testsupport::DescriptorsInUse inUse;
        QVERIFY(inUse.full());
        menu->actions().at(0)->trigger(); // second.kvl
    }
    QCOMPARE(platform::MessageBox::shown().size(), 1);
    QCOMPARE(platform::MessageBox::shown().constFirst().text, kCheckTheFile);
    // Both readings are still listed, in the program that runs on and in the next one.
    QCOMPARE(recentEntries(), before);
    guitest::unloadAll();
    m_main = guitest::showMainWindow();
    QVERIFY(m_main);
    QCOMPARE(recentEntries(), before);
}

void tst_OpenReading::recentList_settingsFileIsAPipe_nothingRememberedNothingHangs()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/tst_openreading");
    QVERIFY(QDir().mkpath(folder));
    const QString ini = folder + QStringLiteral("/tst_openreading.ini");
    QFile::remove(ini);
    const testsupport::Fifo fifo(ini);
    QVERIFY(fifo.made());

    QVERIFY(m_main->openSavedReading(write(QStringLiteral("reading.kvl"), documenttest::johnAndAnnFile())));
    auto *menu = m_main->findChild<QMenu *>(QStringLiteral("mnuRecent"));
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 2); // the separator and "Clear List", which has nothing to clear
    auto *clear = menu->findChild<QAction *>(QStringLiteral("mnuClearRecent"));
    QVERIFY(!clear->isEnabled());
    clear->trigger();
    QVERIFY(!fifo.readerWaited());
    QVERIFY(fifo.stillThere());
}

// The system reads link/../ours.kvl as ours.kvl beside the link's target, not beside the link.
void tst_OpenReading::recentList_pathThroughALinkAndDotDot_reopensTheSameFile()
{
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("elsewhere/target")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("here")));
    QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("elsewhere/target")), m_dir->filePath(QStringLiteral("here/link"))));
    write(QStringLiteral("elsewhere/ours.kvl"), documenttest::johnAndAnnFile());
    QStringList others = kJohnAndAnn;
    others[0] = QStringLiteral("Otto");
    write(QStringLiteral("here/ours.kvl"), savedFile(others));
    const QString path = m_dir->filePath(QStringLiteral("here/link/../ours.kvl"));

    QVERIFY(m_main->openSavedReading(path));
    QCOMPARE(inputs(m_main), kJohnAndAnn);

    guitest::unloadAll();
    m_main = guitest::showMainWindow();
    QVERIFY(m_main);
    auto *menu = m_main->findChild<QMenu *>(QStringLiteral("mnuRecent"));
    emit menu->aboutToShow();
    QVERIFY(menu->findChild<QAction *>(QStringLiteral("mnuClearRecent"))->isEnabled()); // one reading to clear
    menu->actions().constFirst()->trigger();
    QCOMPARE(inputs(m_main), kJohnAndAnn);

    // Named with "." or a doubled slash, a file is still the one file: it is listed once.
    for (const char *name : {"here/./ours.kvl", "here//ours.kvl", "here/ours.kvl"}) {
        if (frmSaveDocument *document = guitest::documentWindow(); document && document->isVisible())
            click(document, "cmdBack");
        QVERIFY(m_main->openSavedReading(m_dir->path() + QLatin1Char('/') + QLatin1String(name)));
    }
    QCOMPARE(recentEntries(), QStringList({"ours.kvl|" + m_dir->filePath(QStringLiteral("here/ours.kvl")),
                                           "ours.kvl|" + path, QStringLiteral("Clear")}));
}

QTEST_MAIN(tst_OpenReading)
#include "tst_openreading.moc"
