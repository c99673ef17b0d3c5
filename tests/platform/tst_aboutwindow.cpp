#include "../common/browsercatcher.h"
#include "../common/guitest.h"
#include "../common/looktest.h"

#include "gui/app/frmmain.h"
#include "gui/app/aboutwindow.h"
#include "gui/platform/look.h"
#include "gui/platform/weblinks.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <QUrl>

using guitest::child;

class tst_AboutWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void aboutEntry_showsItModallyOverTheMainWindow();
    void caption_clientArea_whiteBackground();
    void controls_placedAsDesigned_data();
    void controls_placedAsDesigned();
    void controls_fontsAndColoursAsDesigned_data();
    void controls_fontsAndColoursAsDesigned();
    void texts_beginWithTheirOpeningWords_data();
    void texts_beginWithTheirOpeningWords();
    void picture_isTheProgramIcon_lineIsHorizontal();
    void tabOrder_okFirst_linksShowPointingHand();
    void leaving_unloadsAndKeepsMainWindowInput_data();
    void leaving_unloadsAndKeepsMainWindowInput();
    void links_openTheirPages_windowStaysOpen_data();
    void links_openTheirPages_windowStaysOpen();
    void secondRequest_whileOpen_sameWindow_afterUnload_freshWindow();
    void quitting_unloadsIt();
    void screenshot_hasDesignedSize();

private:
    frmAbout *openAbout();

    frmMain *m_main = nullptr;
    BrowserCatcher m_urls;
};

void tst_AboutWindow::initTestCase()
{
    platform::installProgramLook();
}

void tst_AboutWindow::init()
{
    m_urls.urls.clear();
    m_main = guitest::showMainWindow();
    QVERIFY(m_main);
}

void tst_AboutWindow::cleanup()
{
    guitest::unloadAll();
    QVERIFY(!guitest::aboutWindow());
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

// Opens the About window as the Help menu's entry does.
frmAbout *tst_AboutWindow::openAbout()
{
    m_main->findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
    frmAbout *about = guitest::aboutWindow();
    if (about && !QTest::qWaitForWindowExposed(about))
        return nullptr;
    return about;
}

void tst_AboutWindow::aboutEntry_showsItModallyOverTheMainWindow()
{
    frmAbout *about = openAbout();
    QVERIFY(about);
    QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(guitest::modalWindows().size(), 1);
    QCOMPARE(guitest::modalWindows().constFirst().data(), about);
    QVERIFY(about->isModal());
    QCOMPARE(about->parentWidget(), m_main);
}

void tst_AboutWindow::caption_clientArea_whiteBackground()
{
    frmAbout *about = openAbout();
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), QStringLiteral("Tovrin v1.65"));
    QCOMPARE(about->size(), QSize(501, 231)); // 7515 x 3465 twips
    QCOMPARE(about->minimumSize(), about->maximumSize());
    QCOMPARE(about->palette().color(QPalette::Window), QColor(255, 255, 255));
}

void tst_AboutWindow::controls_placedAsDesigned_data()
{
    QTest::addColumn<QRect>("expected");
    QTest::newRow("cmdOK") << looktest::fromTwips(6135, 3030, 1260, 345);
    QTest::newRow("lblHomePage") << looktest::fromTwips(3345, 1815, 4050, 195);
    QTest::newRow("Label3") << looktest::fromTwips(120, 2070, 7275, 435);
    QTest::newRow("lblCoBrand") << looktest::fromTwips(5100, 2505, 2295, 195);
    QTest::newRow("Label2") << looktest::fromTwips(720, 120, 4935, 240);
    QTest::newRow("Label1") << looktest::fromTwips(750, 390, 6645, 1425);
    QTest::newRow("Picture1") << looktest::fromTwips(150, 120, 480, 480);
}

void tst_AboutWindow::controls_placedAsDesigned()
{
    QFETCH(QRect, expected);
    frmAbout *about = openAbout();
    QVERIFY(about);
    auto *control = child<QWidget>(about, QTest::currentDataTag());
    QCOMPARE(control->parentWidget(), about);
    QCOMPARE(control->geometry(), expected);
}

