#include "../common/browsercatcher.h"
#include "../common/guitest.h"

#include "gui/app/frmmain.h"
#include "gui/app/program.h"
#include "gui/documents/frmdisp.h"
#include "gui/documents/frmsavedocument.h"
#include "gui/documents/richtextbox.h"
#include "core/readings/partnerdetails.h"
#include "core/settings/recentreadings.h"
#include "core/settings/settingsstore.h"
#include "gui/platform/seams.h"
#include "gui/platform/weblinks.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleEditableTextInterface>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <memory>
#include <QUrl>

using guitest::child;

class tst_frmMain : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lists_filledInOrder();
    void startsAtJanuaryFirst1900_withEmptyNamesAndNoMarriageDate();
    void focusStartsInMaleFirstName();
    void nameBox_pastedLineBreaksAndTabs_becomeBlanks_data();
    void nameBox_pastedLineBreaksAndTabs_becomeBlanks();
    void nameBox_textFromTheAccessibilityBus_staysOnOneLine_data();
    void nameBox_textFromTheAccessibilityBus_staysOnOneLine();
    void captions_exact_data();
    void captions_exact();
    void menus_entriesAccessKeysAndSeparators();
    void menuEntries_runTheButtonHandlers_data();
    void menuEntries_runTheButtonHandlers();
    void linkEntries_openTheirPages_data();
    void linkEntries_openTheirPages();
    void doubleClick_opensThePageOnce_data();
    void doubleClick_opensThePageOnce();
    void validation_showsMessageAndMovesFocus_data();
    void validation_showsMessageAndMovesFocus();
    void dateMessage_leavesFocus();
    void leaving_showsExitScreenUntilItCloses_data();
    void leaving_showsExitScreenUntilItCloses();
    void documentWindow_loadedHiddenAtStart();
    void altO_opensSavedReading_notTheMenuEntry();
    void heldAccessKeyFoundByTheShortcutMap_pressesOnce();
    void heldAccessKey_repeatNotFlaggedByQt_pressesOnce();
    void altO_inTheOpenHelpMenu_isOnlineHelp();
    void enterOnAFocusedButton_pressesIt_data();
    void enterOnAFocusedButton_pressesIt();
    void commandFromAssistiveTechnology_underADialog_doesNothing_data();
    void commandFromAssistiveTechnology_underADialog_doesNothing();
    void commandFromAssistiveTechnology_underTheExitScreen_doesNothing_data();
    void commandFromAssistiveTechnology_underTheExitScreen_doesNothing();

private:
    frmMain *m_main = nullptr;
    BrowserCatcher m_urls;
};

void tst_frmMain::init()
{
    m_urls.urls.clear();
    m_main = guitest::showMainWindow();
    QVERIFY(m_main);
}

void tst_frmMain::cleanup()
{
    guitest::unloadAll();
    QVERIFY(!guitest::mainWindow());
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

void tst_frmMain::lists_filledInOrder()
{
    const QStringList months = {"January", "February", "March",     "April",   "May",      "June",
                                "July",    "August",   "September", "October", "November", "December"};
    auto entries = [](QComboBox *list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->itemText(i));
        return texts;
    };
    QStringList days, years;
    for (int d = 1; d <= 31; ++d)
        days.append(QString::number(d));
    for (int y = 1900; y <= 2050; ++y)
        years.append(QString::number(y));
    QCOMPARE(years.size(), 151);

    for (const char *name : {"cboMD", "cboFD", "cboMMD"})
        QCOMPARE(entries(child<QComboBox>(m_main, name)), days);
    for (const char *name : {"cboMM", "cboFM", "cboMMM"})
        QCOMPARE(entries(child<QComboBox>(m_main, name)), months);
    for (const char *name : {"cboMY", "cboFY", "cboMMY"})
        QCOMPARE(entries(child<QComboBox>(m_main, name)), years);
    for (QComboBox *list : m_main->findChildren<QComboBox *>())
        QVERIFY2(!list->isEditable(), qPrintable(list->objectName()));
}

