#include "../common/guitest.h"

#include "gui/documents/frmdisp.h"
#include "gui/documents/frmsavedocument.h"
#include "gui/documents/richtextbox.h"
#include "core/numerology/compatibility.h"
#include "core/numerology/numerology.h"
#include "core/readings/partnerdetails.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

using guitest::child;

namespace {

const QString CRLF = QStringLiteral("\r\n");

struct Run {
    bool bold;
    QString text;
};

// The box's content as runs of equal emphasis, line breaks written CR LF.
QList<Run> runs(const RichTextBox *box)
{
    QList<Run> result;
    auto add = [&result](bool bold, const QString &text) {
        if (text.isEmpty())
            return;
        if (!result.isEmpty() && result.last().bold == bold)
            result.last().text += text;
        else
            result.append({bold, text});
    };
    const QTextDocument *doc = box->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            add(fragment.charFormat().fontWeight() >= QFont::Bold, fragment.text());
        }
        if (block.next().isValid()) {
            // A line break takes the emphasis of the text inserted with it.
            const bool bold = block.next().charFormat().fontWeight() >= QFont::Bold;
            add(bold, CRLF);
        }
    }
    return result;
}

void sendMouse(QWidget *viewport, QEvent::Type type, const QPoint &pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, viewport->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

QString runsToString(const QList<Run> &list)
{
    QString s;
    for (const Run &r : list)
        s += (r.bold ? QStringLiteral("[B]") : QStringLiteral("[ ]")) + r.text;
    return s;
}

} // namespace

class tst_Readings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lifePath_workedExample_wholeText();
    void destiny_workedExample_wholeText();
    void lifePath_recordsDatesAndState();
    void destiny_recordsNamesButNoDetails();
    void destiny_caseAndNameSplitDoNotMatter();
    void destiny_noValuedLetter_showsHeadingAndEmptyParagraph();
    void comprehensive_workedExample_lineByLine();
    void comprehensive_emphasisOnSectionsOnly();
    void comprehensive_showsNoOtherWindowOrMessage();
    void comprehensive_twiceInARow_eachOnlyItsOwn();
    void singleReadingAfterComprehensive_goesToReadingWindow();
    void names_arePlainTextNeverMarkup();
    void twoSingleReadings_secondShowsOnlyItsOwn();
    void readingWindow_backKeepsInput();
    void readingWindow_exitHidesMainAndShowsExitScreen();
    void readingWindow_closeBoxUnloadsWithoutExit();
    void readingWindow_selectionClearedAfterDragAndKeys();
    void readingWindow_scrollsAndMoves_butSelectsNothingToHandOn();
    void documentWindow_backUnloadsAndNextIsFresh();
    void keyboard_enterRunsReading_escapeGoesBack_data();
    void keyboard_enterRunsReading_escapeGoesBack();

private:
    frmMain *m_main = nullptr;
    frmDisp *shownReadingWindow();
    RichTextBox *shownLifePathBox();
};

void tst_Readings::init()
{
    m_main = guitest::showMainWindow();
    QVERIFY(m_main);
}