void tst_AboutWindow::controls_fontsAndColoursAsDesigned_data()
{
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QColor>("background"); // invalid: the window's white shows through

    const QColor none;
    QTest::newRow("lblHomePage") << 8.25 << false << true << none;
    QTest::newRow("Label3") << 8.25 << true << false << none;
    QTest::newRow("lblCoBrand") << 8.25 << false << true << none;
    QTest::newRow("Label2") << 9.75 << true << false << QColor(255, 255, 255);
    QTest::newRow("Label1") << 8.25 << false << false << QColor(255, 255, 128);
}

void tst_AboutWindow::controls_fontsAndColoursAsDesigned()
{
    QFETCH(qreal, pointSize);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    QFETCH(QColor, background);

    frmAbout *about = openAbout();
    QVERIFY(about);
    auto *control = child<QWidget>(about, QTest::currentDataTag());
    QCOMPARE(control->font().family(), platform::windowFont().family());
    QCOMPARE(control->font().pointSizeF(), pointSize);
    QCOMPARE(control->font().bold(), bold);
    QCOMPARE(control->font().underline(), underline);
    QCOMPARE(control->palette().color(QPalette::WindowText), QColor(64, 64, 0));
    QCOMPARE(control->autoFillBackground(), background.isValid());
    QCOMPARE(control->palette().color(QPalette::Window), background.isValid() ? background : QColor(Qt::white));
}

void tst_AboutWindow::texts_beginWithTheirOpeningWords_data()
{
    QTest::addColumn<QString>("opening");
    QTest::addColumn<bool>("whole");
    const QString site = platform::webPageAddress(platform::WebPage::Home).host();
    QTest::newRow("lblHomePage") << QStringLiteral("Click here to visit ") + site << true;
    QTest::newRow("Label3") << QStringLiteral("Home Business Opportunity. Start your own Internet business") << false;
    QTest::newRow("lblCoBrand") << QStringLiteral("Click here for more details") << true;
    QTest::newRow("Label2") << QStringLiteral("Tovrin v1.65") << true;
    QTest::newRow("Label1") << QStringLiteral("Tovrin is based on the Pythagorean system of numerology.") << false;
}

void tst_AboutWindow::texts_beginWithTheirOpeningWords()
{
    QFETCH(QString, opening);
    QFETCH(bool, whole);
    frmAbout *about = openAbout();
    QVERIFY(about);
    auto *label = child<QLabel>(about, QTest::currentDataTag());
    QCOMPARE(label->textFormat(), Qt::PlainText);
    if (whole)
        QCOMPARE(label->text(), opening);
    else
        QVERIFY2(label->text().startsWith(opening), qPrintable(label->text()));
}

void tst_AboutWindow::picture_isTheProgramIcon_lineIsHorizontal()
{
    frmAbout *about = openAbout();
    QVERIFY(about);
    auto *picture = child<QLabel>(about, "Picture1");
    QCOMPARE(picture->pixmap().toImage(), platform::programPixmap().toImage());
    QCOMPARE(picture->pixmap().size(), QSize(32, 32));
    QCOMPARE(picture->palette().color(QPalette::Window), QApplication::palette(picture).color(QPalette::Window));

    auto *line = child<QFrame>(about, "Line1");
    QCOMPARE(line->frameShape(), QFrame::HLine);
    QCOMPARE(line->geometry(), QRect(-4, 194, 508, 1)); // (-60, 2910) to (7560, 2910)
    const QImage drawn = about->grab().toImage();
    for (int x : {0, 250, 500})
        QCOMPARE(QColor(drawn.pixel(x, 194)), QApplication::palette(line).color(QPalette::WindowText));
    QCOMPARE(about->windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
             platform::programPixmap().toImage().convertToFormat(QImage::Format_ARGB32));
}