void tst_frmMain::startsAtJanuaryFirst1900_withEmptyNamesAndNoMarriageDate()
{
    for (const char *name : {"cboMM", "cboFM"})
        QCOMPARE(child<QComboBox>(m_main, name)->currentText(), QStringLiteral("January"));
    for (const char *name : {"cboMD", "cboFD"})
        QCOMPARE(child<QComboBox>(m_main, name)->currentText(), QStringLiteral("1"));
    for (const char *name : {"cboMY", "cboFY"})
        QCOMPARE(child<QComboBox>(m_main, name)->currentText(), QStringLiteral("1900"));
    for (const char *name : {"cboMMD", "cboMMM", "cboMMY"})
        QCOMPARE(child<QComboBox>(m_main, name)->currentIndex(), -1);
    for (QLineEdit *edit : m_main->findChildren<QLineEdit *>())
        QVERIFY(edit->text().isEmpty());
}

void tst_frmMain::focusStartsInMaleFirstName()
{
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(m_main, "txtMF"));
}

void tst_frmMain::nameBox_pastedLineBreaksAndTabs_becomeBlanks_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("room"); // characters the box takes beyond "Jo"; 0: as many as it allows
    QTest::newRow("line feed") << QStringLiteral("Mary\nAnn") << QStringLiteral("Mary Ann") << 0;
    QTest::newRow("tab") << QStringLiteral("Mary\tAnn") << QStringLiteral("Mary Ann") << 0;
    QTest::newRow("CR LF") << QStringLiteral("Mary\r\nAnn") << QStringLiteral("Mary  Ann") << 0;
    QTest::newRow("line separator") << QStringLiteral("Mary\u2028Ann") << QStringLiteral("Mary Ann") << 0;
    QTest::newRow("one line already") << QStringLiteral("Mary Ann") << QStringLiteral("Mary Ann") << 0;
    // A full box cuts the emoji's two halves apart; the half that fitted goes too.
    QTest::newRow("emoji cut at the limit") << QStringLiteral("Ann\U0001F600") << QStringLiteral("Ann") << 4;
}

// The box holds what it shows, so the reading shows the name on one line and Save takes it.
void tst_frmMain::nameBox_pastedLineBreaksAndTabs_becomeBlanks()
{
    QFETCH(QString, pasted);
    QFETCH(QString, name);
    QFETCH(int, room);
    auto *box = child<QLineEdit>(m_main, "txtFM");
    if (room > 0)
        box->setMaxLength(2 + room);
    box->setText(QStringLiteral("Jo"));
    box->setCursorPosition(1);
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("J") + name + QStringLiteral("o"));
    QCOMPARE(box->cursorPosition(), 1 + name.size());
}

void tst_frmMain::nameBox_textFromTheAccessibilityBus_staysOnOneLine_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("name");
    // What a screen reader, dictation or on-screen keyboard asks for through the accessibility bus:
    // the whole text replaced (SetTextContents), or text inserted (InsertText).
    QTest::newRow("replaced, line feed") << "replace" << QStringLiteral("Mary\nAnn") << QStringLiteral("Mary Ann");
    QTest::newRow("replaced, tab") << "replace" << QStringLiteral("Mary\tAnn") << QStringLiteral("Mary Ann");
    QTest::newRow("replaced, paragraph separator")
        << "replace" << QStringLiteral("Mary\u2029Ann") << QStringLiteral("Mary Ann");
    QTest::newRow("inserted, CR LF") << "insert" << QStringLiteral("Mary\r\nAnn") << QStringLiteral("JMary  Anno");
    // The box keeps its first 32767 characters; the emoji's first half would be the last.
    QTest::newRow("replaced, emoji cut at the limit")
        << "replace" << QString(32766, QLatin1Char('a')) + QStringLiteral("\U0001F600")
        << QString(32766, QLatin1Char('a'));
}

void tst_frmMain::nameBox_textFromTheAccessibilityBus_staysOnOneLine()
{
    QFETCH(QString, how);
    QFETCH(QString, written);
    QFETCH(QString, name);
    auto *box = child<QLineEdit>(m_main, "txtFM");
    box->setText(QStringLiteral("Jo"));
    QAccessibleEditableTextInterface *text = QAccessible::queryAccessibleInterface(box)->editableTextInterface();
    QVERIFY(text);
    if (how == QLatin1String("replace"))
        text->replaceText(0, int(box->text().size()), written);
    else
        text->insertText(1, written);
    QCOMPARE(box->text(), name);
}

