#include "../common/guitest.h"
#include "../common/looktest.h"

#include "gui/documents/workingwindow.h"

#include <QAction>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QTextDocument>
#include <QTextEdit>

using guitest::child;

class tst_WorkingWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void knownCouple_showsTheWholeWorking();
    void copy_plainTextAndHtml_namesAsTyped_data();
    void copy_plainTextAndHtml_namesAsTyped();
    void leaving_unloadsAndKeepsTheInput_data();
    void leaving_unloadsAndKeepsTheInput();
    void largerFont_largerWindow();

private:
    frmWorking *showWorking();

    frmMain *m_main = nullptr;
};

void tst_WorkingWindow::init()
{
    m_main = guitest::showMainWindow();
    QVERIFY(m_main);
}

void tst_WorkingWindow::cleanup()
{
    guitest::unloadAll();
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

frmWorking *tst_WorkingWindow::showWorking()
{
    child<QAction>(m_main, "mnuWorking")->trigger();
    frmWorking *window = m_main->workingWindow();
    if (window && !QTest::qWaitForWindowExposed(window))
        return nullptr;
    return window;
}

// The couple whose working the README shows.
void tst_WorkingWindow::knownCouple_showsTheWholeWorking()
{
    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "March 15 1985", {QString::fromUtf8("Zoë"), "", "Jones"},
                        "February 28 1969");
    frmWorking *window = showWorking();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("How the Numbers Were Found"));
    QCOMPARE(guitest::modalWindows().size(), 1);
    QCOMPARE(guitest::modalWindows().constFirst().data(), window);
    QCOMPARE(window->parentWidget(), m_main);

    const QString expected = QString::fromUtf8(
        "Each letter counts its Pythagorean value: A, J, S = 1; B, K, T = 2; C, L, U = 3; D, M, V = 4; "
        "E, N, W = 5; F, O, X = 6; G, P, Y = 7; H, Q, Z = 8; I, R = 9. A letter with an accent counts as the "
        "letter it is built on; digits, punctuation, blanks and letters of other scripts count 0. A total is "
        "reduced by adding its digits and, when that sum has two digits, by adding its first and last digit "
        "once more.\n"
        "\n"
        "Male: John Paul Smith\n"
        "Destiny\n"
        "John: J = 1, o = 6, h = 8, n = 5; together 20\n"
        "Paul: P = 7, a = 1, u = 3, l = 3; together 14\n"
        "Smith: S = 1, m = 4, i = 9, t = 2, h = 8; together 24\n"
        "Total: 20 + 14 + 24 = 58\n"
        "Reduction: 58 → 5 + 8 = 13 → 1 + 3 = 4\n"
        "Destiny number: 4\n"
        "\n"
        "LifePath\n"
        "Day: 15\n"
        "Month: March = 3\n"
        "Year: 1985\n"
        "Total: 15 + 3 + 1985 = 2003\n"
        "Reduction: 2003 → 2 + 0 + 0 + 3 = 5\n"
        "LifePath number: 5\n"
        "\n"
        "Female: Zoë Jones\n"
        "Destiny\n"
        "Zoë: Z = 8, o = 6, ë → E = 5; together 19\n"
        "Jones: J = 1, o = 6, n = 5, e = 5, s = 1; together 18\n"
        "Total: 19 + 18 = 37\n"
        "Reduction: 37 → 3 + 7 = 10 → 1 + 0 = 1\n"
        "Destiny number: 1\n"
        "\n"
        "LifePath\n"
        "Day: 28\n"
        "Month: February = 2\n"
        "Year: 1969\n"
        "Total: 28 + 2 + 1969 = 1999\n"
        "Reduction: 1999 → 1 + 9 + 9 + 9 = 28 → 2 + 8 = 10 → 1\n"
        "The second step gave 10, and 10 becomes 1.\n"
        "LifePath number: 1\n"
        "\n"
        "The couple\n"
        "Destiny combination 4 + 1, key 41: \"Harmony may not always come easy, must strive …\"\n"
        "LifePath combination 5 + 1, key 51: \"This relationship has all the excitement of a …\"\n");
    QCOMPARE(window->txtWorking()->toPlainText(), expected);

    // Read-only: typing changes nothing.
    QCOMPARE(QApplication::focusWidget(), window->txtWorking());
    QTest::keyClicks(window->txtWorking(), QStringLiteral("typed"));
    QTest::keyClick(window->txtWorking(), Qt::Key_Delete);
    QCOMPARE(window->txtWorking()->toPlainText(), expected);
}

