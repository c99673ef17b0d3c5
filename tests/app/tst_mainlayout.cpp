#include "../common/browsercatcher.h"
#include "../common/guitest.h"
#include "../common/looktest.h"

#include "gui/app/frmmain.h"
#include "gui/app/mainwindowlayout.h"
#include "gui/platform/look.h"
#include "gui/platform/weblinks.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QTest>

#include <memory>
#include <QUrl>

using guitest::child;

class tst_MainLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controls_placedAsDesignedInTheirContainers_data();
    void controls_placedAsDesignedInTheirContainers();
    void clientArea_designedSize_windowNotResizable();
    void fonts_asDesigned_frameFontsStayOnFrames_data();
    void fonts_asDesigned_frameFontsStayOnFrames();
    void dateLists_openInTheirOwnFont();
    void colours_asDesigned_frameCaptionColourStaysOnFrames_data();
    void colours_asDesigned_frameCaptionColourStaysOnFrames();
    void linkLabels_underlinedWithPointingHand();
    void titleAndAdvertisements_centred();
    void tabOrder_followsTabIndexes_hiddenMarriageDateKeepsItsPlace();
    void tabKey_startsInMaleFirstNameAndMovesOn();
    void dateList_withAnEntryPicked_screenReaderStillSaysWhatItIs_data();
    void dateList_withAnEntryPicked_screenReaderStillSaysWhatItIs();
    void linkLabel_followedFromKeyboardAndScreenReader_clickKeepsFocus_data();
    void linkLabel_followedFromKeyboardAndScreenReader_clickKeepsFocus();
    void accessKey_menuBarEntryRunsIt();
    void advertisement_oddDrawCobrand_evenDrawFullBrand_data();
    void advertisement_oddDrawCobrand_evenDrawFullBrand();
    void advertisementDraws_wholeNumbersOneToSix_bothAdvertisementsOccur();
    void atStart_exactlyOneAdvertisementVisible();
    void window_showsProgramIcon();
    void screenshot_hasDesignedSize();

private:
    frmMain *m_main = nullptr;
    BrowserCatcher m_urls;
};

void tst_MainLayout::initTestCase()
{
    platform::installProgramLook();
}

void tst_MainLayout::init()
{
    m_urls.urls.clear();
    m_main = guitest::showMainWindow();
    QVERIFY(m_main);
}

void tst_MainLayout::cleanup()
{
    guitest::unloadAll();
    QVERIFY(!guitest::mainWindow());
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

void tst_MainLayout::controls_placedAsDesignedInTheirContainers_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("expected");

    struct Row {
        const char *name, *container;
        int left, top, width, height;
    };
    const Row rows[] = {
        {"Label11", "centralWidget", 2047, 90, 6390, 345},
        {"cmdOpen", "centralWidget", 1132, 520, 8220, 345},
        {"Frame2", "centralWidget", 0, 960, 5235, 705},
        {"Frame1", "centralWidget", 5250, 960, 5235, 705},
        {"fraM", "centralWidget", 0, 1680, 5235, 2295},
        {"fraF", "centralWidget", 5250, 1680, 5235, 2295},
        {"cmdExit", "centralWidget", 60, 4020, 1035, 375},
        {"cmdCR", "centralWidget", 1935, 4020, 2835, 375},
        {"cmdLP", "centralWidget", 4785, 4020, 2835, 375},
        {"cmdD", "centralWidget", 7650, 4020, 2835, 375},
        {"fraFullBrand", "centralWidget", 120, 4440, 7185, 855},
        {"Command3", "centralWidget", 8160, 4680, 1092, 312},
        {"cmdNav", "centralWidget", 9300, 4680, 1092, 312},
        {"Label3", "centralWidget", 2970, 7020, 1215, 195},
        {"cboMMD", "centralWidget", 4230, 6930, 975, 315},
        {"cboMMM", "centralWidget", 5250, 6930, 1605, 315},
        {"cboMMY", "centralWidget", 6900, 6930, 1125, 315},
        {"Label61", "Frame2", 90, 180, 4440, 390},
        {"Label14", "Frame1", 180, 180, 4965, 435},
        {"Label1", "fraM", 60, 450, 1080, 195},
        {"Label4", "fraM", 90, 960, 1095, 195},
        {"Label5", "fraM", 120, 1470, 1065, 195},
        {"Label2", "fraM", 90, 1920, 1095, 195},
        {"txtMF", "fraM", 1350, 360, 3795, 345},
        {"txtMM", "fraM", 1350, 840, 3795, 345},
        {"txtML", "fraM", 1350, 1350, 3795, 345},
        {"cboMM", "fraM", 1350, 1800, 1605, 315},
        {"cboMD", "fraM", 3000, 1800, 975, 315},
        {"cboMY", "fraM", 4020, 1800, 1125, 315},
        {"Label10", "fraF", 60, 450, 1080, 195},
        {"Label9", "fraF", 90, 960, 1095, 195},
        {"Label8", "fraF", 120, 1470, 1065, 195},
        {"Label7", "fraF", 90, 1920, 1095, 195},
        {"txtFF", "fraF", 1350, 330, 3795, 345},
        {"txtFM", "fraF", 1350, 840, 3795, 345},
        {"txtFL", "fraF", 1350, 1350, 3795, 345},
        {"cboFM", "fraF", 1350, 1800, 1605, 315},
        {"cboFD", "fraF", 3000, 1800, 975, 315},
        {"cboFY", "fraF", 4020, 1800, 1125, 315},
        {"lblCobrand", "fraFullBrand", 120, 160, 6945, 615},
        {"lblFullBrand", "fraFullBrand", 120, 165, 6945, 615},
    };
    for (const Row &r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.container) << looktest::fromTwips(r.left, r.top, r.width, r.height);
}