void tst_frmMain::captions_exact_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("cmdLP") << "cmdLP" << "LifePath Compatibility";
    QTest::newRow("cmdD") << "cmdD" << "Destiny Compatibility";
    QTest::newRow("cmdCR") << "cmdCR" << "Comprehensive Reading";
    QTest::newRow("cmdOpen") << "cmdOpen" << "&Open Previously Saved Reading";
    QTest::newRow("cmdExit") << "cmdExit" << "Exit";
    QTest::newRow("cmdNav") << "cmdNav" << "Exit";
    QTest::newRow("Command3") << "Command3" << "Donate";
}

void tst_frmMain::captions_exact()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Tovrin v1.65"));
    QCOMPARE(child<QPushButton>(m_main, qPrintable(name))->text(), caption);
}

void tst_frmMain::menus_entriesAccessKeysAndSeparators()
{
    auto texts = [](const QList<QAction *> &actions) {
        QStringList list;
        for (QAction *a : actions)
            list.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        return list;
    };
    const QList<QAction *> bar = m_main->menuBar()->actions();
    QCOMPARE(texts(bar), QStringList({"&File", "&Help", "&Donate", "Make Money &Online"}));
    QCOMPARE(texts(bar.at(0)->menu()->actions()),
             QStringList({"&Comprehensive Reading", "&LifePath Compatibility", "&Destiny Compatibility",
                          "Export Comprehensive Reading as &PDF...", "Show the &Working", "Open &Recent", "-",
                          "E&xit"}));
    QCOMPARE(texts(bar.at(1)->menu()->actions()),
             QStringList({"&Online help", "&Visit us Online", "-", "Check for Software &Update", "-",
                          "&About Software"}));
    QVERIFY(!bar.at(2)->menu());
    QVERIFY(!bar.at(3)->menu());
}

void tst_frmMain::menuEntries_runTheButtonHandlers_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("button");
    QTest::newRow("LifePath") << "mnuLifePath" << "cmdLP";
    QTest::newRow("Destiny") << "mnuDestiny" << "cmdD";
    QTest::newRow("Comprehensive") << "mnuComprehensive" << "cmdCR";
}

void tst_frmMain::menuEntries_runTheButtonHandlers()
{
    QFETCH(QString, menu);
    QFETCH(QString, button);

    guitest::fillCouple(m_main, {"John", "Paul", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");

    auto shownText = [] {
        QDialog *shown = guitest::modalWindows().isEmpty() ? nullptr : guitest::modalWindows().constLast().data();
        if (!shown)
            return QString();
        auto *box = shown->findChild<RichTextBox *>();
        const QString text = shown->windowTitle() + QLatin1Char('|') + box->text();
        static_cast<ReadingWindow *>(shown)->unload();
        return text;
    };

    child<QPushButton>(m_main, qPrintable(button))->click();
    const QString byButton = shownText();
    m_main->findChild<QAction *>(menu)->trigger();
    const QString byMenu = shownText();

    QVERIFY(!byButton.isEmpty());
    QCOMPARE(byMenu, byButton);
    QCOMPARE(guitest::modalWindows().size(), 2);
}

void tst_frmMain::linkEntries_openTheirPages_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("page");
    QTest::newRow("donate: button and menu") << "Command3" << "mnuDonate" << "donate";
    QTest::newRow("full brand: label and menu") << "lblFullBrand" << "mnuMakeMoney" << "fullbrand";
    QTest::newRow("home: label and menu") << "Label61" << "mnuVisit" << "";
    QTest::newRow("co-brand label") << "lblCobrand" << "" << "cobrand";
    QTest::newRow("online help") << "mnuOnline" << "" << "help";
    QTest::newRow("update") << "mnuUpdate" << "" << "download";
}

void tst_frmMain::linkEntries_openTheirPages()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, page);

    auto activate = [this](const QString &name) {
        if (auto *action = m_main->findChild<QAction *>(name)) {
            action->trigger();
        } else if (auto *button = m_main->findChild<QPushButton *>(name)) {
            button->click();
        } else {
            auto *label = m_main->findChild<QWidget *>(name);
            QVERIFY2(label, qPrintable(name));
            label->show();
            // Let go off the link, a press follows nothing, as on a button.
            QTest::mousePress(label, Qt::LeftButton, {}, label->rect().center());
            QTest::mouseRelease(label, Qt::LeftButton, {}, label->rect().bottomRight() + QPoint(5, 5));
            QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        }
    };
    activate(first);
    if (!second.isEmpty())
        activate(second);

    QCOMPARE(m_urls.urls.size(), second.isEmpty() ? 1 : 2);
    for (const QUrl &url : qAsConst(m_urls.urls)) {
        QVERIFY(url.isValid());
        QVERIFY(!url.isRelative());
        QCOMPARE(url, m_urls.urls.constFirst());
        if (page.isEmpty())
            QVERIFY(!url.path().contains(QLatin1String(".html")));
        else
            QVERIFY2(url.path().contains(page), qPrintable(url.toString()));
    }
    QVERIFY(platform::MessageBox::shown().isEmpty());
}

