#include "gui/platform/commandbutton.h"

#include <QAction>
#include <QMouseEvent>

// Qt hands a button the second press of a double-click as this event alone, and the button would
// take it for a press; the release that follows then finds the button up and runs nothing.
void CommandButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void CommandMenuBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QAction *entry = actionAt(event->position().toPoint());
    if (entry && !entry->menu())
        event->accept();
    else
        QMenuBar::mouseDoubleClickEvent(event);
}
