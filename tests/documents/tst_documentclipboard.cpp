#include "../common/guitest.h"

#include "gui/documents/frmsavedocument.h"
#include "gui/documents/richtextbox.h"

#include <QClipboard>
#include <QMouseEvent>
#include <QProcess>
#include <QTextCursor>

#include <cstdio>

namespace {

const QString kOtherProgramsText = QStringLiteral("copied in another program");

void send(QWidget *viewport, QEvent::Type type, const QPoint &pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, viewport->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

} // namespace

// The document window keeps its reading from being copied without touching what other programs
// put on the clipboard. Offscreen, Qt never reports owning the clipboard, so what this test puts
// there counts as another program's, and emptying our own cannot be shown. On a display (xcb) a
// second process holds the other program's text, and this program's own text is emptied.
class tst_DocumentClipboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void composingAndMouseOverTheDocument_leaveOtherProgramsClipboard();
    void documentBox_keepsNoSelection_soCopyCopiesNothing();
    void ownClipboardContent_isEmptied_data();
    void ownClipboardContent_isEmptied();

private:
    frmSaveDocument *shownDocument();
    QProcess m_otherProgram;
};

void tst_DocumentClipboard::init()
{
    guitest::setUp();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(kOtherProgramsText);
    if (!clipboard->ownsClipboard())
        return;
    // This program owns what it just put there: let another process take the clipboard over.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TOVRIN_TEST_HOLD_CLIPBOARD"), kOtherProgramsText);
    m_otherProgram.setProcessEnvironment(env);
    m_otherProgram.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(m_otherProgram.waitForReadyRead(30000));
    QTRY_VERIFY(!clipboard->ownsClipboard() && clipboard->text() == kOtherProgramsText);
}

void tst_DocumentClipboard::cleanup()
{
    if (m_otherProgram.state() != QProcess::NotRunning) {
        m_otherProgram.kill();
        m_otherProgram.waitForFinished();
    }
    guitest::unloadAll();
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

frmSaveDocument *tst_DocumentClipboard::shownDocument()
{
    frmSaveDocument *document = guitest::loadWindow<frmSaveDocument>();
    RichTextBox *rtb = document->RTB();
    rtb->setSelText(QStringLiteral("Male Information\r\nName: John Paul Smith\r\n"));
    rtb->setSelBold(true);
    rtb->setSelText(QStringLiteral("LifePath Compatibility Number Combination is 5 + 3\r\n"));
    document->show();
    if (!QTest::qWaitForWindowExposed(document))
        qFatal("document window not exposed");
    return document;
}

void tst_DocumentClipboard::composingAndMouseOverTheDocument_leaveOtherProgramsClipboard()
{
    RichTextBox *rtb = shownDocument()->RTB();
    QWidget *viewport = rtb->viewport();
    const QPoint inText = rtb->cursorRect(QTextCursor(rtb->document())).center() + QPoint(20, 0);

    send(viewport, QEvent::MouseMove, inText, Qt::NoButton, Qt::NoButton);
    send(viewport, QEvent::MouseButtonPress, inText, Qt::LeftButton, Qt::LeftButton);
    send(viewport, QEvent::MouseMove, inText + QPoint(40, 20), Qt::NoButton, Qt::LeftButton);
    send(viewport, QEvent::MouseButtonRelease, inText + QPoint(40, 20), Qt::LeftButton, Qt::NoButton);
    rtb->setSelText(QStringLiteral("more text"));

    QCOMPARE(QGuiApplication::clipboard()->text(), kOtherProgramsText);
}

void tst_DocumentClipboard::documentBox_keepsNoSelection_soCopyCopiesNothing()
{
    RichTextBox *rtb = shownDocument()->RTB();
    QWidget *viewport = rtb->viewport();
    const QPoint start = rtb->cursorRect(QTextCursor(rtb->document())).center();

    // What a drag over the text selects is let go when the button is released.
    send(viewport, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    send(viewport, QEvent::MouseMove, start + QPoint(120, 30), Qt::NoButton, Qt::LeftButton);
    send(viewport, QEvent::MouseButtonRelease, start + QPoint(120, 30), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(rtb->selLength(), 0);

    // Neither does the keyboard; and copying copies nothing.
    rtb->setFocus();
    QTest::keyClick(rtb, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(rtb, Qt::Key_End, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(rtb->selLength(), 0);
    QTest::keyClick(rtb, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(rtb, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), kOtherProgramsText);
}

void tst_DocumentClipboard::ownClipboardContent_isEmptied_data()
{
    QTest::addColumn<QString>("event");
    QTest::newRow("mouse move") << QStringLiteral("move");
    QTest::newRow("mouse press") << QStringLiteral("press");
    QTest::newRow("mouse release") << QStringLiteral("release");
    QTest::newRow("text change") << QStringLiteral("change");
}

void tst_DocumentClipboard::ownClipboardContent_isEmptied()
{
    QFETCH(QString, event);
    RichTextBox *rtb = shownDocument()->RTB();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("Name: John Paul Smith"));
    if (!clipboard->ownsClipboard())
        QSKIP("this platform never reports owning the clipboard (offscreen); run on a display (xcb)");

    QWidget *viewport = rtb->viewport();
    const QPoint inText = rtb->cursorRect(QTextCursor(rtb->document())).center() + QPoint(20, 0);
    if (event == QLatin1String("move"))
        send(viewport, QEvent::MouseMove, inText, Qt::NoButton, Qt::NoButton);
    else if (event == QLatin1String("press"))
        send(viewport, QEvent::MouseButtonPress, inText, Qt::LeftButton, Qt::LeftButton);
    else if (event == QLatin1String("release"))
        send(viewport, QEvent::MouseButtonRelease, inText, Qt::LeftButton, Qt::NoButton);
    else
        rtb->setSelText(QStringLiteral("more"));

    QCOMPARE(clipboard->text(), QString());
}

// The other program of the tests on a display: puts text on the clipboard and keeps it there
// until it is ended.
static int holdClipboard(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    std::fputs("holding\n", stdout);
    std::fflush(stdout);
    return QCoreApplication::exec();
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (qEnvironmentVariableIsSet("TOVRIN_TEST_HOLD_CLIPBOARD"))
        return holdClipboard(qEnvironmentVariable("TOVRIN_TEST_HOLD_CLIPBOARD"));
    tst_DocumentClipboard test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_documentclipboard.moc"
