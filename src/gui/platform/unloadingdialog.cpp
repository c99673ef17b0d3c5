#include "gui/platform/unloadingdialog.h"

#include <QCloseEvent>

UnloadingDialog::UnloadingDialog(QWidget *parent)
    : QDialog(parent)
{
}

void UnloadingDialog::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    Form_Unload();
    emit unloaded();
    QDialog::done(QDialog::Rejected); // hides the window and ends a modal show
    deleteLater();
}

void UnloadingDialog::closeEvent(QCloseEvent *event)
{
    unload();
    event->accept();
}

void UnloadingDialog::reject()
{
    unload();
}
