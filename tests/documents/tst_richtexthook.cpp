#include "../common/guitest.h"

#include "gui/documents/frmdisp.h"
#include "gui/documents/frmsavedocument.h"
#include "gui/documents/richtextbox.h"
#include "gui/documents/richtexthook.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

namespace {

// Stands in for the browser: every address the program hands to the desktop lands here.
class Browser : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

// The centre of the character at position in the box, in viewport coordinates.
QPoint pointAt(RichTextBox *box, int position)
{
    QTextCursor cursor(box->document());
    cursor.setPosition(position);
    const QRect before = box->cursorRect(cursor);
    cursor.setPosition(position + 1);
    const QRect after = box->cursorRect(cursor);
    return QPoint((before.left() + after.left()) / 2, before.center().y());
}

QPoint pointInText(RichTextBox *box, const QString &text)
{
    const int position = int(box->document()->toPlainText().indexOf(text));
    if (position < 0)
        qFatal("no %s in the box", qPrintable(text));
    return pointAt(box, position + int(text.size()) / 2);
}

void send(RichTextBox *box, QEvent::Type type, const QPoint &pos, Qt::MouseButton button,
          Qt::MouseButtons buttons)
{
    QWidget *viewport = box->viewport();
    QMouseEvent event(type, pos, viewport->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

void press(RichTextBox *box, const QPoint &pos, Qt::MouseButton button = Qt::LeftButton)
{
    send(box, QEvent::MouseButtonPress, pos, button, button);
}

void release(RichTextBox *box, const QPoint &pos, Qt::MouseButton button = Qt::LeftButton)
{
    send(box, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

// The target of each marked link, in order; a link that is not underlined is marked "!".
QStringList links(const RichTextBox *box)
{
    QStringList result;
    int lastEnd = -1;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isAnchor())
                continue;
            const QString entry = format.anchorHref() + (format.fontUnderline() ? QString() : QStringLiteral("!"));
            // One link may be split into fragments by a change of emphasis.
            if (fragment.position() != lastEnd || result.isEmpty() || result.last() != entry)
                result.append(entry);
            lastEnd = fragment.position() + fragment.length();
        }
    }
    return result;
}

int anchorCharacters(const RichTextBox *box)
{
    int count = 0;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() || format.fontUnderline() || format.hasProperty(QTextFormat::ForegroundBrush))
                count += it.fragment().length();
        }
    }
    return count;
}

} // namespace

class tst_RichTextHook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void addressesInTheText_areMarkedAsLinks();
    void marking_keepsEmphasisAndText();
    void marking_followsEveryNewText();
    void leftPress_onLink_opensItOnce_data();
    void leftPress_onLink_opensItOnce();
    void pressElsewhere_opensNothing();
    void moveReleaseAndOtherButtons_openNothing();
    void doubleClick_opensOnce();
    void enterWithTheCaretOnALink_opensItOnce_data();
    void enterWithTheCaretOnALink_opensItOnce();
    void otherSchemesAndHiddenDestinations_stayPlainText();
    void pointingHand_overLinksOnly();
    void unhook_removesMarksAndOpensNothing_twiceChangesNothing();
    void bothWindowsHooked_eachHandlesOnlyItsOwnBox();
    void unloadingOneWindow_leavesTheOtherHooked();
    void hookAgain_movesToTheNewBox();

private:
    Browser m_browser;
    frmDisp *shownDisp(const QString &text);
};

void tst_RichTextHook::initTestCase()
{
    for (const char *scheme : {"http", "https", "mailto", "file", "ftp"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), &m_browser, "open");
}

