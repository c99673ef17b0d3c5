#include "gui/documents/frmsavedocument.h"

#include "gui/documents/richtextbox.h"
#include "gui/platform/layouttable.h"
#include "gui/platform/look.h"

#include <QClipboard>
#include <QGuiApplication>

frmSaveDocument::frmSaveDocument(QWidget *parent)
    : ReadingWindow(QStringLiteral("frmSaveDocument"), QStringLiteral("RTB"), parent)
{
    setFont(platform::windowFont());
    setFixedSize(platform::twipsRect(this, 0, 0, 8265, 5145).size());
    platform::applyPlacements(this, {
        {"Label61", 1372, 0, 5520, 435},
        {"RTB", 60, 420, 8205, 4230},
        {"Label1", 60, 4680, 3495, 435},
        {"Label2", 780, 4890, 1875, 255},
        {"cmdBack", 3750, 4740, 1455, 375},
        {"cmdPrint", 5250, 4740, 1455, 375},
        {"cmdSave", 6750, 4740, 1455, 375},
    });
    platform::applyTabOrder(this, {"RTB", "cmdSave", "cmdBack", "cmdPrint", "Label61"});

    RichTextBox *rtb = RTB();
    rtb->setAccessibleName(QStringLiteral("Comprehensive Reading")); // the window's caption does not say
    // The arrow keys move a caret through the reading, which screen readers follow line by line;
    // nothing can be selected, so nothing can be copied.
    rtb->setCopyable(false);
    connect(rtb, &QTextEdit::textChanged, this, &frmSaveDocument::RTB_Change);
    connect(rtb, &RichTextBox::clicked, this, &frmSaveDocument::RTB_Click);
    connect(rtb, &RichTextBox::mouseDown, this, &frmSaveDocument::RTB_MouseDown);
    connect(rtb, &RichTextBox::mouseMove, this, &frmSaveDocument::RTB_MouseMove);
    connect(rtb, &RichTextBox::mouseUp, this, &frmSaveDocument::RTB_MouseUp);

    Form_Load();
}

void frmSaveDocument::clearOwnClipboard()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard->ownsClipboard())
        clipboard->clear(QClipboard::Clipboard);
    if (clipboard->supportsSelection() && clipboard->ownsSelection())
        clipboard->clear(QClipboard::Selection);
}

void frmSaveDocument::RTB_Change() { clearOwnClipboard(); }
void frmSaveDocument::RTB_Click() { clearOwnClipboard(); }
void frmSaveDocument::RTB_MouseDown() { clearOwnClipboard(); }
void frmSaveDocument::RTB_MouseMove() { clearOwnClipboard(); }
void frmSaveDocument::RTB_MouseUp() { clearOwnClipboard(); }
