#include "../common/guitest.h"
#include "../common/looktest.h"

#include "gui/documents/frmdisp.h"
#include "gui/documents/frmsavedocument.h"
#include "gui/documents/richtextbox.h"
#include "gui/documents/workingwindow.h"
#include "gui/platform/look.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QLabel>
#include <QTest>
#include <QTextEdit>

using guitest::child;

// The look of the reading window and the document window, held against their designs.
class tst_ReadingWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void clientArea_designedSize_notResizable_data();
    void clientArea_designedSize_notResizable();
    void controls_placedAsDesigned_data();
    void controls_placedAsDesigned();
    void documentWindow_verdanaThroughout();
    void advertisingBand_underlinedLinkWithPointingHand_data();
    void advertisingBand_underlinedLinkWithPointingHand();
    void tabOrder_followsTabIndexes_focusStartsInTheReading_data();
    void tabOrder_followsTabIndexes_focusStartsInTheReading();
    void readingBox_namedByItsReading_arrowsMoveTheCaretWithoutSelecting_data();
    void readingBox_namedByItsReading_arrowsMoveTheCaretWithoutSelecting();
    void readOnlyBoxes_takeNoTextFromInputMethods_data();
    void readOnlyBoxes_takeNoTextFromInputMethods();
    void windows_showProgramIcon_andTheirScreenshotSize_data();
    void windows_showProgramIcon_andTheirScreenshotSize();

private:
    QPointer<QWidget> m_working; // closes itself away
};

namespace {

QWidget *loadWindow(const QString &name)
{
    QWidget *window = name == QLatin1String("frmDisp") ? static_cast<QWidget *>(guitest::loadWindow<frmDisp>())
                                                       : static_cast<QWidget *>(guitest::loadWindow<frmSaveDocument>());
    window->show();
    return QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

} // namespace

void tst_ReadingWindowLayout::initTestCase()
{
    platform::installProgramLook();
}

void tst_ReadingWindowLayout::init()
{
    guitest::setUp();
}

void tst_ReadingWindowLayout::cleanup()
{
    if (m_working)
        m_working->close();
    guitest::unloadAll();
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

void tst_ReadingWindowLayout::clientArea_designedSize_notResizable_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QSize>("size");
    QTest::newRow("frmDisp") << QStringLiteral("frmDisp") << QSize(371, 242);                 // 5565 x 3630
    QTest::newRow("frmSaveDocument") << QStringLiteral("frmSaveDocument") << QSize(551, 343); // 8265 x 5145
}

void tst_ReadingWindowLayout::clientArea_designedSize_notResizable()
{
    QFETCH(QString, window);
    QFETCH(QSize, size);
    QWidget *w = loadWindow(window);
    QVERIFY(w);
    QCOMPARE(w->size(), size);
    QCOMPARE(w->minimumSize(), size);
    QCOMPARE(w->maximumSize(), size);
}

void tst_ReadingWindowLayout::controls_placedAsDesigned_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("expected");

    struct Row {
        const char *window, *control;
        int left, top, width, height;
    };
    const Row rows[] = {
        {"frmDisp", "Label61", 0, 0, 5670, 435},
        {"frmDisp", "txtDisp", 60, 390, 5475, 2715},
        {"frmDisp", "Label1", 120, 3180, 2505, 435},
        {"frmDisp", "Label2", 750, 3360, 1875, 255},
        {"frmDisp", "cmdBack", 2970, 3180, 825, 405},
        {"frmDisp", "cmdPrint", 3840, 3180, 825, 405},
        {"frmDisp", "cmdSave", 4710, 3180, 825, 405},
        {"frmDisp", "cmdExit", 3510, 3720, 825, 405},
        {"frmSaveDocument", "Label61", 1372, 0, 5520, 435},
        {"frmSaveDocument", "RTB", 60, 420, 8205, 4230},
        {"frmSaveDocument", "Label1", 60, 4680, 3495, 435},
        {"frmSaveDocument", "Label2", 780, 4890, 1875, 255},
        {"frmSaveDocument", "cmdBack", 3750, 4740, 1455, 375},
        {"frmSaveDocument", "cmdPrint", 5250, 4740, 1455, 375},
        {"frmSaveDocument", "cmdSave", 6750, 4740, 1455, 375},
    };
    for (const Row &r : rows) {
        QTest::addRow("%s %s", r.window, r.control) << QString::fromLatin1(r.window) << QString::fromLatin1(r.control)
                                                    << looktest::fromTwips(r.left, r.top, r.width, r.height);
    }
}

void tst_ReadingWindowLayout::controls_placedAsDesigned()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QRect, expected);
    QWidget *w = loadWindow(window);
    QVERIFY(w);
    auto *c = child<QWidget>(w, qPrintable(control));
    QCOMPARE(c->parentWidget(), w);
    QCOMPARE(c->geometry(), expected);
}

void tst_ReadingWindowLayout::documentWindow_verdanaThroughout()
{
    QWidget *w = loadWindow(QStringLiteral("frmSaveDocument"));
    QVERIFY(w);
    for (const char *name : {"Label61", "RTB", "Label1", "Label2", "cmdBack", "cmdPrint", "cmdSave"}) {
        const QFont font = child<QWidget>(w, name)->font();
        QCOMPARE(font.family(), platform::windowFont().family());
        QCOMPARE(font.pointSizeF(), 8.25);
        QVERIFY2(!font.bold(), name);
    }
}

void tst_ReadingWindowLayout::advertisingBand_underlinedLinkWithPointingHand_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("frmDisp") << QStringLiteral("frmDisp");
    QTest::newRow("frmSaveDocument") << QStringLiteral("frmSaveDocument");
}