void tst_AboutWindow::tabOrder_okFirst_linksShowPointingHand()
{
    frmAbout *about = openAbout();
    QVERIFY(about);
    QCOMPARE(looktest::tabChain(about, child<QWidget>(about, "cmdOK")),
             (QStringList{"cmdOK", "lblHomePage", "lblCoBrand"}));
    QCOMPARE(about->focusWidget(), child<QWidget>(about, "cmdOK"));
    for (const char *name : {"lblHomePage", "lblCoBrand"})
        QCOMPARE(child<QWidget>(about, name)->cursor().shape(), Qt::PointingHandCursor);
}

void tst_AboutWindow::leaving_unloadsAndKeepsMainWindowInput_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("OK button") << QStringLiteral("ok");
    QTest::newRow("Enter") << QStringLiteral("enter");
    QTest::newRow("close box") << QStringLiteral("close");
    QTest::newRow("Escape") << QStringLiteral("escape");
}

void tst_AboutWindow::leaving_unloadsAndKeepsMainWindowInput()
{
    QFETCH(QString, how);
    guitest::setText(m_main, "txtMF", QStringLiteral("Ann"));
    guitest::pick(m_main, "cboFM", QStringLiteral("May"));

    QPointer<frmAbout> about = openAbout();
    QVERIFY(about);
    if (how == QLatin1String("ok"))
        QTest::mouseClick(child<QPushButton>(about, "cmdOK"), Qt::LeftButton);
    else if (how == QLatin1String("enter"))
        QTest::keyClick(about, Qt::Key_Return);
    else if (how == QLatin1String("close"))
        QVERIFY(about->close());
    else
        QTest::keyClick(about, Qt::Key_Escape);

    QVERIFY(!about->isVisible());
    QVERIFY(!guitest::aboutWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(about.isNull());
    QVERIFY(m_main->isVisible());
    QCOMPARE(child<QLineEdit>(m_main, "txtMF")->text(), QStringLiteral("Ann"));
    QCOMPARE(child<QComboBox>(m_main, "cboFM")->currentText(), QStringLiteral("May"));
    QCOMPARE(guitest::quitCount(), 0);
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList{QStringLiteral("frmMain")});
}

void tst_AboutWindow::links_openTheirPages_windowStaysOpen_data()
{
    QTest::addColumn<QUrl>("page");
    QTest::newRow("lblHomePage") << platform::webPageAddress(platform::WebPage::Home);
    QTest::newRow("lblCoBrand") << platform::webPageAddress(platform::WebPage::FullBrand);
}

void tst_AboutWindow::links_openTheirPages_windowStaysOpen()
{
    QFETCH(QUrl, page);
    frmAbout *about = openAbout();
    QVERIFY(about);
    QTest::mouseClick(child<QWidget>(about, QTest::currentDataTag()), Qt::LeftButton);
    QCOMPARE(m_urls.urls, QList<QUrl>{page});
    QCOMPARE(guitest::aboutWindow(), about);
    QVERIFY(about->isVisible());
}

void tst_AboutWindow::secondRequest_whileOpen_sameWindow_afterUnload_freshWindow()
{
    frmAbout *first = openAbout();
    QVERIFY(first);
    QCOMPARE(openAbout(), first);

    first->unload();
    QVERIFY(!guitest::aboutWindow());
    first->unload(); // unloaded already: nothing happens

    frmAbout *second = openAbout();
    QVERIFY(second);
    QVERIFY(second->isVisible());
    QCOMPARE(child<QLabel>(second, "Label2")->text(), QStringLiteral("Tovrin v1.65"));
}

void tst_AboutWindow::quitting_unloadsIt()
{
    QPointer<frmAbout> about = openAbout();
    QVERIFY(about);
    guitest::unloadAll();
    QVERIFY(about.isNull());
    QCOMPARE(guitest::quitCount(), 1);
}

void tst_AboutWindow::screenshot_hasDesignedSize()
{
    frmAbout *about = openAbout();
    QVERIFY(about);
    QCOMPARE(looktest::saveScreenshot(about, QStringLiteral("frmAbout")), QSize(501, 231));
}

QTEST_MAIN(tst_AboutWindow)
#include "tst_aboutwindow.moc"