void tst_MainLayout::controls_placedAsDesignedInTheirContainers()
{
    QFETCH(QString, container);
    QFETCH(QRect, expected);

    auto *control = child<QWidget>(m_main, QTest::currentDataTag());
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->geometry(), expected);
}

void tst_MainLayout::clientArea_designedSize_windowNotResizable()
{
    QWidget *client = m_main->centralWidget();
    QCOMPARE(client->size(), QSize(699, 355)); // 10485 x 5325 twips
    QCOMPARE(client->pos().y(), m_main->menuBar()->height());
    QCOMPARE(m_main->size(), QSize(699, 355 + m_main->menuBar()->height()));
    QCOMPARE(m_main->minimumSize(), m_main->size());
    QCOMPARE(m_main->maximumSize(), m_main->size());
    // The marriage date lies below the client area, out of sight.
    QVERIFY(!client->rect().intersects(child<QWidget>(m_main, "cboMMD")->geometry()));
}

void tst_MainLayout::fonts_asDesigned_frameFontsStayOnFrames_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");

    // The face that stands for each designed face here: the face itself, or the installed stand-in.
    const QString verdana = platform::designFont(platform::kVerdana, 8.25).family();
    auto row = [&](const char *name, qreal size, bool bold, bool underline, const QString &family) {
        QTest::newRow(name) << family << size << bold << underline;
    };
    row("centralWidget", 8.25, false, false, verdana); // the window's font
    row("Label11", 14.25, true, false, verdana);
    row("cmdOpen", 9.75, true, false, verdana);
    for (const char *frame : {"Frame2", "Frame1", "fraM", "fraF"})
        row(frame, 8.25, true, false, verdana);
    row("Command3", 8.25, true, false, platform::designFont(platform::kMsSansSerif, 8.25).family());
    row("Label61", 8.25, false, true, verdana);
    row("lblCobrand", 8.25, true, true, verdana);
    row("lblFullBrand", 8.25, true, true, verdana);
    // The window's font, also inside the bold frames.
    for (const char *name : {"fraFullBrand", "cmdExit", "cmdCR", "cmdLP", "cmdD", "cmdNav", "Label3", "cboMMD",
                             "cboMMM", "cboMMY", "Label14", "Label1", "Label4", "Label5", "Label2", "txtMF", "txtMM",
                             "txtML", "cboMM", "cboMD", "cboMY", "Label10", "Label9", "Label8", "Label7", "txtFF",
                             "txtFM", "txtFL", "cboFM", "cboFD", "cboFY"})
        row(name, 8.25, false, false, verdana);
}

void tst_MainLayout::fonts_asDesigned_frameFontsStayOnFrames()
{
    QFETCH(QString, family);
    QFETCH(qreal, pointSize);
    QFETCH(bool, bold);
    QFETCH(bool, underline);

    const QFont font = child<QWidget>(m_main, QTest::currentDataTag())->font();
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pointSizeF(), pointSize);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.underline(), underline);
    QVERIFY(!font.italic());
}

void tst_MainLayout::dateLists_openInTheirOwnFont()
{
    // The lists in the bold frames open in the window's regular font, whether the list is first
    // built by opening it or earlier, by a screen reader asking for its items.
    for (const char *name : {"cboMM", "cboFD"}) {
        auto *list = child<QComboBox>(m_main, name);
        if (qstrcmp(name, "cboFD") == 0)
            list->view();
        list->showPopup();
        QCOMPARE(list->view()->font(), list->font());
        QVERIFY(!list->view()->font().bold());
        list->hidePopup();
    }
}