void tst_RichTextHook::cleanupTestCase()
{
    for (const char *scheme : {"http", "https", "mailto", "file", "ftp"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
}

void tst_RichTextHook::init()
{
    guitest::setUp();
    m_browser.opened.clear();
}

void tst_RichTextHook::cleanup()
{
    guitest::unloadAll();
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

frmDisp *tst_RichTextHook::shownDisp(const QString &text)
{
    frmDisp *disp = guitest::loadWindow<frmDisp>();
    disp->txtDisp()->setText(text);
    disp->show();
    if (!QTest::qWaitForWindowExposed(disp))
        qFatal("reading window not exposed");
    return disp;
}

void tst_RichTextHook::addressesInTheText_areMarkedAsLinks()
{
    RichTextBox *box = shownDisp(QStringLiteral("Help at https://www.example.com/tovrin/help.html.\r\n"
                                                "Or www.example.org, or mailto:ads@example.com"))->txtDisp();
    QCOMPARE(links(box), (QStringList{
                             QStringLiteral("https://www.example.com/tovrin/help.html"),
                             QStringLiteral("www.example.org"),
                             QStringLiteral("mailto:ads@example.com"),
                         }));
    QCOMPARE(anchorCharacters(box), 40 + 15 + 22);
}

void tst_RichTextHook::marking_keepsEmphasisAndText()
{
    frmSaveDocument *document = guitest::loadWindow<frmSaveDocument>();
    RichTextBox *rtb = document->RTB();
    rtb->showRuns({{QStringLiteral("Male Information\r\n"), false},
                   {QStringLiteral("Bold www.example.com/"), true},
                   {QStringLiteral("tail plain\r\n"), false}});
    const QString expected = QStringLiteral("Male Information\r\nBold www.example.com/tail plain\r\n");
    QCOMPARE(rtb->text(), expected);

    // One link across the change of emphasis, each part keeping its own weight.
    QTextCursor cursor(rtb->document());
    const int start = int(rtb->document()->toPlainText().indexOf(QLatin1String("www.")));
    cursor.setPosition(start + 1);
    QVERIFY(cursor.charFormat().isAnchor());
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(cursor.charFormat().anchorHref(), QStringLiteral("www.example.com/tail"));
    cursor.setPosition(start + 18);
    QVERIFY(cursor.charFormat().isAnchor());
    QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Normal));
    cursor.setPosition(start + 22); // in "plain"
    QVERIFY(!cursor.charFormat().isAnchor());
    QVERIFY(!cursor.charFormat().fontUnderline());
}

void tst_RichTextHook::marking_followsEveryNewText()
{
    RichTextBox *box = shownDisp(QStringLiteral("first http://one.example"))->txtDisp();
    QCOMPARE(links(box).size(), 1);
    box->setText(QStringLiteral("no address any more"));
    QCOMPARE(links(box), QStringList());
    QCOMPARE(anchorCharacters(box), 0);
    box->setText(box->text() + QStringLiteral(" then www.two.example"));
    QCOMPARE(links(box), QStringList{QStringLiteral("www.two.example")});
}

void tst_RichTextHook::leftPress_onLink_opensItOnce_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QUrl>("opened");
    QTest::newRow("https") << QStringLiteral("https://www.example.com/help.html") << QUrl(QStringLiteral("https://www.example.com/help.html"));
    QTest::newRow("http") << QStringLiteral("http://example.org/a?b=1") << QUrl(QStringLiteral("http://example.org/a?b=1"));
    QTest::newRow("www") << QStringLiteral("www.example.net") << QUrl(QStringLiteral("http://www.example.net"));
    QTest::newRow("mailto") << QStringLiteral("mailto:ads@example.com") << QUrl(QStringLiteral("mailto:ads@example.com"));
}

void tst_RichTextHook::leftPress_onLink_opensItOnce()
{
    QFETCH(QString, written);
    QFETCH(QUrl, opened);
    RichTextBox *box = shownDisp(QStringLiteral("Visit ") + written + QStringLiteral(" today.\r\n"))->txtDisp();
    const QPoint onLink = pointInText(box, written);
    QSignalSpy pressesSeenByTheBox(box, &RichTextBox::mouseDown);

    press(box, onLink);
    QCOMPARE(m_browser.opened, QList<QUrl>{opened});
    QCOMPARE(pressesSeenByTheBox.size(), 1); // the press still reaches the box
    release(box, onLink);
    QCOMPARE(m_browser.opened, QList<QUrl>{opened});
}

void tst_RichTextHook::pressElsewhere_opensNothing()
{
    RichTextBox *box = shownDisp(QStringLiteral("Visit www.example.com today.\r\n\r\nAnother line"))->txtDisp();
    press(box, pointInText(box, QStringLiteral("Visit")));
    press(box, pointInText(box, QStringLiteral("today")));
    press(box, pointInText(box, QStringLiteral("Another")));
    press(box, QPoint(box->viewport()->width() - 3, box->viewport()->height() - 3)); // below the text
    QCOMPARE(m_browser.opened, QList<QUrl>());
}