void tst_WorkingWindow::copy_plainTextAndHtml_namesAsTyped_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("formats");
    // Markdown is not offered: a name written as a Markdown link would become one where it is pasted.
    QTest::newRow("markup in a name") << QStringLiteral("[Smith](https://evil.test/x)<b>")
                                      << QStringList{QStringLiteral("text/plain"), QStringLiteral("text/html")};
    // Qt's HTML leaves out each run of text holding U+FFFC: the lines with the name would be missing.
    QTest::newRow("object replacement character") << QStringLiteral("Sm\uFFFCith")
                                                  << QStringList{QStringLiteral("text/plain")};
}

void tst_WorkingWindow::copy_plainTextAndHtml_namesAsTyped()
{
    QFETCH(QString, name);
    QFETCH(QStringList, formats);
    guitest::fillCouple(m_main, {"John", "", name}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    frmWorking *window = showWorking();
    QVERIFY(window);
    window->txtWorking()->selectAll();
    window->txtWorking()->copy();

    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied);
    QCOMPARE(copied->text(), window->txtWorking()->toPlainText());
    QVERIFY(copied->text().contains(QStringLiteral("Male: John ") + name + QLatin1Char('\n')));
    if (copied->hasHtml()) {
        QTextDocument pasted;
        pasted.setHtml(copied->html());
        QCOMPARE(pasted.toPlainText(), copied->text());
    }
    QCOMPARE(copied->formats(), formats);
}

void tst_WorkingWindow::leaving_unloadsAndKeepsTheInput_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "escape";
    QTest::newRow("Alt+C") << "alt";
    QTest::newRow("close box") << "close";
    QTest::newRow("the main window unloading") << "unload";
}

void tst_WorkingWindow::leaving_unloadsAndKeepsTheInput()
{
    QFETCH(QString, how);
    guitest::fillCouple(m_main, {"John", "", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    const readings::PartnerDetails before = m_main->details();
    QPointer<frmWorking> window = showWorking();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowActive(window));

    if (how == QLatin1String("escape")) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    } else if (how == QLatin1String("alt")) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    } else if (how == QLatin1String("close")) {
        QVERIFY(window->close());
    } else {
        guitest::unloadAll();
        QVERIFY(window.isNull());
        return;
    }

    QVERIFY(!m_main->workingWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
    QVERIFY(m_main->details() == before);
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList{QStringLiteral("frmMain")});

    // The next use starts afresh.
    QVERIFY(showWorking());
}

void tst_WorkingWindow::largerFont_largerWindow()
{
    guitest::fillCouple(m_main, {"John", "", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    frmWorking *window = showWorking();
    QVERIFY(window);
    const QSize normal = window->size();
    const int closeHeight = child<QPushButton>(window, "cmdClose")->height();
    looktest::saveScreenshot(window, QStringLiteral("frmWorking"));
    window->unload();

    const QFont before = QApplication::font();
    const auto restore = qScopeGuard([before] { QApplication::setFont(before); });
    QFont larger = before;
    larger.setPointSizeF(before.pointSizeF() * 2);
    QApplication::setFont(larger);
    window = showWorking();
    QVERIFY(window);
    QVERIFY2(window->width() > normal.width() * 3 / 2 && window->height() > normal.height() * 3 / 2,
             qPrintable(QStringLiteral("%1x%2 at the larger font, %3x%4 before")
                            .arg(window->width()).arg(window->height()).arg(normal.width()).arg(normal.height())));
    QVERIFY(child<QPushButton>(window, "cmdClose")->height() > closeHeight);
    looktest::saveScreenshot(window, QStringLiteral("frmWorking-larger-font"));
}

QTEST_MAIN(tst_WorkingWindow)
#include "tst_workingwindow.moc"