void tst_MainLayout::colours_asDesigned_frameCaptionColourStaysOnFrames_data()
{
    QTest::addColumn<QColor>("text");       // invalid: the system's colour
    QTest::addColumn<QColor>("background"); // invalid: none of its own

    const QColor system;
    const QColor black(0, 0, 0);
    QTest::newRow("fraM") << QColor(64, 64, 64) << system;
    QTest::newRow("fraF") << QColor(64, 64, 64) << system;
    QTest::newRow("Label61") << black << QColor(255, 255, 255);
    QTest::newRow("lblCobrand") << QColor(0, 0, 255) << system;
    QTest::newRow("lblFullBrand") << QColor(0, 0, 255) << system;
    for (const char *name : {"Label14", "Label1", "Label4", "Label5", "Label10", "Label9", "Label8"})
        QTest::newRow(name) << black << system;
    for (const char *name : {"Label2", "Label7", "Label11", "Frame1", "Frame2", "Label3"})
        QTest::newRow(name) << system << system;
}

void tst_MainLayout::colours_asDesigned_frameCaptionColourStaysOnFrames()
{
    QFETCH(QColor, text);
    QFETCH(QColor, background);

    auto *control = child<QWidget>(m_main, QTest::currentDataTag());
    const QColor expectedText = text.isValid() ? text : QApplication::palette(control).color(QPalette::WindowText);
    QCOMPARE(control->palette().color(QPalette::WindowText), expectedText);
    QCOMPARE(control->autoFillBackground(), background.isValid());
    if (background.isValid())
        QCOMPARE(control->palette().color(QPalette::Window), background);
}

void tst_MainLayout::linkLabels_underlinedWithPointingHand()
{
    for (const char *name : {"Label61", "lblCobrand", "lblFullBrand"}) {
        auto *link = child<QLabel>(m_main, name);
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(link->font().underline());
    }
}

void tst_MainLayout::titleAndAdvertisements_centred()
{
    for (const char *name : {"Label11", "lblCobrand", "lblFullBrand"})
        QCOMPARE(child<QLabel>(m_main, name)->alignment(), Qt::AlignCenter);
}

void tst_MainLayout::tabOrder_followsTabIndexes_hiddenMarriageDateKeepsItsPlace()
{
    const QStringList expected = {
        "txtMF", "txtMM", "txtML", "cboMM", "cboMD", "cboMY",     // male names and date of birth
        "txtFF", "txtFM", "txtFL", "cboFM", "cboFD", "cboFY",     // female names and date of birth
        "cmdCR", "cmdD", "cmdLP", "cmdExit",                      // the reading buttons, then Exit
        "cboMMY", "cboMMM", "cboMMD",                             // out of sight, still in the order
        "Label61", "Command3", "cmdNav", "cmdOpen",
        child<QWidget>(m_main, "lblCobrand")->isVisible() ? "lblCobrand" : "lblFullBrand", // the one shown
    };
    QCOMPARE(looktest::tabChain(m_main, child<QWidget>(m_main, "txtMF")), expected);
}

void tst_MainLayout::tabKey_startsInMaleFirstNameAndMovesOn()
{
    QApplication::setActiveWindow(m_main);
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(m_main, "txtMF"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtMM"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtMF"));
}

void tst_MainLayout::dateList_withAnEntryPicked_screenReaderStillSaysWhatItIs_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("what");
    QTest::newRow("male birth day") << "cboMD" << "Date of Birth";
    QTest::newRow("female birth year") << "cboFY" << "Date of Birth";
    QTest::newRow("marriage day") << "cboMMD" << "Marriage Date";
    QTest::newRow("marriage month") << "cboMMM" << "Marriage Date";
    QTest::newRow("marriage year") << "cboMMY" << "Marriage Date";
}

// On Linux a list's accessible name is its entry, so its name alone no longer says which list
// it is once an entry is picked (the marriage date's lists start with none).
void tst_MainLayout::dateList_withAnEntryPicked_screenReaderStillSaysWhatItIs()
{
    QFETCH(QString, list);
    QFETCH(QString, what);
    auto *dates = child<QComboBox>(m_main, qPrintable(list));
    dates->setCurrentIndex(1);
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(dates);
    QVERIFY(reader);
    const QString heard = reader->text(QAccessible::Name) + QLatin1Char(' ') + reader->text(QAccessible::Description);
    QVERIFY2(heard.contains(what), qPrintable(heard));
}

void tst_MainLayout::linkLabel_followedFromKeyboardAndScreenReader_clickKeepsFocus_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("home page band") << QStringLiteral("Label61");
    QTest::newRow("co-brand advertisement") << QStringLiteral("lblCobrand");
    QTest::newRow("full-brand advertisement") << QStringLiteral("lblFullBrand");
}