void tst_frmMain::doubleClick_opensThePageOnce_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("menuEntry"); // an entry of the menu bar itself, for the menu bar
    QTest::newRow("link label") << QStringLiteral("Label61") << QString();
    QTest::newRow("push button") << QStringLiteral("Command3") << QString();
    QTest::newRow("menu bar entry") << QString() << QStringLiteral("mnuMakeMoney");
}

// People who double-click everything must not get the page twice.
void tst_frmMain::doubleClick_opensThePageOnce()
{
    QFETCH(QString, control);
    QFETCH(QString, menuEntry);
    QWidget *widget = m_main->menuBar();
    QPoint centre;
    if (menuEntry.isEmpty()) {
        widget = child<QWidget>(m_main, control.toLatin1().constData());
        centre = widget->rect().center();
    } else {
        centre = m_main->menuBar()->actionGeometry(child<QAction>(m_main, menuEntry.toLatin1().constData())).center();
    }
    widget->show();
    QTest::mouseClick(widget, Qt::LeftButton, {}, centre);
    guitest::finishDoubleClick(widget, centre);
    QCOMPARE(m_urls.urls.size(), 1);

    QTest::mouseClick(widget, Qt::LeftButton, {}, centre); // the next click opens it again
    QCOMPARE(m_urls.urls.size(), 2);
}

void tst_frmMain::validation_showsMessageAndMovesFocus_data()
{
    QTest::addColumn<QString>("blank");
    QTest::addColumn<QString>("message");
    QTest::newRow("male first") << "txtMF" << "Male: First Name cannot be blank";
    QTest::newRow("male last") << "txtML" << "Male: Last Name cannot be blank";
    QTest::newRow("female first") << "txtFF" << "Female: First Name cannot be blank";
    QTest::newRow("female last") << "txtFL" << "Female: Last Name cannot be blank";
}

void tst_frmMain::validation_showsMessageAndMovesFocus()
{
    QFETCH(QString, blank);
    QFETCH(QString, message);

    guitest::fillCouple(m_main, {"John", "", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    child<QLineEdit>(m_main, qPrintable(blank))->setText(QStringLiteral("  "));
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main));

    for (const char *command : {"cmdLP", "cmdD", "cmdCR", "mnuWorking"}) {
        child<QPushButton>(m_main, "cmdD")->setFocus();
        platform::MessageBox::shown().clear();
        if (auto *button = m_main->findChild<QPushButton *>(QLatin1String(command)))
            button->click();
        else
            child<QAction>(m_main, command)->trigger();
        QCOMPARE(platform::MessageBox::shown().size(), 1);
        QCOMPARE(platform::MessageBox::shown().constFirst().text, message);
        QCOMPARE(platform::MessageBox::shown().constFirst().icon, QMessageBox::Information);
        QCOMPARE(QApplication::focusWidget()->objectName(), blank);
    }
    QVERIFY(guitest::modalWindows().isEmpty());
    QVERIFY(!m_main->readingWindow());
    QVERIFY(!m_main->workingWindow());
    QVERIFY(m_main->documentWindow()->RTB()->text().isEmpty()); // nothing was composed
}

void tst_frmMain::dateMessage_leavesFocus()
{
    guitest::fillCouple(m_main, {"John", "", "Smith"}, "April 31 1985", {"Mary", "", "Jones"}, "June 31 1990");
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    auto *cmdLP = child<QPushButton>(m_main, "cmdLP");
    cmdLP->setFocus();
    QVERIFY(!m_main->ValidateInput());
    QCOMPARE(platform::MessageBox::shown().size(), 1);
    QCOMPARE(platform::MessageBox::shown().constFirst().text, QStringLiteral("Please Enter Your Correct Date Or Month !"));
    QCOMPARE(QApplication::focusWidget(), cmdLP);
}

