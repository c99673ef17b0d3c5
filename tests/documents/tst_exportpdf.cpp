#include "documenttest.h"
#include "printcheck.h"

#include "core/documents/exportnames.h"
#include "core/readings/reading.h"
#include "gui/documents/readingpdf.h"
#include "gui/documents/richtextbox.h"

#include <QAction>
#include <QTemporaryDir>

#include <memory>

using documenttest::fileBytes;

namespace {

// The words of a PDF file. pdftotext wraps right-to-left text in embedding marks, which are no part
// of the reading.
QStringList pdfWords(const QString &pdf)
{
    static const QRegularExpression embedding(QStringLiteral("[\\x{202A}-\\x{202E}]"));
    return documenttest::words(documenttest::pdfText(pdf).remove(embedding));
}

// The link targets of a PDF file, as pdfinfo lists its link annotations.
QStringList pdfLinks(const QString &pdf)
{
    QStringList urls;
    const QStringList lines = documenttest::runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-url"), pdf})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines.mid(1)) // after the heading
        urls.append(line.simplified().section(QLatin1Char(' '), 2));
    return urls;
}

QString pdfInfo(const QString &pdf, const QString &field)
{
    const QStringList lines = documenttest::runTool(QStringLiteral("pdfinfo"), {pdf}).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).trimmed();
    }
    return QString();
}

} // namespace

class tst_ExportPdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void export_holdsTheDocumentItsLinksAndTitle_data();
    void export_holdsTheDocumentItsLinksAndTitle();
    void export_checksTheInputAsTheComprehensiveReadingDoes();
    void export_asksForAFileAndCancelDoesNothing();
    void export_failure_tellsTheFileAndWhy();
    void export_longAddressInAnotherScript_staysALink();
    void export_lineBreaksAtTheEnd_makeNoBlankPage();
    void export_nameWithoutPdf_getsIt_askingBeforeReplacingThatFile_data();
    void export_nameWithoutPdf_getsIt_askingBeforeReplacingThatFile();
    void suggestedFileName_replacesWhatCannotStandInAFileName_data();
    void suggestedFileName_replacesWhatCannotStandInAFileName();
    void wrapping_atWordsUnlessAWordOutgrowsEveryLine_data();
    void wrapping_atWordsUnlessAWordOutgrowsEveryLine();

private:
    void exportTo(const QString &path);

    frmMain *m_main = nullptr;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_ExportPdf::initTestCase()
{
    if (!documenttest::havePdfTools())
        QSKIP("pdftotext and pdfinfo (poppler-utils) are needed");
}

void tst_ExportPdf::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_main = documenttest::showMainWindowAfresh();
    QVERIFY(m_main);
}