void tst_MainLayout::linkLabel_followedFromKeyboardAndScreenReader_clickKeepsFocus()
{
    QFETCH(QString, name);
    app::showAdvertisement(m_main, name == QLatin1String("lblFullBrand") ? app::Advertisement::FullBrand
                                                                         : app::Advertisement::Cobrand);
    auto *link = child<QLabel>(m_main, qPrintable(name));
    QApplication::setActiveWindow(m_main);
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    QWidget *nameBox = child<QWidget>(m_main, "txtMF");
    QCOMPARE(QApplication::focusWidget(), nameBox);

    // A click follows it and leaves the focus in the box being typed in.
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    QCOMPARE(QApplication::focusWidget(), nameBox);

    for (int tabs = 0; QApplication::focusWidget() != link && tabs < 40; ++tabs)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), link);
    QTest::keyClick(link, Qt::Key_Space);
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(link, &held); // a key held down follows the link once
    QTest::keyClick(link, Qt::Key_Return);
    QTest::keyClick(link, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(link, Qt::Key_Space, Qt::ControlModifier); // not a way to follow it

    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(link);
    QVERIFY(reader);
    QCOMPARE(reader->role(), QAccessible::Link);
    QCOMPARE(reader->text(QAccessible::Name), link->text());
    QVERIFY(reader->state().focusable && reader->state().focused);
    QVERIFY(reader->actionInterface());
    reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());

    QCOMPARE(m_urls.urls.size(), 5);
    for (const QUrl &url : qAsConst(m_urls.urls))
        QCOMPARE(url, m_urls.urls.constFirst());
}

void tst_MainLayout::accessKey_menuBarEntryRunsIt()
{
    QApplication::setActiveWindow(m_main);
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    QTest::keyClick(m_main, Qt::Key_D, Qt::AltModifier);
    QCOMPARE(m_urls.urls, QList<QUrl>{platform::webPageAddress(platform::WebPage::Donate)});
}

void tst_MainLayout::advertisement_oddDrawCobrand_evenDrawFullBrand_data()
{
    QTest::addColumn<int>("draw");
    QTest::addColumn<QString>("front");
    for (int draw = 1; draw <= 6; ++draw)
        QTest::addRow("draw %d", draw) << draw << QString::fromLatin1(draw % 2 ? "lblCobrand" : "lblFullBrand");
}

void tst_MainLayout::advertisement_oddDrawCobrand_evenDrawFullBrand()
{
    QFETCH(int, draw);
    QFETCH(QString, front);

    app::showAdvertisement(m_main, app::advertisementForDraw(draw));

    QWidget *frame = child<QWidget>(m_main, "fraFullBrand");
    QStringList visible;
    for (const char *name : {"lblCobrand", "lblFullBrand"}) {
        if (child<QWidget>(m_main, name)->isVisible())
            visible.append(QLatin1String(name));
    }
    QCOMPARE(visible, QStringList{front});
    // The one shown is also the front one of the frame's controls.
    const QList<QWidget *> stack = frame->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(stack.last()->objectName(), front);
}

void tst_MainLayout::advertisementDraws_wholeNumbersOneToSix_bothAdvertisementsOccur()
{
    QRandomGenerator generator(20240501);
    QMap<int, int> draws;
    QSet<int> chosen;
    for (int i = 0; i < 600; ++i) {
        const int draw = app::drawAdvertisement(generator);
        ++draws[draw];
        chosen.insert(int(app::advertisementForDraw(draw)));
    }
    QCOMPARE(draws.keys(), (QList<int>{1, 2, 3, 4, 5, 6}));
    QCOMPARE(chosen.size(), 2);
}

void tst_MainLayout::atStart_exactlyOneAdvertisementVisible()
{
    const bool cobrand = child<QWidget>(m_main, "lblCobrand")->isVisible();
    const bool fullBrand = child<QWidget>(m_main, "lblFullBrand")->isVisible();
    QVERIFY(cobrand != fullBrand);
}

void tst_MainLayout::window_showsProgramIcon()
{
    const QImage shown = m_main->windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(shown, platform::programPixmap().toImage().convertToFormat(QImage::Format_ARGB32));
}

void tst_MainLayout::screenshot_hasDesignedSize()
{
    QCOMPARE(looktest::saveScreenshot(m_main, QStringLiteral("frmMain")), m_main->size());
    QCOMPARE(m_main->centralWidget()->size(), QSize(699, 355));
}

QTEST_MAIN(tst_MainLayout)
#include "tst_mainlayout.moc"