void tst_frmMain::leaving_showsExitScreenUntilItCloses_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("escapeClosesExitScreen"); // else its Close button does
    QTest::newRow("Exit button") << "cmdExit" << false;
    QTest::newRow("second Exit button") << "cmdNav" << true;
    QTest::newRow("File > Exit") << "mnuExit" << false;
    QTest::newRow("close box") << "close" << true;
}

void tst_frmMain::leaving_showsExitScreenUntilItCloses()
{
    QFETCH(QString, how);
    QFETCH(bool, escapeClosesExitScreen);

    const QPointer<frmSaveDocument> document = m_main->documentWindow();
    if (how == QLatin1String("close"))
        m_main->close();
    else if (auto *action = m_main->findChild<QAction *>(how))
        action->trigger();
    else
        child<QPushButton>(m_main, qPrintable(how))->click();

    QVERIFY(!guitest::mainWindow());
    QVERIFY(!m_main->isVisible());
    QVERIFY(guitest::program().exitScreenShown());
    QCOMPARE(guitest::quitCount(), 0); // the program goes on while the exit screen is open

    QWidget *exitScreen = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frmExit") && w->isVisible())
            exitScreen = w;
    }
    QVERIFY(exitScreen);
    if (escapeClosesExitScreen)
        QTest::keyClick(exitScreen, Qt::Key_Escape);
    else
        child<QPushButton>(exitScreen, "cmdClose")->click();
    QCOMPARE(guitest::quitCount(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!document); // every window was unloaded
}

void tst_frmMain::documentWindow_loadedHiddenAtStart()
{
    QTRY_VERIFY(guitest::documentWindow()); // right after the main window's first paint
    frmSaveDocument *document = guitest::documentWindow();
    QVERIFY(!document->isVisible());
    QVERIFY(document->hook().isHooked());
    QVERIFY(document->RTB()->text().isEmpty());
    QVERIFY(!guitest::readingWindow());
}

void tst_frmMain::altO_opensSavedReading_notTheMenuEntry()
{
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    platform::FileDialog::asked().clear();
    platform::FileDialog::setNextFileName(QString()); // Cancel
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
    QCOMPARE(platform::FileDialog::asked().size(), 1);
    QVERIFY(!platform::FileDialog::asked().constFirst().save);
    QVERIFY(m_urls.urls.isEmpty());
}