void tst_ExportPdf::cleanup()
{
    guitest::unloadAll();
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

void tst_ExportPdf::exportTo(const QString &path)
{
    platform::FileDialog::setNextFileName(path);
    m_main->findChild<QAction *>(QStringLiteral("mnuExportPdf"))->trigger();
}

void tst_ExportPdf::export_holdsTheDocumentItsLinksAndTitle_data()
{
    QTest::addColumn<QStringList>("male");
    QTest::addColumn<QStringList>("female");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("links");

    QTest::newRow("plain names, no link") << QStringList{"John", "Paul", "Smith"} << QStringList{"Ann", "", "Lee"}
                                          << "Tovrin reading: John Paul Smith and Ann Lee" << QStringList();
    QTest::newRow("web addresses in the names")
        << QStringList{"John", "www.example.org", "Smith"} << QStringList{"Ann", "", "https://a.example/x?y=1"}
        << "Tovrin reading: John www.example.org Smith and Ann https://a.example/x?y=1"
        << QStringList{"http://www.example.org", "https://a.example/x?y=1"};
    QTest::newRow("addresses that never open") << QStringList{"file:///etc/passwd", "", "Smith"}
                                               << QStringList{"javascript:alert(1)", "", "Lee"}
                                               << "Tovrin reading: file:///etc/passwd Smith and javascript:alert(1) Lee"
                                               << QStringList();
    // The file keeps its own structure: a bracket in an address must not end the link early.
    QTest::newRow("brackets in an address")
        << QStringList{"John", "https://a.example/x)/S/JavaScript/JS(app.alert(1))", "Smith"}
        << QStringList{"Ann", "", "Lee"}
        << "Tovrin reading: John https://a.example/x)/S/JavaScript/JS(app.alert(1)) Smith and Ann Lee"
        << QStringList{"https://a.example/x%29/S/JavaScript/JS%28app.alert%281%29"};
    QTest::newRow("names in several scripts")
        << QStringList{QString::fromUtf8("Søren"), "", QString::fromUtf8("Ødegaard")}
        << QStringList{QString::fromUtf8("Αθηνά"), QString::fromUtf8("Мария"), QString::fromUtf8("שרה")}
        << QString::fromUtf8("Tovrin reading: Søren Ødegaard and Αθηνά Мария שרה") << QStringList();
}

void tst_ExportPdf::export_holdsTheDocumentItsLinksAndTitle()
{
    QFETCH(QStringList, male);
    QFETCH(QStringList, female);
    QFETCH(QString, title);
    QFETCH(QStringList, links);

    guitest::fillCouple(m_main, male, QStringLiteral("March 5 1970"), female, QStringLiteral("July 12 1972"));
    const readings::PartnerDetails before = m_main->details();
    const QString path = m_dir->filePath(QStringLiteral("reading.pdf"));
    exportTo(path);

    QCOMPARE(platform::MessageBox::shown().size(), 0);
    QVERIFY(fileBytes(path).startsWith("%PDF-"));
    // The same words as the document window shows, in the same order, and nothing else.
    QCOMPARE(pdfWords(path), documenttest::words(readings::comprehensiveReading(before).text()));
    QCOMPARE(pdfInfo(path, QStringLiteral("Title")), title);
    QCOMPARE(pdfInfo(path, QStringLiteral("Creator")), QStringLiteral("Tovrin v1.65"));
    QCOMPARE(pdfLinks(path), links);
    // Exporting changes no input and shows no window.
    QVERIFY(m_main->details() == before);
    QVERIFY(guitest::modalWindows().isEmpty());
}

void tst_ExportPdf::export_checksTheInputAsTheComprehensiveReadingDoes()
{
    documenttest::fillJohnAndAnn(m_main);
    guitest::setText(m_main, "txtFL", QStringLiteral(" "));
    guitest::pick(m_main, "cboMM", QStringLiteral("February"));
    guitest::pick(m_main, "cboMD", QStringLiteral("30"));
    m_main->findChild<QAction *>(QStringLiteral("mnuExportPdf"))->trigger();

    QCOMPARE(platform::MessageBox::shown().size(), 1);
    QCOMPARE(platform::MessageBox::shown().constFirst().text, QStringLiteral("Female: Last Name cannot be blank"));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtFL"));
    QCOMPARE(platform::FileDialog::asked().size(), 0);

    platform::MessageBox::shown().clear();
    guitest::setText(m_main, "txtFL", QStringLiteral("Lee"));
    m_main->findChild<QAction *>(QStringLiteral("mnuExportPdf"))->trigger();
    QCOMPARE(platform::MessageBox::shown().size(), 1);
    QCOMPARE(platform::MessageBox::shown().constFirst().text,
             QStringLiteral("Please Enter Your Correct Date Or Month!"));
    QCOMPARE(platform::FileDialog::asked().size(), 0);
}

void tst_ExportPdf::export_asksForAFileAndCancelDoesNothing()
{
    documenttest::fillJohnAndAnn(m_main);
    exportTo(QString()); // Cancel

    QCOMPARE(platform::FileDialog::asked().size(), 1);
    const platform::FileDialog::Asked asked = platform::FileDialog::asked().constFirst();
    QVERIFY(asked.save);
    QCOMPARE(asked.options.title, QStringLiteral("Export as PDF"));
    QCOMPARE(asked.options.filter, QStringLiteral("PDF files (*.pdf)"));
    QCOMPARE(asked.options.defaultSuffix, QStringLiteral("pdf"));
    QCOMPARE(asked.options.suggestedName, QStringLiteral("John and Ann.pdf"));
    QCOMPARE(platform::MessageBox::shown().size(), 0);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void tst_ExportPdf::export_nameWithoutPdf_getsIt_askingBeforeReplacingThatFile_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("earlierFile");                  // the written name holds a file already
    QTest::addColumn<QMessageBox::StandardButton>("answer"); // to the question whether to replace it
    QTest::newRow("gains .pdf") << "J.Smith" << "J.Smith.pdf" << false << QMessageBox::NoButton;
    QTest::newRow("ends in .PDF already") << "Ours.PDF" << "Ours.PDF" << false << QMessageBox::NoButton;
    QTest::newRow("gains .pdf: replaced") << "J.Smith" << "J.Smith.pdf" << true << QMessageBox::Yes;
    QTest::newRow("gains .pdf: kept") << "J.Smith" << "J.Smith.pdf" << true << QMessageBox::No;
}

void tst_ExportPdf::export_nameWithoutPdf_getsIt_askingBeforeReplacingThatFile()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(bool, earlierFile);
    QFETCH(QMessageBox::StandardButton, answer);
    const QByteArray earlier = QByteArrayLiteral("an earlier file");
    if (earlierFile)
        QVERIFY(documenttest::writeFile(m_dir->filePath(written), earlier));
    if (answer != QMessageBox::NoButton)
        platform::MessageBox::setNextAnswer(answer);

    documenttest::fillJohnAndAnn(m_main);
    exportTo(m_dir->filePath(chosen));

    QCOMPARE(platform::MessageBox::shown().size(), earlierFile ? 1 : 0);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{written});
    QCOMPARE(fileBytes(m_dir->filePath(written)).startsWith("%PDF-"), answer != QMessageBox::No);
}

