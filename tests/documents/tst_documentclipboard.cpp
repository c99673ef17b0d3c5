#include "../common/guitest.h"

#include "documents/frmsavedocument.h"
#include "documents/richtextbox.h"

#include <QClipboard>
#include <QMouseEvent>
#include <QTextCursor>

namespace {

const QString kOtherProgramsText = QStringLiteral("copied in another program");

void send(QWidget *viewport, QEvent::Type type, const QPoint &pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, viewport->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

} // namespace

// The document window keeps its reading from being copied without touching what other programs
// put on the clipboard. (Offscreen, Qt never reports owning the clipboard, so what is put there
// here counts as another program's; emptying our own is shown on a real display.)
class tst_DocumentClipboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void composingAndMouseOverTheDocument_leaveOtherProgramsClipboard();
    void documentBox_allowsNoSelection_soCopyCopiesNothing();

private:
    frmSaveDocument *shownDocument();
};

void tst_DocumentClipboard::init()
{
    guitest::setUp();
    QGuiApplication::clipboard()->setText(kOtherProgramsText);
}

void tst_DocumentClipboard::cleanup()
{
    guitest::unloadAll();
    QCOMPARE(guitest::visibleTopLevelWindows(), QStringList());
}

frmSaveDocument *tst_DocumentClipboard::shownDocument()
{
    frmSaveDocument *document = frmSaveDocument::instance();
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
    QVERIFY(!QGuiApplication::clipboard()->ownsClipboard());
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

void tst_DocumentClipboard::documentBox_allowsNoSelection_soCopyCopiesNothing()
{
    RichTextBox *rtb = shownDocument()->RTB();
    QWidget *viewport = rtb->viewport();
    const QPoint start = rtb->cursorRect(QTextCursor(rtb->document())).center();

    // Dragging over the text selects nothing.
    send(viewport, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    send(viewport, QEvent::MouseMove, start + QPoint(120, 30), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(rtb->selLength(), 0);
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

QTEST_MAIN(tst_DocumentClipboard)
#include "tst_documentclipboard.moc"