namespace {

// Shows window, active, with one button captioned caption that counts its presses in presses.
bool showOneButton(QDialog &window, const QString &caption, int &presses)
{
    auto *button = new QPushButton(caption, &window);
    QObject::connect(button, &QPushButton::clicked, &window, [&presses] { ++presses; });
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

// Where Qt's shortcut map finds the button of an access key (on a layout without Latin letters, or
// while a menu or list is open), its repeats pressed the button again, or the button of the window
// the first press opened: Alt+S held in a reading saved the file dialog's name unasked. A digit
// stands in for such a key here; the program's own rule takes Alt with a letter itself.
void tst_frmMain::heldAccessKeyFoundByTheShortcutMap_pressesOnce()
{
    QDialog window;
    int presses = 0;
    QVERIFY(showOneButton(window, QStringLiteral("&1"), presses));
    QTest::simulateEvent(&window, true, Qt::Key_1, Qt::AltModifier, QStringLiteral("1"), false);
    QTRY_COMPARE(presses, 1);
    for (int repeat = 0; repeat < 3; ++repeat)
        QTest::simulateEvent(&window, true, Qt::Key_1, Qt::AltModifier, QStringLiteral("1"), true);
    QTest::simulateEvent(&window, false, Qt::Key_1, Qt::AltModifier, QStringLiteral("1"), false);
    QTest::qWait(300); // a button pressed by its shortcut is clicked 100 ms later
    QCOMPARE(presses, 1);
}

// The X server repeats a held key as a release and a press at the same time; Qt does not always
// see that the press belongs to the release, and then calls it a new press.
void tst_frmMain::heldAccessKey_repeatNotFlaggedByQt_pressesOnce()
{
    QDialog window;
    int presses = 0;
    QVERIFY(showOneButton(window, QStringLiteral("&Save"), presses));
    const quint32 sKey = 39; // the X key code of S
    auto send = [&](QEvent::Type type, quint64 time) {
        QKeyEvent key(type, Qt::Key_S, Qt::AltModifier, sKey, 0, 0, QStringLiteral("s"));
        key.setTimestamp(time);
        QApplication::sendEvent(&window, &key);
    };
    send(QEvent::ShortcutOverride, 1000);
    send(QEvent::KeyPress, 1000);
    QCOMPARE(presses, 1);
    for (quint64 time : {1660, 1700}) { // held: the repeats
        send(QEvent::KeyRelease, time);
        send(QEvent::ShortcutOverride, time);
        send(QEvent::KeyPress, time);
    }
    send(QEvent::KeyRelease, 1720);
    QCOMPARE(presses, 1);
    send(QEvent::ShortcutOverride, 1900); // pressed again
    send(QEvent::KeyPress, 1900);
    QCOMPARE(presses, 2);
}

// Alt+H, then O with Alt still held: the open menu's entry, not the button behind it.
void tst_frmMain::altO_inTheOpenHelpMenu_isOnlineHelp()
{
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    platform::FileDialog::asked().clear();
    platform::FileDialog::setNextFileName(QString()); // Cancel
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::AltModifier);
    auto *help = m_main->findChild<QMenu *>(QStringLiteral("mnuHelp"));
    QTRY_VERIFY(help->isVisible());
    // Alt is still down: no new press of it, which would close the menu.
    QTest::simulateEvent(help, true, Qt::Key_O, Qt::AltModifier, QStringLiteral("o"), false);
    QTest::simulateEvent(help, false, Qt::Key_O, Qt::AltModifier, QStringLiteral("o"), false);
    QTRY_COMPARE(m_urls.urls, QList<QUrl>{platform::webPageAddress(platform::WebPage::OnlineHelp)});
    QVERIFY(platform::FileDialog::asked().isEmpty());
    // With the menu gone, Alt+O is the button's again.
    QTRY_VERIFY(!help->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
    QCOMPARE(platform::FileDialog::asked().size(), 1);
}

void tst_frmMain::enterOnAFocusedButton_pressesIt_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
}

// The main window has no default button, so Enter would otherwise do nothing there.
void tst_frmMain::enterOnAFocusedButton_pressesIt()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main));
    auto *donate = child<QPushButton>(m_main, "Command3");
    donate->setFocus();
    QTest::keyClick(donate, Qt::Key(key), modifiers);
    // A key held down presses it once, as Space does.
    for (int repeat = 0; repeat < 3; ++repeat) {
        QKeyEvent held(QEvent::KeyPress, key, modifiers, QString(), true);
        QApplication::sendEvent(donate, &held);
    }
    QCOMPARE(m_urls.urls, QList<QUrl>{platform::webPageAddress(platform::WebPage::Donate)});
}

void tst_frmMain::commandFromAssistiveTechnology_underADialog_doesNothing_data()
{
    QTest::addColumn<bool>("saveDialogOpen"); // else only the LifePath reading is on show
    QTest::addColumn<bool>("onTheReading");   // else on the main window
    QTest::addColumn<QString>("command");     // a button's or a menu entry's name
    QTest::newRow("Comprehensive Reading") << false << false << "cmdCR";
    QTest::newRow("Open Previously Saved Reading") << false << false << "cmdOpen";
    QTest::newRow("About entry") << false << false << "mnuAbout";
    QTest::newRow("Export entry") << false << false << "mnuExportPdf";
    QTest::newRow("main window's Exit, under Save") << true << false << "cmdExit";
    QTest::newRow("reading's Back, under Save") << true << true << "cmdBack";
    QTest::newRow("reading's Exit, under Save") << true << true << "cmdExit";
}

