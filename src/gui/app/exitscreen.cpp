#include "gui/app/exitscreen.h"

#include "core/program/version.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ExitScreen::ExitScreen(QWidget *parent)
    : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmExit"));
    setWindowTitle(program::caption());
    setAttribute(Qt::WA_DeleteOnClose);

    auto *goodbye = new QLabel(tr("Thank you for using Tovrin. May your numbers agree!"), this);
    goodbye->setObjectName(QStringLiteral("lblGoodbye"));
    goodbye->setAlignment(Qt::AlignCenter);
    auto *close = new QPushButton(tr("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(goodbye);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint().expandedTo(QSize(320, 110)));
}

void ExitScreen::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}

void ExitScreen::reject()
{
    close();
}
