#include "documents/frmsavedocument.h"

#include "app/frmmain.h"
#include "platform/layouttable.h"
#include "platform/look.h"

#include <QPointer>

namespace {

QPointer<frmSaveDocument> s_instance;

} // namespace

frmSaveDocument *frmSaveDocument::instance()
{
    if (!s_instance)
        s_instance = new frmSaveDocument(frmMain::loadedInstance());
    return s_instance;
}

frmSaveDocument *frmSaveDocument::loadedInstance()
{
    return s_instance;
}

frmSaveDocument::frmSaveDocument(QWidget *parent)
    : ReadingWindow(QStringLiteral("frmSaveDocument"), QStringLiteral("RTB"), parent)
{
    setFont(platform::windowFont());
    setFixedSize(platform::twipsRect(0, 0, 8265, 5145).size());
    platform::applyPlacements(this, {
        {"Label61", 1372, 0, 5520, 435},
        {"RTB", 60, 420, 8205, 4230},
        {"Label1", 60, 4680, 3495, 435},
        {"Label2", 780, 4890, 1875, 255},
        {"cmdBack", 3750, 4740, 1455, 375},
        {"cmdPrint", 5250, 4740, 1455, 375},
        {"cmdSave", 6750, 4740, 1455, 375},
    });
    platform::applyTabOrder(this, {"RTB", "cmdSave", "cmdBack", "cmdPrint"});
    Form_Load();
}

void frmSaveDocument::forgetInstance()
{
    if (s_instance == this)
        s_instance = nullptr;
}