// The window system gives a window under a modal one no clicks or keys, but a screen reader or
// voice control still presses its buttons and menu entries through the accessibility bus. A
// reading opened from there ran inside the reading on show; Back or Exit on a reading under its
// Save dialog destroyed the window, and the dialog with it, under the code that had opened it.
void tst_frmMain::commandFromAssistiveTechnology_underADialog_doesNothing()
{
    QFETCH(bool, saveDialogOpen);
    QFETCH(bool, onTheReading);
    QFETCH(QString, command);
    platform::setModalHandler({}); // windows run their own loops, as in the program
    guitest::fillCouple(m_main, {"John", "", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    QStringList before, after;
    int loopsBefore = 0, loopsAfter = 0;
    bool saveClicked = false;

    QEventLoop application; // as QApplication::exec() runs the program
    QTimer::singleShot(0, &application, [&] { m_main->cmdLP_Click(); });
    // Each step waits for the last one to show: the reading, then Save's dialog over it.
    QTimer step;
    connect(&step, &QTimer::timeout, &application, [&] {
        frmDisp *reading = guitest::readingWindow();
        QWidget *modal = QApplication::activeModalWidget();
        if (!reading || !reading->isVisible())
            return;
        if (saveDialogOpen && modal == reading) {
            if (!saveClicked) {
                saveClicked = true;
                QMetaObject::invokeMethod(child<QPushButton>(reading, "cmdSave"), "click", Qt::QueuedConnection);
            }
            return;
        }
        step.stop();
        loopsBefore = QThread::currentThread()->loopLevel();
        before = guitest::visibleTopLevelWindows();
        // A button's press lands 100 ms later (Qt animates it), a menu entry's at once, inside which
        // whatever it opens runs: this looks afterwards.
        QTimer::singleShot(500, &application, [&] {
            loopsAfter = QThread::currentThread()->loopLevel();
            after = guitest::visibleTopLevelWindows();
            while (QWidget *open = QApplication::activeModalWidget()) {
                if (auto *window = qobject_cast<UnloadingDialog *>(open))
                    window->unload();
                else
                    qobject_cast<QDialog *>(open)->reject();
            }
            QTimer::singleShot(100, &application, &QEventLoop::quit);
        });
        QWidget *window = onTheReading ? static_cast<QWidget *>(reading) : m_main;
        if (auto *button = window->findChild<QPushButton *>(command)) {
            QAccessibleInterface *pressable = QAccessible::queryAccessibleInterface(button);
            pressable->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        } else {
            child<QAction>(window, qPrintable(command))->trigger(); // as a menu entry is pressed
        }
    });
    step.start(20);
    QTimer::singleShot(20000, &application, &QEventLoop::quit);
    application.exec();

    QCOMPARE(loopsBefore, saveDialogOpen ? 3 : 2);
    QCOMPARE(loopsAfter, loopsBefore);
    QCOMPARE(after, before);
}

void tst_frmMain::commandFromAssistiveTechnology_underTheExitScreen_doesNothing_data()
{
    QTest::addColumn<QString>("command"); // a button's or a menu entry's name
    for (const char *command : {"cmdCR", "cmdLP", "cmdD", "cmdOpen", "mnuComprehensive", "mnuExportPdf", "mnuWorking",
                                "mnuAbout", "mnuRecent"})
        QTest::newRow(command) << command;
}

// A reading's Exit hides the main window and shows the exit screen; the hidden window's buttons
// and menu entries stay on the accessibility bus. Pressed from there, a reading opened over the
// exit screen and its Back brought the main window back while the program was leaving; Open and
// Export asked for a file.
void tst_frmMain::commandFromAssistiveTechnology_underTheExitScreen_doesNothing()
{
    QFETCH(QString, command);
    guitest::fillCouple(m_main, {"John", "", "Smith"}, "March 15 1985", {"Mary", "", "Jones"}, "January 1 1990");
    m_main->cmdLP_Click();
    child<QPushButton>(guitest::readingWindow(), "cmdExit")->click();
    QVERIFY(guitest::program().exitScreenShown());
    const QStringList before = guitest::visibleTopLevelWindows();
    QCOMPARE(before, QStringList{"frmExit"});
    const qsizetype shownModally = guitest::modalWindows().size();
    platform::FileDialog::asked().clear();
    platform::FileDialog::setNextFileName(QString()); // Cancel, should a dialog be asked for

    // The bus presses a button with an animated click, which ends in clicked(); a menu entry is
    // triggered.
    if (auto *button = m_main->findChild<QPushButton *>(command)) {
        button->click();
    } else if (auto *recent = m_main->findChild<QMenu *>(command)) { // the entry of a listed reading
        settings::addRecentReading(*settings::openSettingsStore(), QStringLiteral("/nowhere/reading.kvl"));
        emit recent->aboutToShow();
        recent->actions().constFirst()->trigger();
    } else {
        child<QAction>(m_main, qPrintable(command))->trigger();
    }

    const bool asked = !platform::FileDialog::asked().isEmpty();
    if (!asked)
        platform::FileDialog::getOpenFileName(nullptr, {}); // takes the unused answer
    QVERIFY(!asked);
    QCOMPARE(guitest::modalWindows().size(), shownModally);
    QCOMPARE(guitest::visibleTopLevelWindows(), before);
}

QTEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"