// Written out, an address of Cyrillic letters is six times as long as on screen.
void tst_ExportPdf::export_longAddressInAnotherScript_staysALink()
{
    const QString address = QStringLiteral("https://example.com/") + QString(200, QChar(0x436));
    guitest::fillCouple(m_main, {"John", address, "Smith"}, QStringLiteral("March 5 1970"), {"Ann", "", "Lee"},
                        QStringLiteral("July 12 1972"));
    const QString path = m_dir->filePath(QStringLiteral("reading.pdf"));
    exportTo(path);
    const QStringList links = pdfLinks(path); // one for each line the address runs over
    QVERIFY(!links.isEmpty());
    for (const QString &link : links)
        QCOMPARE(link, QStringLiteral("https://example.com/") + QStringLiteral("%D0%B6").repeated(200));
}

// The Comprehensive reading ends in line breaks. Where they do not fit below its last words, they
// made a last page with nothing on it.
void tst_ExportPdf::export_lineBreaksAtTheEnd_makeNoBlankPage()
{
    const auto reading = [](int lines, const QString &end) {
        QStringList text;
        for (int line = 1; line <= lines; ++line)
            text.append(QStringLiteral("Line %1").arg(line));
        readings::Reading lined;
        lined.runs = {{text.join(QStringLiteral("\r\n")) + end, false}};
        return lined;
    };
    const QString path = m_dir->filePath(QStringLiteral("reading.pdf"));
    // As many lines as a page holds in this computer's font: the second page starts with the next.
    QVERIFY(documenttest::writeFile(path, documents::readingPdf(reading(200, QString()), QStringLiteral("Reading"))));
    const int perPage = documenttest::pdfWords(path, 2).value(1).toInt() - 1;
    QVERIFY2(perPage > 10, qPrintable(QString::number(perPage)));

    for (int lines : {perPage - 3, perPage}) {
        const readings::Reading ending = reading(lines, QStringLiteral("\r\n\r\n\r\n\r\n"));
        QVERIFY(documenttest::writeFile(path, documents::readingPdf(ending, QStringLiteral("Reading"))));
        QCOMPARE(documenttest::pdfPages(path), 1);
        QCOMPARE(pdfWords(path), documenttest::words(ending.text()));
    }
}