void tst_ReadingWindowLayout::advertisingBand_underlinedLinkWithPointingHand()
{
    QFETCH(QString, window);
    QWidget *w = loadWindow(window);
    QVERIFY(w);
    auto *band = child<QLabel>(w, "Label61");
    QVERIFY(band->font().underline());
    QCOMPARE(band->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(!band->text().isEmpty());
    // The band's line is seen whole: it fits the part of the band inside the window.
    const int visibleWidth = qMin(band->width(), w->width() - band->x());
    QVERIFY(QFontMetrics(band->font()).horizontalAdvance(band->text()) <= visibleWidth);

    // Label1's sentence ends its first line, so Label2's address follows "Contact " on the second.
    auto *label1 = child<QLabel>(w, "Label1");
    QCOMPARE(label1->text(), QStringLiteral("Display Your Ad Here Permanently. Contact "));
    QVERIFY(QFontMetrics(label1->font()).horizontalAdvance(QStringLiteral("Display Your Ad Here Permanently."))
            <= label1->width());
    QCOMPARE(child<QLabel>(w, "Label2")->font(), label1->font());
}

void tst_ReadingWindowLayout::tabOrder_followsTabIndexes_focusStartsInTheReading_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("frmDisp") << QStringLiteral("frmDisp")
                             << QStringList{"cmdExit", "cmdBack", "cmdSave", "cmdPrint", "txtDisp", "Label61"};
    QTest::newRow("frmSaveDocument") << QStringLiteral("frmSaveDocument")
                                     << QStringList{"RTB", "cmdSave", "cmdBack", "cmdPrint", "Label61"};
}

void tst_ReadingWindowLayout::tabOrder_followsTabIndexes_focusStartsInTheReading()
{
    QFETCH(QString, window);
    QFETCH(QStringList, order);
    QWidget *w = loadWindow(window);
    QVERIFY(w);
    QCOMPARE(looktest::tabChain(w, child<QWidget>(w, qPrintable(order.constFirst()))), order);

    // It opens with the reading in focus, where Enter and Space follow no link.
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget(), w->findChild<RichTextBox *>());
}

// Screen readers name the box and follow its caret line by line; nothing is selected on the way.
void tst_ReadingWindowLayout::readingBox_namedByItsReading_arrowsMoveTheCaretWithoutSelecting_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::newRow("frmDisp") << QStringLiteral("frmDisp") << QStringLiteral("LifePath Compatibility")
                             << QStringLiteral("LifePath Compatibility");
    QTest::newRow("frmSaveDocument") << QStringLiteral("frmSaveDocument") << QStringLiteral("Tovrin v1.65")
                                     << QStringLiteral("Comprehensive Reading");
}

void tst_ReadingWindowLayout::readingBox_namedByItsReading_arrowsMoveTheCaretWithoutSelecting()
{
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(QString, name);
    auto *w = qobject_cast<ReadingWindow *>(loadWindow(window));
    QVERIFY(w);
    w->showReading({caption, {{QStringLiteral("First line\r\nSecond line\r\n"), false}}}, {});
    RichTextBox *box = w->box();
    QCOMPARE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), name);
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->selStart(), 12); // the start of the second line, CR LF counting two
    QTest::keyClick(box, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(box->selLength(), 0);
}

void tst_ReadingWindowLayout::readOnlyBoxes_takeNoTextFromInputMethods_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("frmDisp") << QStringLiteral("frmDisp");
    QTest::newRow("frmSaveDocument") << QStringLiteral("frmSaveDocument");
    QTest::newRow("frmWorking") << QStringLiteral("frmWorking");
}

// A dead key or a compose sequence (an accent, then a letter) comes as input-method text. Before
// any is sent, the input method asks the focused box whether it takes text; had the box said yes,
// the accented letter went into the reading, and onto paper when it was printed.
void tst_ReadingWindowLayout::readOnlyBoxes_takeNoTextFromInputMethods()
{
    QFETCH(QString, window);
    const readings::Reading reading{QStringLiteral("LifePath Compatibility"), {{QStringLiteral("The reading"), false}}};
    QTextEdit *box = nullptr;
    if (window == QLatin1String("frmWorking")) {
        auto *w = static_cast<frmWorking *>(guitest::openWindow(window));
        QVERIFY(w);
        w->showWorking(reading);
        m_working = w;
        box = w->findChild<QTextEdit *>();
    } else {
        auto *w = qobject_cast<ReadingWindow *>(loadWindow(window));
        QVERIFY(w);
        w->showReading(reading, {});
        box = w->box();
    }
    QVERIFY(box);
    box->setFocus();
    const QString shown = box->toPlainText();

    QInputMethodQueryEvent asked(Qt::ImEnabled);
    QApplication::sendEvent(box, &asked);
    QCOMPARE(asked.value(Qt::ImEnabled).toBool(), false);
    QInputMethodEvent composed(QString(), {});
    composed.setCommitString(QStringLiteral("\u00E9"));
    QApplication::sendEvent(box, &composed);
    QCOMPARE(box->toPlainText(), shown);
}

void tst_ReadingWindowLayout::windows_showProgramIcon_andTheirScreenshotSize_data()
{
    clientArea_designedSize_notResizable_data();
}

void tst_ReadingWindowLayout::windows_showProgramIcon_andTheirScreenshotSize()
{
    QFETCH(QString, window);
    QFETCH(QSize, size);
    QWidget *w = loadWindow(window);
    QVERIFY(w);
    QCOMPARE(w->windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
             platform::programPixmap().toImage().convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(looktest::saveScreenshot(w, window), size);
}

QTEST_MAIN(tst_ReadingWindowLayout)
#include "tst_readingwindowlayout.moc"
