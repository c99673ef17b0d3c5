#include "documenttest.h"
#include "printcheck.h"

#include "gui/documents/frmdisp.h"
#include "core/readings/validation.h"
#include "gui/documents/readingprinter.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

using documenttest::click;

// Printing through the output seam into a PDF file, read back with pdftotext. The print server is
// out of reach here (see main), so the default printer is missing, as on a computer without one.
class tst_PrintReading : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void print_document_wholeReadingAndNothingElse();
    void print_document_keepsTheEmphasis();
    void print_longReading_everyPageWithoutPageNumbers();
    void print_zoomedOnScreen_keepsTheBoxSize();
    void print_heldAccessKey_printsOnce();
    void print_doubleClicked_printsOnce();
    void print_fullNameBoxes_reachTheLastWord();
    void print_paragraphAcrossPages_everyLineOnce();
    void print_noPrinter_saysSo();
    void print_jobFails_saysSo();

private:
    frmMain *m_main = nullptr;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_pdf;
};

void tst_PrintReading::init()
{
    if (!documenttest::havePdfTools())
        QSKIP("pdftotext, pdfinfo and pdffonts (poppler-utils) are needed to read printed pages back");
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_pdf = m_dir->filePath(QStringLiteral("printed.pdf"));
    platform::setPrintOutputFile(m_pdf);
    m_main = guitest::showMainWindow();
    QVERIFY(m_main);
}