void tst_ExportPdf::export_failure_tellsTheFileAndWhy()
{
    documenttest::fillJohnAndAnn(m_main);
    const QString missing = m_dir->filePath(QStringLiteral("missing/reading.pdf"));
    exportTo(missing);
    QCOMPARE(platform::MessageBox::shown().size(), 1);
    QVERIFY2(platform::MessageBox::shown().constFirst().text.startsWith(
                 QStringLiteral("The reading could not be exported to \"%1\".\n\n").arg(missing)),
             qPrintable(platform::MessageBox::shown().constFirst().text));
    // The file goes through the same all-or-nothing writer as Save, whose tests fill the disk and
    // take the folder away.
}

void tst_ExportPdf::suggestedFileName_replacesWhatCannotStandInAFileName_data()
{
    QTest::addColumn<QString>("male");
    QTest::addColumn<QString>("female");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "John" << "Ann" << "John and Ann.pdf";
    QTest::newRow("slashes and reserved characters") << "A/B\\C" << "D:*?\"<>|E" << "A_B_C and D_______E.pdf";
    QTest::newRow("control and format characters") << QString::fromUtf8("Jo\thn\u202E") << "Ann"
                                                   << "Jo_hn_ and Ann.pdf";
    QTest::newRow("a hidden file") << ".John" << "Ann" << "_John and Ann.pdf";
    QTest::newRow("other scripts stay") << QString::fromUtf8("Αθηνά") << QString::fromUtf8("שרה")
                                        << QString::fromUtf8("Αθηνά and שרה.pdf");
    QTest::newRow("long names shortened") << QString(40, QLatin1Char('a')) << QString(40, QLatin1Char('b'))
                                          << QString(30, QLatin1Char('a')) + " and " + QString(30, QLatin1Char('b'))
                                                 + ".pdf";
    QTest::newRow("an emoji cut by the shortening") << QString(29, QLatin1Char('a')) + QString::fromUtf8("\U0001F600")
                                                    << "Ann" << QString(29, QLatin1Char('a')) + " and Ann.pdf";
}

void tst_ExportPdf::suggestedFileName_replacesWhatCannotStandInAFileName()
{
    QFETCH(QString, male);
    QFETCH(QString, female);
    QFETCH(QString, expected);
    readings::PartnerDetails details;
    details.MaleFirstName = male;
    details.FemaleFirstName = female;
    QCOMPARE(documents::suggestedExportFileName(details), expected);
}

void tst_ExportPdf::wrapping_atWordsUnlessAWordOutgrowsEveryLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("anywhere");
    QTest::newRow("an ordinary name") << "Mary Ann Lee" << false;
    QTest::newRow("1,000 letters") << QString(1000, QLatin1Char('n')) << false;
    QTest::newRow("1,001 letters") << QString(1001, QLatin1Char('n')) << true;
    QTest::newRow("long, but in words") << (QString(300, QLatin1Char('n')) + QLatin1Char(' ')).repeated(100)
                                        << false;
    QTest::newRow("a name box full") << QString(32767, QLatin1Char('n')) << true;
}

void tst_ExportPdf::wrapping_atWordsUnlessAWordOutgrowsEveryLine()
{
    QFETCH(QString, name);
    QFETCH(bool, anywhere);
    readings::PartnerDetails details = readings::PartnerDetails::fromList(
        {"John", "", "Smith", "Ann", "", "Lee", "March", "5", "1970", "July", "12", "1972"});
    details.MaleMiddleName = name;
    QCOMPARE(documents::wrapModeFor(readings::comprehensiveReading(details).runs),
             anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
}

QTEST_MAIN(tst_ExportPdf)
#include "tst_exportpdf.moc"
