#include "gui/platform/dropdownlist.h"

#include <QEvent>
#include <QFrame>

DropDownList::DropDownList(QWidget *parent)
    : QComboBox(parent)
{
}

bool DropDownList::listBuilt() const
{
    // The list window is the only frame among the box's direct children.
    return findChild<QFrame *>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
}

void DropDownList::catchUpOnFontChange() const
{
    if (!m_fontChangePending)
        return;
    m_fontChangePending = false;
    QEvent fontChange(QEvent::FontChange);
    const_cast<DropDownList *>(this)->QComboBox::changeEvent(&fontChange);
}

void DropDownList::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        m_fontChangePending = !listBuilt();
        if (m_fontChangePending) {
            QWidget::changeEvent(event);
            return;
        }
    }
    QComboBox::changeEvent(event);
}

QSize DropDownList::sizeHint() const
{
    catchUpOnFontChange();
    return QComboBox::sizeHint();
}

QSize DropDownList::minimumSizeHint() const
{
    catchUpOnFontChange();
    return QComboBox::minimumSizeHint();
}

void DropDownList::showPopup()
{
    catchUpOnFontChange();
    QComboBox::showPopup();
}