void tst_PrintReading::cleanup()
{
    platform::setPrintOutputFile(QString());
    guitest::unloadAll();
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

void tst_PrintReading::print_document_wholeReadingAndNothingElse()
{
    documenttest::fillJohnAndAnn(m_main);
    m_main->cmdCR_Click();
    frmSaveDocument *document = guitest::documentWindow();
    RichTextBox *rtb = document->RTB();
    const QString reading = rtb->text();
    rtb->setSelStart(20);
    rtb->setSelLength(15); // a selection does not limit what is printed

    click(document, "cmdPrint");

    QCOMPARE(platform::MessageBox::shown().size(), 0);
    QVERIFY(QFileInfo::exists(m_pdf));
    QCOMPARE(documenttest::pdfWords(m_pdf), documenttest::words(reading));
    QCOMPARE(rtb->selLength(), 0);
    QCOMPARE(rtb->text(), reading);
    QVERIFY(document->isVisible());
}

// Every name box at its longest: one unbroken word of many lines each. Laid out at the box's width
// on the printer, such a reading once took minutes.
void tst_PrintReading::print_fullNameBoxes_reachTheLastWord()
{
    for (const char *box : {"txtMF", "txtMM", "txtML", "txtFF", "txtFM", "txtFL"})
        guitest::setText(m_main, box, QString(readings::MaximumDetailLength, QLatin1Char('n')));
    m_main->cmdCR_Click();
    frmSaveDocument *document = guitest::documentWindow();
    const QStringList reading = documenttest::words(document->RTB()->text());
    click(document, "cmdPrint");

    QCOMPARE(platform::MessageBox::shown().size(), 0);
    const QStringList printed = documenttest::pdfWords(m_pdf);
    QVERIFY(printed.size() >= reading.size());
    QCOMPARE(printed.constLast(), reading.constLast());
}

// A name long enough that its paragraph runs over a page break: the line before the break is on the
// first page only, not also, out of sight, in the second page's text (which copying and searching
// find).
void tst_PrintReading::print_paragraphAcrossPages_everyLineOnce()
{
    QString name;
    for (int word = 0; name.size() < 8000; ++word)
        name += QStringLiteral("w%1 ").arg(word);
    documenttest::fillJohnAndAnn(m_main);
    guitest::setText(m_main, "txtMM", name);
    m_main->cmdCR_Click();
    frmSaveDocument *document = guitest::documentWindow();
    const QString reading = document->RTB()->text();
    click(document, "cmdPrint");

    QCOMPARE(platform::MessageBox::shown().size(), 0);
    QVERIFY(documenttest::pdfPages(m_pdf) >= 2);
    QCOMPARE(documenttest::pdfWords(m_pdf), documenttest::words(reading));
}

void tst_PrintReading::print_document_keepsTheEmphasis()
{
    documenttest::fillJohnAndAnn(m_main);
    m_main->cmdCR_Click();
    click(guitest::documentWindow(), "cmdPrint");

    // The partners' details are plain, the two sections bold: both kinds of letters are printed.
    const QStringList fonts = documenttest::pdfFonts(m_pdf);
    QVERIFY2(std::any_of(fonts.cbegin(), fonts.cend(), [](const QString &f) { return f.contains(QLatin1String("Bold")); }),
             qPrintable(fonts.join(QLatin1Char(' '))));
    QVERIFY2(std::any_of(fonts.cbegin(), fonts.cend(), [](const QString &f) { return !f.contains(QLatin1String("Bold")); }),
             qPrintable(fonts.join(QLatin1Char(' '))));
}

void tst_PrintReading::print_longReading_everyPageWithoutPageNumbers()
{
    // A reading window's text long enough for several pages; the numbers 1 to 3 appear nowhere in
    // it, so a page number would show up as an extra word.
    QString reading;
    for (int line = 0; line < 160; ++line)
        reading += QStringLiteral("Line %1 of a long reading that goes on and on\r\n").arg(QChar(u'a' + line % 26));
    frmDisp *disp = guitest::loadWindow<frmDisp>();
    disp->txtDisp()->setText(reading);
    platform::showModal(disp);

    click(disp, "cmdPrint");

    QCOMPARE(platform::MessageBox::shown().size(), 0);
    const int pages = documenttest::pdfPages(m_pdf);
    QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
    QCOMPARE(documenttest::pdfWords(m_pdf), documenttest::words(reading));
    for (int page = 1; page <= pages; ++page) {
        const QStringList onPage = documenttest::pdfWords(m_pdf, page);
        QVERIFY(!onPage.isEmpty());
        QCOMPARE(onPage.constFirst(), QStringLiteral("Line"));
        QCOMPARE(onPage.constLast(), QStringLiteral("on"));
    }
}

void tst_PrintReading::print_noPrinter_saysSo()
{
    platform::setPrintOutputFile(QString()); // the default printer, which this computer lacks
    documenttest::fillJohnAndAnn(m_main);
    m_main->cmdCR_Click();
    click(guitest::documentWindow(), "cmdPrint");

    QCOMPARE(platform::MessageBox::shown().size(), 1);
    QCOMPARE(platform::MessageBox::shown().constFirst().icon, QMessageBox::Warning);
    QVERIFY(platform::MessageBox::shown().constFirst().text.contains(QLatin1String("printer")));
    QVERIFY(guitest::documentWindow()->isVisible());
}

void tst_PrintReading::print_jobFails_saysSo()
{
    platform::setPrintOutputFile(m_dir->filePath(QStringLiteral("missing/printed.pdf")));
    documenttest::fillJohnAndAnn(m_main);
    m_main->cmdLP_Click();
    click(guitest::readingWindow(), "cmdPrint");

    QCOMPARE(platform::MessageBox::shown().size(), 1);
    QCOMPARE(platform::MessageBox::shown().constFirst().icon, QMessageBox::Warning);
    QCOMPARE(platform::MessageBox::shown().constFirst().text, QStringLiteral("The reading could not be printed."));
}

// Ctrl with the wheel enlarges the text on screen; the printout stays as it was.
void tst_PrintReading::print_zoomedOnScreen_keepsTheBoxSize()
{
    QString reading;
    for (int line = 0; line < 160; ++line)
        reading += QStringLiteral("Line %1 of a long reading that goes on and on\r\n").arg(line);
    frmDisp *disp = guitest::loadWindow<frmDisp>();
    disp->txtDisp()->setText(reading);
    platform::showModal(disp);
    click(disp, "cmdPrint");
    const int pages = documenttest::pdfPages(m_pdf);

    const qreal size = disp->txtDisp()->font().pointSizeF();
    QWidget *viewport = disp->txtDisp()->viewport();
    const QPoint middle = viewport->rect().center();
    QWheelEvent wheel(middle, viewport->mapToGlobal(middle), QPoint(), QPoint(0, 5 * 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
    QCOMPARE(disp->txtDisp()->font().pointSizeF(), size + 5);
    QVERIFY(QFile::remove(m_pdf));
    click(disp, "cmdPrint");

    QCOMPARE(platform::MessageBox::shown().size(), 0);
    QCOMPARE(documenttest::pdfPages(m_pdf), pages);
}

// Alt+P held down prints once: the key's repeats printed the reading again and again, a copy for
// every repeat while it was held.
void tst_PrintReading::print_heldAccessKey_printsOnce()
{
    frmDisp *disp = guitest::loadWindow<frmDisp>();
    disp->txtDisp()->setText(QStringLiteral("A reading\r\n"));
    platform::showModal(disp);
    disp->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(disp));
    QTest::keyClick(disp->txtDisp(), Qt::Key_P, Qt::AltModifier);
    QVERIFY(QFile::remove(m_pdf));
    for (int repeat = 0; repeat < 3; ++repeat) {
        QKeyEvent held(QEvent::KeyPress, Qt::Key_P, Qt::AltModifier, QStringLiteral("p"), true);
        QApplication::sendEvent(disp->txtDisp(), &held);
    }
    QVERIFY(!QFile::exists(m_pdf));
    QCOMPARE(platform::MessageBox::shown().size(), 0);
}

// The second click of a double-click on Print is no second print job.
void tst_PrintReading::print_doubleClicked_printsOnce()
{
    documenttest::fillJohnAndAnn(m_main);
    m_main->cmdLP_Click();
    QWidget *print = guitest::child<QWidget>(guitest::readingWindow(), "cmdPrint");
    const QPoint centre = print->rect().center();
    QTest::mouseClick(print, Qt::LeftButton, {}, centre);
    QVERIFY(QFile::remove(m_pdf));
    guitest::finishDoubleClick(print, centre);
    QVERIFY(!QFile::exists(m_pdf));
}

int main(int argc, char *argv[])
{
    // No print server can be reached, whatever runs on this computer.
    qputenv("CUPS_SERVER", "/nonexistent/tovrin-test-cups.sock");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QApplication application(argc, argv);
    tst_PrintReading test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printreading.moc"