void tst_Readings::cleanup()
{
    guitest::unloadAll();
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

frmDisp *tst_Readings::shownReadingWindow()
{
    if (guitest::modalWindows().isEmpty())
        return nullptr;
    return qobject_cast<frmDisp *>(guitest::modalWindows().constLast().data());
}

// The reading window's box with a LifePath reading, on screen; null when it did not show.
RichTextBox *tst_Readings::shownLifePathBox()
{
    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdLP")->click();
    frmDisp *disp = shownReadingWindow();
    if (!disp || !QTest::qWaitForWindowExposed(disp))
        return nullptr;
    return disp->txtDisp();
}

void tst_Readings::lifePath_workedExample_wholeText()
{
    // Male 15 March 1985 -> 5, female 1 January 1990 -> 3.
    guitest::fillCouple(m_main, {"John", "", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdLP")->click();

    frmDisp *disp = shownReadingWindow();
    QVERIFY(disp);
    QCOMPARE(disp->windowTitle(), QStringLiteral("LifePath Compatibility"));
    const QString paragraph = numerology::CompatibilityText(QStringLiteral("53"));
    QVERIFY(paragraph.startsWith(QLatin1String("This is a partnership built on passion and")));
    QCOMPARE(disp->txtDisp()->text(), "LifePath Compatibility Combination: 5 + 3" + CRLF + CRLF + paragraph + CRLF
                                          + CRLF + CRLF + CRLF);
    QCOMPARE(runsToString(runs(disp->txtDisp())), "[ ]" + disp->txtDisp()->text());
    QVERIFY(platform::MessageBox::shown().isEmpty());
}

void tst_Readings::destiny_workedExample_wholeText()
{
    // John Paul Smith -> 58 -> 13 -> 4; Mary Jones -> 39 -> 12 -> 3.
    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdD")->click();

    frmDisp *disp = shownReadingWindow();
    QVERIFY(disp);
    QCOMPARE(disp->windowTitle(), QStringLiteral("Destiny Compatibility"));
    const QString paragraph = numerology::CompatibilityText(QStringLiteral("43"));
    QVERIFY(paragraph.startsWith(QLatin1String("This relationship will take its toll on the")));
    QCOMPARE(disp->txtDisp()->text(), "Destiny Compatibility Combination: 4 + 3" + CRLF + CRLF + paragraph + CRLF
                                          + CRLF + CRLF + CRLF);
}

void tst_Readings::lifePath_recordsDatesAndState()
{
    guitest::fillCouple(m_main, {"John", "", "Smith"}, "February 1 1970", {"Mary", "", "Jones"}, "January 1 1970");
    child<QPushButton>(m_main, "cmdLP")->click();

    // 1 + 2 + 1970 = 1973 -> 20 -> 2;  1 + 1 + 1970 = 1972 -> 19 -> 10 -> 1: key "21", not "12"
    frmDisp *disp = shownReadingWindow();
    QVERIFY(disp);
    const QString text = disp->txtDisp()->text();
    QVERIFY(text.startsWith(QLatin1String("LifePath Compatibility Combination: 2 + 1")));
    QVERIFY(text.contains(numerology::CompatibilityText(QStringLiteral("21"))));
    QVERIFY(!text.contains(numerology::CompatibilityText(QStringLiteral("12"))));
}

void tst_Readings::destiny_recordsNamesButNoDetails()
{
    // Blanks around a name part count nothing: "  John " is John.
    guitest::fillCouple(m_main, {"  John ", "Paul", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdD")->click();

    frmDisp *disp = shownReadingWindow();
    QVERIFY(disp);
    QVERIFY(disp->txtDisp()->text().startsWith(QLatin1String("Destiny Compatibility Combination: 4 + 3")));
    QVERIFY(disp->txtDisp()->text().contains(numerology::CompatibilityText(QStringLiteral("43"))));
}

void tst_Readings::destiny_caseAndNameSplitDoNotMatter()
{
    guitest::fillCouple(m_main, {"mary ann", "", "LEE"}, "March 15 1985", {"Ann", "", "Lee"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdD")->click();
    const QString first = shownReadingWindow()->txtDisp()->text();
    child<QPushButton>(shownReadingWindow(), "cmdBack")->click();

    guitest::fillCouple(m_main, {"Mary", "Ann", "Lee"}, "March 15 1985", {"ANN", "", "lee"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdD")->click();
    QCOMPARE(shownReadingWindow()->txtDisp()->text(), first);
}

void tst_Readings::destiny_noValuedLetter_showsHeadingAndEmptyParagraph()
{
    // Greek letters and digits: nothing that counts as A to Z.
    guitest::fillCouple(m_main, {QStringLiteral("\u0395\u03BB\u03AD\u03BD\u03B7"), "", "123"}, "March 15 1985",
                        {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdD")->click();

    frmDisp *disp = shownReadingWindow();
    QVERIFY(disp);
    QCOMPARE(disp->txtDisp()->text(),
             "Destiny Compatibility Combination: 0 + 3" + CRLF + CRLF + CRLF + CRLF + CRLF + CRLF);
}

void tst_Readings::comprehensive_workedExample_lineByLine()
{
    guitest::fillCouple(m_main, {"First", "Middle", "Last"}, "January 1 1900", {" Ann ", "", "Lee"}, "March 15 1985");
    child<QPushButton>(m_main, "cmdCR")->click();

    frmSaveDocument *document = guitest::documentWindow();
    QVERIFY(document);
    QCOMPARE(guitest::modalWindows().size(), 1);
    QCOMPARE(guitest::modalWindows().constFirst().data(), static_cast<QDialog *>(document));
    QCOMPARE(document->windowTitle(), QStringLiteral("Tovrin v1.65"));

    const int maleDestiny = numerology::StringToNumber(QStringLiteral("FIRSTMIDDLELAST"));
    const int femaleDestiny = numerology::StringToNumber(QStringLiteral("ANNLEE"));
    const QString destinyText = numerology::CompatibilityText(QString::number(maleDestiny)
                                                              + QString::number(femaleDestiny));
    const QStringList expected = {
        "Male Information",
        "Name: First Middle Last",
        "Date of Birth: January 1, 1900",
        "",
        "Female Information",
        "Name: Ann  Lee",
        "Date of Birth: March 15, 1985",
        "",
        "LifePath Compatibility Number Combination is 3 + 5",
        "",
        numerology::CompatibilityText(QStringLiteral("35")),
        "",
        "",
        "",
        QStringLiteral("Destiny Compatibility Combination is %1 + %2").arg(maleDestiny).arg(femaleDestiny),
        "",
        destinyText,
        "",
        "",
        "",
        "",
    };
    QCOMPARE(document->RTB()->text(), expected.join(CRLF));
    QCOMPARE(document->RTB()->selStart(), 0); // shown from the top
    QVERIFY(!destinyText.isEmpty());
}

void tst_Readings::comprehensive_emphasisOnSectionsOnly()
{
    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdCR")->click();

    const QList<Run> list = runs(guitest::documentWindow()->RTB());
    QCOMPARE(list.size(), 5);
    QVERIFY(!list[0].bold);
    QVERIFY(list[0].text.startsWith(QLatin1String("Male Information")));
    QVERIFY(list[0].text.endsWith(QStringLiteral("January 1, 1990") + CRLF + CRLF));
    QVERIFY(list[1].bold);
    QCOMPARE(list[1].text, "LifePath Compatibility Number Combination is 5 + 3" + CRLF + CRLF
                               + numerology::CompatibilityText(QStringLiteral("53")) + CRLF + CRLF);
    QVERIFY(!list[2].bold);
    QCOMPARE(list[2].text, CRLF + CRLF);
    QVERIFY(list[3].bold);
    QCOMPARE(list[3].text, "Destiny Compatibility Combination is 4 + 3" + CRLF + CRLF
                               + numerology::CompatibilityText(QStringLiteral("43")) + CRLF + CRLF);
    QVERIFY(!list[4].bold);
    QCOMPARE(list[4].text, CRLF + CRLF);
}

void tst_Readings::comprehensive_showsNoOtherWindowOrMessage()
{
    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "February 29 2000", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdCR")->click();
    QVERIFY(platform::MessageBox::shown().isEmpty());
    QVERIFY(!guitest::readingWindow());
    QCOMPARE(guitest::modalWindows().size(), 1);
    QCOMPARE(guitest::visibleTopLevelWindows().size(), 2); // main window and document window
}

void tst_Readings::comprehensive_twiceInARow_eachOnlyItsOwn()
{
    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdCR")->click();
    child<QPushButton>(guitest::documentWindow(), "cmdBack")->click();

    guitest::fillCouple(m_main, {"Adam", "", "Brown"}, "May 5 1975", {"Eve", "", "White"}, "June 6 1976");
    child<QPushButton>(m_main, "cmdCR")->click();
    const QString text = guitest::documentWindow()->RTB()->text();
    QVERIFY(text.startsWith(QStringLiteral("Male Information") + CRLF + QStringLiteral("Name: Adam  Brown")));
    QVERIFY(!text.contains(QLatin1String("John")));
    QCOMPARE(text.count(QLatin1String("Male Information")), 1);
}

void tst_Readings::singleReadingAfterComprehensive_goesToReadingWindow()
{
    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdCR")->click();
    child<QPushButton>(guitest::documentWindow(), "cmdBack")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    child<QPushButton>(m_main, "cmdLP")->click();
    QVERIFY(shownReadingWindow());
    QVERIFY(!guitest::documentWindow()); // the document window stays unloaded until it is next used
}

void tst_Readings::names_arePlainTextNeverMarkup()
{
    guitest::fillCouple(m_main, {"<b>Ann</b>", "", "&amp;"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdCR")->click();
    const QString text = guitest::documentWindow()->RTB()->text();
    QVERIFY(text.contains(QLatin1String("Name: <b>Ann</b>  &amp;")));
}

void tst_Readings::twoSingleReadings_secondShowsOnlyItsOwn()
{
    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdLP")->click();
    frmDisp *first = shownReadingWindow();
    child<QPushButton>(first, "cmdBack")->click();

    child<QPushButton>(m_main, "cmdD")->click();
    frmDisp *second = shownReadingWindow();
    QVERIFY(second != first);
    QVERIFY(second->txtDisp()->text().startsWith(QLatin1String("Destiny Compatibility Combination: 4 + 3")));
    QVERIFY(!second->txtDisp()->text().contains(QLatin1String("LifePath")));
}

void tst_Readings::readingWindow_backKeepsInput()
{
    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdLP")->click();
    frmDisp *disp = shownReadingWindow();
    QVERIFY(disp->hook().isHooked());
    child<QPushButton>(disp, "cmdBack")->click();

    QVERIFY(!guitest::readingWindow());
    QVERIFY(m_main->isVisible());
    QCOMPARE(child<QLineEdit>(m_main, "txtMM")->text(), QStringLiteral("Paul"));
    QCOMPARE(child<QComboBox>(m_main, "cboMD")->currentText(), QStringLiteral("15"));
}

void tst_Readings::readingWindow_exitHidesMainAndShowsExitScreen()
{
    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdD")->click();
    frmDisp *disp = shownReadingWindow();
    child<QPushButton>(disp, "cmdExit")->click();

    QVERIFY(!guitest::readingWindow());
    QVERIFY(!m_main->isVisible());
    QVERIFY(guitest::program().exitScreenShown());
    QCOMPARE(guitest::quitCount(), 0);
}

void tst_Readings::readingWindow_closeBoxUnloadsWithoutExit()
{
    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdLP")->click();
    QPointer<frmDisp> disp = shownReadingWindow();
    disp->close();
    QVERIFY(!guitest::readingWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!disp);
    QVERIFY(m_main->isVisible());
    QVERIFY(!guitest::program().exitScreenShown());
}

void tst_Readings::readingWindow_selectionClearedAfterDragAndKeys()
{
    RichTextBox *box = shownLifePathBox();
    QVERIFY(box);
    QWidget *viewport = box->viewport();

    // drag across the text
    const QPoint from(5, 5), to(viewport->width() - 5, 40);
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QVERIFY(box->selLength() > 0); // the drag did select, until the button is released
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    QCOMPARE(box->selLength(), 0);

    // shift + arrows, then select-all and copy
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(box->selLength(), 0);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(box->selLength(), 0);

    // text is unchanged by typing
    const QString before = box->text();
    QTest::keyClicks(box, QStringLiteral("xyz"));
    QCOMPARE(box->text(), before);
}

void tst_Readings::readingWindow_scrollsAndMoves_butSelectsNothingToHandOn()
{
    RichTextBox *box = shownLifePathBox();
    QVERIFY(box);
    // Every reading fits the box; a text longer than the box shows that it still scrolls.
    QStringList lines;
    for (int i = 1; i <= 60; ++i)
        lines << QStringLiteral("Line %1 of a reading longer than its box").arg(i);
    box->setText(lines.join(CRLF));
    QScrollBar *bar = box->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QWidget *viewport = box->viewport();

    const QPoint middle = viewport->rect().center();
    QWheelEvent wheel(middle, viewport->mapToGlobal(middle), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
    const int scrolled = bar->value();
    QVERIFY(scrolled > 0);

    // Qt hands a selection to the X11 primary selection at the release of a drag, at a double
    // click and after every key; at none of these moments may there be one. The view stays.
    const QPoint from(10, 10), to(viewport->width() - 10, viewport->height() / 2);
    sendMouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, to, Qt::LeftButton);
    QVERIFY(box->selLength() > 0);
    sendMouse(viewport, QEvent::MouseButtonRelease, to, Qt::NoButton);
    QCOMPARE(box->selLength(), 0);
    sendMouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseButtonRelease, from, Qt::NoButton);
    sendMouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseButtonDblClick, from, Qt::LeftButton);
    QCOMPARE(box->selLength(), 0);
    sendMouse(viewport, QEvent::MouseButtonRelease, from, Qt::NoButton);
    QCOMPARE(bar->value(), scrolled);

    // Keys move the insertion point, shift or not, and the view follows it.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(box->selStart(), box->text().size());
    QVERIFY(bar->value() > scrolled);
    QVERIFY(viewport->rect().contains(box->cursorRect()));
    const int atEnd = bar->value();
    QTest::keyClick(box, Qt::Key_PageUp);
    QVERIFY(bar->value() < atEnd);
    QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(box->selStart(), 0);
    QVERIFY(viewport->rect().contains(box->cursorRect()));
    QTest::keyPress(box, Qt::Key_Down, Qt::ShiftModifier);
    QVERIFY(box->selStart() > 0);
    QCOMPARE(box->selLength(), 0);
    QTest::keyRelease(box, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyPress(box, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(box->selLength(), 0);
    QTest::keyRelease(box, Qt::Key_A, Qt::ControlModifier);
}

void tst_Readings::documentWindow_backUnloadsAndNextIsFresh()
{
    QPointer<frmSaveDocument> first = guitest::documentWindow();
    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QPushButton>(m_main, "cmdCR")->click();
    QCOMPARE(guitest::documentWindow(), first.data());
    child<QPushButton>(first, "cmdBack")->click();
    QVERIFY(!guitest::documentWindow());
    QVERIFY(!first->hook().isHooked());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);

    child<QPushButton>(m_main, "cmdCR")->click();
    frmSaveDocument *next = guitest::documentWindow();
    QVERIFY(next);
    QCOMPARE(next->RTB()->text().count(QLatin1String("Male Information")), 1);
    QVERIFY(next->hook().isHooked());
}

void tst_Readings::keyboard_enterRunsReading_escapeGoesBack_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::newRow("LifePath") << "cmdLP" << "frmDisp";
    QTest::newRow("Destiny") << "cmdD" << "frmDisp";
    QTest::newRow("Comprehensive") << "cmdCR" << "frmSaveDocument";
}

void tst_Readings::keyboard_enterRunsReading_escapeGoesBack()
{
    QFETCH(QString, button);
    QFETCH(QString, window);

    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    auto *command = child<QPushButton>(m_main, qPrintable(button));
    command->setFocus();
    QTest::keyClick(command, Qt::Key_Return);

    QCOMPARE(guitest::modalWindows().size(), 1);
    QPointer<QDialog> shown = guitest::modalWindows().constFirst();
    QCOMPARE(shown->objectName(), window);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QTest::keyClick(shown, Qt::Key_Escape);
    QVERIFY(!guitest::readingWindow());
    QVERIFY(shown.isNull() || !shown->isVisible());
    QVERIFY(m_main->isVisible());
}

QTEST_MAIN(tst_Readings)
#include "tst_readings.moc"
