#include "documenttest.h"
#include "printcheck.h"

#include "gui/documents/readingprinter.h"

#include <QDateTime>
#include <QDir>
#include <QPrinterInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QRegularExpression>

#include <pwd.h>
#include <unistd.h>

using documenttest::click;

namespace {

// Where the PDF printer (cups-pdf) puts what it prints for this user: its "Out" folder, with
// ${HOME} the user's home as the system knows it, and the folder for anonymous jobs.
QStringList pdfPrinterFolders()
{
    QString out = QStringLiteral("/var/spool/cups-pdf/${USER}");
    QFile config(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (config.open(QIODevice::ReadOnly)) {
        static const QRegularExpression outLine(QStringLiteral("^Out\\s+(\\S.*)$"), QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = outLine.match(QString::fromLocal8Bit(config.readAll()));
        if (match.hasMatch())
            out = match.captured(1).trimmed();
    }
    const passwd *user = ::getpwuid(::getuid());
    if (user) {
        out.replace(QLatin1String("${HOME}"), QFile::decodeName(user->pw_dir));
        out.replace(QLatin1String("${USER}"), QFile::decodeName(user->pw_name));
    }
    return {out, QStringLiteral("/var/spool/cups-pdf/ANONYMOUS")};
}

QStringList pdfFilesIn(const QStringList &folders)
{
    QStringList files;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QString &name : dir.entryList({QStringLiteral("*.pdf")}, QDir::Files))
            files.append(dir.filePath(name));
    }
    return files;
}

} // namespace

// Printing on the real default printer through the print server: a queue that writes PDF files
// (cups-pdf), so the printed reading can be read back.
class tst_PrintCups : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void print_onDefaultPrinter_oneCompletedJobWithTheWholeReading();
    void print_queueRejectsJobs_saysSoWithTheServersReason();
    void print_printersButNoDefault_saysNoneIsTheDefault();
};

void tst_PrintCups::initTestCase()
{
    if (!documenttest::havePdfTools())
        QSKIP("pdftotext, pdfinfo and pdffonts (poppler-utils) are needed to read printed pages back");
    if (documenttest::runTool(QStringLiteral("lpstat"), {QStringLiteral("-r")}).trimmed() != QLatin1String("scheduler is running"))
        QSKIP("no print server (cupsd) is running: scripts/start-print-server.sh starts one with a PDF queue");
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        QSKIP("the print server has no default printer: scripts/start-print-server.sh makes its PDF queue the default");
    if (!printer.makeAndModel().contains(QLatin1String("PDF"), Qt::CaseInsensitive)
        && !documenttest::runTool(QStringLiteral("lpstat"), {QStringLiteral("-v"), printer.printerName()}).contains(QLatin1String("cups-pdf:")))
        QSKIP(qPrintable(QStringLiteral("the default printer %1 is not a PDF queue: what it prints cannot be read back")
                             .arg(printer.printerName())));
}

void tst_PrintCups::init()
{
    guitest::setUp();
    platform::setPrintOutputFile(QString());
    guitest::program().mainWindow()->show();
    QVERIFY(QTest::qWaitForWindowExposed(guitest::program().mainWindow()));
}

