#include "gui/platform/linklabel.h"

#include "gui/platform/keyboard.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <utility>

namespace {

class AccessibleLinkLabel : public QAccessibleWidget
{
public:
    explicit AccessibleLinkLabel(LinkLabel *label)
        : QAccessibleWidget(label, QAccessible::Link)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        // Its own words name a link, not the frame it stands in.
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            emit static_cast<LinkLabel *>(widget())->clicked();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface *accessibleLinkLabel(const QString &className, QObject *object)
{
    if (className == QLatin1String("LinkLabel") && object && object->isWidgetType())
        return new AccessibleLinkLabel(static_cast<LinkLabel *>(object));
    return nullptr;
}

} // namespace

LinkLabel::LinkLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleLinkLabel), true);
    Q_UNUSED(factoryInstalled);

    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
}

// The first click of a double-click has followed the link already; the second would open the
// page again. Its press comes as the double-click event, and the release after it follows nothing.
// A press clears the mark, should a double-click's release never have come.
void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_releaseEndsDoubleClick = false;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        m_releaseEndsDoubleClick = true;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const bool secondClick = std::exchange(m_releaseEndsDoubleClick, false);
    if (!secondClick && rect().contains(event->position().toPoint()))
        emit clicked();
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    if (platform::isPlainEnter(event)
        || (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier)) {
        event->accept();
        if (!event->isAutoRepeat()) // a held key follows the link once, as it presses a button once
            emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

// A label that takes the focus builds a rich-text document for its text when it is polished and
// when it gets the focus, and draws the text through it, a pixel higher than a plain label does.
// The link draws as a plain label, with the focus frame around it, and builds no document.
bool LinkLabel::event(QEvent *event)
{
    if (event->type() == QEvent::Polish)
        return QFrame::event(event);
    return QLabel::event(event);
}

void LinkLabel::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    drawFrame(&painter);
    const bool rightToLeft = text().isRightToLeft();
    int flags = QStyle::visualAlignment(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight, alignment())
                | Qt::TextExpandTabs | (rightToLeft ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight);
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    painter.drawItemText(contentsRect(), flags, palette(), isEnabled(), text(), foregroundRole());
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = style()->itemTextRect(fontMetrics(), contentsRect(), flags, isEnabled(), text())
                          .adjusted(-2, -1, 2, 1)
                          .intersected(rect());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

void LinkLabel::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
}

void LinkLabel::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
}