void tst_RichTextHook::moveReleaseAndOtherButtons_openNothing()
{
    RichTextBox *box = shownDisp(QStringLiteral("Visit www.example.com today."))->txtDisp();
    const QPoint onLink = pointInText(box, QStringLiteral("www.example.com"));
    send(box, QEvent::MouseMove, onLink, Qt::NoButton, Qt::NoButton);
    release(box, onLink);
    press(box, onLink, Qt::RightButton);
    release(box, onLink, Qt::RightButton);
    press(box, onLink, Qt::MiddleButton);
    release(box, onLink, Qt::MiddleButton);
    send(box, QEvent::MouseMove, onLink + QPoint(1, 0), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(m_browser.opened, QList<QUrl>());
}

void tst_RichTextHook::doubleClick_opensOnce()
{
    RichTextBox *box = shownDisp(QStringLiteral("Visit www.example.com today."))->txtDisp();
    const QPoint onLink = pointInText(box, QStringLiteral("www.example.com"));
    // What the system delivers for a double-click: press, release, double-click, release.
    press(box, onLink);
    release(box, onLink);
    send(box, QEvent::MouseButtonDblClick, onLink, Qt::LeftButton, Qt::LeftButton);
    release(box, onLink);
    QCOMPARE(m_browser.opened, QList<QUrl>{QUrl(QStringLiteral("http://www.example.com"))});
}

void tst_RichTextHook::enterWithTheCaretOnALink_opensItOnce_data()
{
    QTest::addColumn<int>("caret"); // from the start of "Visit www.example.com today."
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("opens");
    QTest::newRow("at its start") << 6 << int(Qt::Key_Return) << true;
    QTest::newRow("inside, keypad Enter") << 12 << int(Qt::Key_Enter) << true;
    QTest::newRow("just after it") << 21 << int(Qt::Key_Return) << true;
    QTest::newRow("before it") << 5 << int(Qt::Key_Return) << false;
    QTest::newRow("on plain text") << 24 << int(Qt::Key_Return) << false;
}

// Keyboard users reach a link in the reading as the arrow keys move the caret onto it.
void tst_RichTextHook::enterWithTheCaretOnALink_opensItOnce()
{
    QFETCH(int, caret);
    QFETCH(int, key);
    QFETCH(bool, opens);
    frmDisp *disp = shownDisp(QStringLiteral("Visit www.example.com today."));
    RichTextBox *box = disp->txtDisp();
    box->setFocus();
    box->setSelStart(caret);
    const QList<QUrl> expected = opens ? QList<QUrl>{QUrl(QStringLiteral("http://www.example.com"))} : QList<QUrl>();
    const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;

    QTest::keyClick(box, Qt::Key(key), modifiers);
    QCOMPARE(m_browser.opened, expected);
    // A held key opens it once, and the window stays.
    QKeyEvent repeat(QEvent::KeyPress, key, modifiers, QString(), true);
    QApplication::sendEvent(box, &repeat);
    QCOMPARE(m_browser.opened, expected);
    QVERIFY(disp->isVisible());
}

void tst_RichTextHook::otherSchemesAndHiddenDestinations_stayPlainText()
{
    const QStringList parts = {
        QStringLiteral("file:///etc/passwd"), QStringLiteral("ftp://example.com/x"),
        QStringLiteral("javascript:alert(1)"), QStringLiteral("www.example.com@evil.test"),
        QStringLiteral("http://user:pw@127.0.0.1:631/admin"), QStringLiteral("mailto:a@evil.test?attach=/etc/passwd"),
        QStringLiteral("http://x") + QString(1100, QLatin1Char('a')),
    };
    RichTextBox *box = shownDisp(parts.join(QLatin1Char(' ')))->txtDisp();
    const Qt::CursorShape normal = box->viewport()->cursor().shape();
    QCOMPARE(links(box), QStringList());
    QCOMPARE(anchorCharacters(box), 0);
    for (const QString &part : parts) {
        const QPoint on = pointInText(box, part.left(20));
        send(box, QEvent::MouseMove, on, Qt::NoButton, Qt::NoButton);
        QCOMPARE(box->viewport()->cursor().shape(), normal);
        press(box, on);
    }
    QCOMPARE(m_browser.opened, QList<QUrl>());
}

void tst_RichTextHook::pointingHand_overLinksOnly()
{
    RichTextBox *box = shownDisp(QStringLiteral("Visit www.example.com today."))->txtDisp();
    const Qt::CursorShape normal = box->viewport()->cursor().shape();
    QVERIFY(box->viewport()->hasMouseTracking());
    send(box, QEvent::MouseMove, pointInText(box, QStringLiteral("example")), Qt::NoButton, Qt::NoButton);
    QCOMPARE(box->viewport()->cursor().shape(), Qt::PointingHandCursor);
    send(box, QEvent::MouseMove, pointInText(box, QStringLiteral("today")), Qt::NoButton, Qt::NoButton);
    QCOMPARE(box->viewport()->cursor().shape(), normal);
}

void tst_RichTextHook::unhook_removesMarksAndOpensNothing_twiceChangesNothing()
{
    frmDisp *disp = shownDisp(QStringLiteral("Visit www.example.com today."));
    RichTextBox *box = disp->txtDisp();
    const QPoint onLink = pointInText(box, QStringLiteral("www.example.com"));
    send(box, QEvent::MouseMove, onLink, Qt::NoButton, Qt::NoButton);

    documents::RichTextHook &hook = const_cast<documents::RichTextHook &>(disp->hook());
    QVERIFY(hook.isHooked());
    hook.UnhookRichText();
    QVERIFY(!hook.isHooked());
    QCOMPARE(box->text(), QStringLiteral("Visit www.example.com today."));
    QCOMPARE(anchorCharacters(box), 0);
    QVERIFY(box->viewport()->cursor().shape() != Qt::PointingHandCursor);

    press(box, onLink);
    box->setText(QStringLiteral("Now https://example.org"));
    QCOMPARE(links(box), QStringList());
    press(box, pointInText(box, QStringLiteral("example.org")));

    hook.UnhookRichText();
    QVERIFY(!hook.isHooked());
    QCOMPARE(box->text(), QStringLiteral("Now https://example.org"));
    QCOMPARE(m_browser.opened, QList<QUrl>());
}

void tst_RichTextHook::bothWindowsHooked_eachHandlesOnlyItsOwnBox()
{
    frmSaveDocument *document = guitest::loadWindow<frmSaveDocument>();
    document->RTB()->setText(QStringLiteral("Document http://document.example here"));
    document->show();
    QVERIFY(QTest::qWaitForWindowExposed(document));
    RichTextBox *rtb = document->RTB();
    RichTextBox *txtDisp = shownDisp(QStringLiteral("Reading http://reading.example here"))->txtDisp();

    QVERIFY(document->hook().isHooked());
    QVERIFY(guitest::readingWindow()->hook().isHooked());
    QCOMPARE(document->hook().box(), rtb);
    QCOMPARE(guitest::readingWindow()->hook().box(), txtDisp);

    press(rtb, pointInText(rtb, QStringLiteral("document.example")));
    QCOMPARE(m_browser.opened, QList<QUrl>{QUrl(QStringLiteral("http://document.example"))});
    press(txtDisp, pointInText(txtDisp, QStringLiteral("reading.example")));
    QCOMPARE(m_browser.opened, (QList<QUrl>{QUrl(QStringLiteral("http://document.example")),
                                            QUrl(QStringLiteral("http://reading.example"))}));
    // The same place in the other box, where there is no link, opens nothing.
    press(txtDisp, pointInText(txtDisp, QStringLiteral("Reading")));
    press(rtb, pointInText(rtb, QStringLiteral("Document")));
    QCOMPARE(m_browser.opened.size(), 2);
}

void tst_RichTextHook::unloadingOneWindow_leavesTheOtherHooked()
{
    frmSaveDocument *document = guitest::loadWindow<frmSaveDocument>();
    document->RTB()->setText(QStringLiteral("Document http://document.example here"));
    document->show();
    QVERIFY(QTest::qWaitForWindowExposed(document));
    shownDisp(QStringLiteral("Reading http://reading.example here"));

    guitest::readingWindow()->unload(); // Back from the reading window
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!guitest::readingWindow());

    QVERIFY(document->hook().isHooked());
    RichTextBox *rtb = document->RTB();
    press(rtb, pointInText(rtb, QStringLiteral("document.example")));
    QCOMPARE(m_browser.opened, QList<QUrl>{QUrl(QStringLiteral("http://document.example"))});
    rtb->setText(rtb->text() + QStringLiteral(" and www.more.example"));
    QCOMPARE(links(rtb).size(), 2);
}

void tst_RichTextHook::hookAgain_movesToTheNewBox()
{
    RichTextBox first;
    RichTextBox second;
    first.setText(QStringLiteral("www.first.example"));
    second.setText(QStringLiteral("www.second.example"));
    {
        documents::RichTextHook hook;
        hook.HookRichText(&first);
        QCOMPARE(links(&first).size(), 1);
        hook.HookRichText(&second);
        QCOMPARE(hook.box(), &second);
        QCOMPARE(links(&first).size(), 0);
        QCOMPARE(links(&second).size(), 1);
    }
    // A hook that goes away takes its marks with it.
    QCOMPARE(links(&second).size(), 0);
    QCOMPARE(second.text(), QStringLiteral("www.second.example"));
}

QTEST_MAIN(tst_RichTextHook)
#include "tst_richtexthook.moc"
