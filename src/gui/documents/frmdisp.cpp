#include "gui/documents/frmdisp.h"

#include "gui/documents/richtextbox.h"
#include "gui/platform/layouttable.h"
#include "gui/platform/look.h"
#include "gui/platform/seams.h"

#include <QLabel>
#include <QPushButton>

frmDisp::frmDisp(QWidget *parent)
    : ReadingWindow(QStringLiteral("frmDisp"), QStringLiteral("txtDisp"), parent)
{
    // Below the visible area, as designed, but still reachable by its access key.
    m_cmdExit = button(QStringLiteral("cmdExit"), QStringLiteral("&Exit"));
    platform::connectCommand(m_cmdExit, &QPushButton::clicked, this, &frmDisp::cmdExit_Click);

    setFixedSize(platform::twipsRect(this, 0, 0, 5565, 3630).size());
    platform::applyPlacements(this, {
        {"Label61", 0, 0, 5670, 435},
        {"txtDisp", 60, 390, 5475, 2715},
        {"Label1", 120, 3180, 2505, 435},
        {"Label2", 750, 3360, 1875, 255},
        {"cmdBack", 2970, 3180, 825, 405},
        {"cmdPrint", 3840, 3180, 825, 405},
        {"cmdSave", 4710, 3180, 825, 405},
        {"cmdExit", 3510, 3720, 825, 405},
    });
    platform::applyTabOrder(this, {"cmdExit", "cmdBack", "cmdSave", "cmdPrint", "txtDisp", "Label61"});
    // Label1 and Label2 read as one advertisement: Label1's first line holds the sentence, and
    // Label2's address follows "Contact " on its second line.
    platform::fitLineInWidth(m_label1, QStringLiteral("Display Your Ad Here Permanently."));
    m_label2->setFont(m_label1->font());

    RichTextBox *box = txtDisp();
    box->setCopyable(false);
    connect(box, &RichTextBox::gotFocus, this, &frmDisp::txtDisp_GotFocus);
    connect(box, &RichTextBox::keyDown, this, &frmDisp::txtDisp_KeyDown);
    connect(box, &RichTextBox::keyPress, this, &frmDisp::txtDisp_KeyPress);
    connect(box, &RichTextBox::keyUp, this, &frmDisp::txtDisp_KeyUp);
    connect(box, &RichTextBox::mouseDown, this, &frmDisp::txtDisp_MouseDown);
    connect(box, &RichTextBox::mouseUp, this, &frmDisp::txtDisp_MouseUp);

    Form_Load();
}

void frmDisp::txtDisp_GotFocus() { txtDisp()->setSelLength(0); }
void frmDisp::txtDisp_KeyDown() { txtDisp()->setSelLength(0); }
void frmDisp::txtDisp_KeyPress() { txtDisp()->setSelLength(0); }
void frmDisp::txtDisp_KeyUp() { txtDisp()->setSelLength(0); }
void frmDisp::txtDisp_MouseDown() { txtDisp()->setSelLength(0); }
void frmDisp::txtDisp_MouseUp() { txtDisp()->setSelLength(0); }

void frmDisp::cmdExit_Click()
{
    unload();
    emit exitRequested();
}