void tst_PrintCups::cleanup()
{
    guitest::unloadAll();
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

void tst_PrintCups::print_onDefaultPrinter_oneCompletedJobWithTheWholeReading()
{
    frmMain *main = guitest::program().mainWindow();
    documenttest::fillJohnAndAnn(main);
    main->cmdCR_Click();
    frmSaveDocument *document = guitest::documentWindow();
    const QString reading = document->RTB()->text();
    // The job's title names the PDF file; one of this run's own keeps it apart from other jobs.
    const QString title = QStringLiteral("Tovrin print test %1 %2")
                              .arg(QCoreApplication::applicationPid())
                              .arg(QDateTime::currentMSecsSinceEpoch());
    document->setWindowTitle(title);

    const QStringList folders = pdfPrinterFolders();
    const QStringList filesBefore = pdfFilesIn(folders);

    click(document, "cmdPrint");
    QCOMPARE(platform::MessageBox::shown().size(), 0);

    // Waiting for the print server, not timing it: a job takes as long as it takes. cups-pdf writes
    // one file per job, named after the job's title. (Not the count of completed jobs: a server
    // that keeps no more of them than it has already kept never adds one.)
    const QString fileTitle = QString(title).replace(QLatin1Char(' '), QLatin1Char('_'));
    QStringList printed;
    QTRY_VERIFY_WITH_TIMEOUT((printed = pdfFilesIn(folders).filter(fileTitle), !printed.isEmpty()), 120000);
    QCOMPARE(printed.size(), 1); // one job for the whole reading
    QVERIFY(!filesBefore.contains(printed.constFirst()));
    const QString pdf = printed.constFirst();
    // The file is there while the job is still being written into it (a queue that loses the
    // text is told below, with its remedy).
    (void)QTest::qWaitFor([&] { return documenttest::pdfText(pdf).contains(QLatin1String("Male Information")); }, 30000);

    // The whole reading and nothing else: no page number, header or footer.
    const QString text = documenttest::pdfText(pdf);
    QVERIFY2(text.contains(QLatin1String("Male Information")),
             "the printout's text cannot be read back: the PDF queue must convert with pdftocairo "
             "(lpadmin -p <queue> -o pdftops-renderer-default=pdftocairo); Ghostscript loses the text");
    QCOMPARE(documenttest::lettersWithoutLigatures(text), documenttest::lettersWithoutLigatures(reading));
    QCOMPARE(documenttest::pdfPages(pdf), 1);
    QFile::remove(pdf);
}

// A queue that takes no jobs (cupsreject) as this program's own default (LPDEST), so that the
// server's default printer and the other tests stay as they are.
void tst_PrintCups::print_queueRejectsJobs_saysSoWithTheServersReason()
{
    const QString queue = QStringLiteral("tovrin-test-rejecting-%1").arg(QCoreApplication::applicationPid());
    QProcess lpadmin;
    lpadmin.start(QStringLiteral("lpadmin"), {QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"),
                                              QStringLiteral("file:///dev/null")});
    if (!lpadmin.waitForFinished(60000) || lpadmin.exitCode() != 0)
        QSKIP("a print queue cannot be added here (lpadmin needs the print server's administrator)");
    const auto removeQueue = qScopeGuard([&] {
        qunsetenv("LPDEST");
        QProcess::execute(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue});
    });
    QCOMPARE(QProcess::execute(QStringLiteral("cupsreject"), {queue}), 0);
    qputenv("LPDEST", queue.toLocal8Bit());
    QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), queue);

    frmMain *main = guitest::program().mainWindow();
    documenttest::fillJohnAndAnn(main);
    main->cmdCR_Click();
    click(guitest::documentWindow(), "cmdPrint");

    QCOMPARE(platform::MessageBox::shown().size(), 1);
    QCOMPARE(platform::MessageBox::shown().constFirst().icon, QMessageBox::Warning);
    const QString text = platform::MessageBox::shown().constFirst().text;
    QVERIFY2(text.startsWith(QLatin1String("The reading could not be printed.\n\n")) && text.contains(queue),
             qPrintable(text));
    QVERIFY(guitest::documentWindow()->isVisible());
}

// The server's printers are there, but none is the default: this program's default (LPDEST)
// names a queue that does not exist.
void tst_PrintCups::print_printersButNoDefault_saysNoneIsTheDefault()
{
    qputenv("LPDEST", "tovrin-test-no-such-queue");
    const auto restore = qScopeGuard([] { qunsetenv("LPDEST"); });
    QVERIFY(QPrinterInfo::defaultPrinter().isNull());
    QVERIFY(!QPrinterInfo::availablePrinterNames().isEmpty());

    frmMain *main = guitest::program().mainWindow();
    documenttest::fillJohnAndAnn(main);
    main->cmdCR_Click();
    click(guitest::documentWindow(), "cmdPrint");

    QCOMPARE(platform::MessageBox::shown().size(), 1);
    QCOMPARE(platform::MessageBox::shown().constFirst().text,
             QStringLiteral("No printer is chosen as the default printer on this computer, so the reading cannot be printed."));
}

QTEST_MAIN(tst_PrintCups)
#include "tst_printcups.moc"
