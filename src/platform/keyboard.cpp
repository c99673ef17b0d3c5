#include "platform/keyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

void EnterPressesButtons::install()
{
    static EnterPressesButtons *filter = nullptr;
    if (!filter) {
        filter = new EnterPressesButtons(qApp);
        qApp->installEventFilter(filter);
    }
}

bool EnterPressesButtons::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        auto *button = qobject_cast<QPushButton *>(watched);
        if (button && button->hasFocus() && button->isEnabled() && key->modifiers() == Qt::NoModifier
            && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            button->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
