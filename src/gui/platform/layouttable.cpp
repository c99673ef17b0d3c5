#include "gui/platform/layouttable.h"

#include <QWidget>

namespace platform {

namespace {

int twipsToPixels(int twips, int dotsPerInch)
{
    return qRound(twips * dotsPerInch / 1440.0);
}

} // namespace

QRect twipsRect(const QWidget *window, int left, int top, int width, int height)
{
    const int x = window->logicalDpiX();
    const int y = window->logicalDpiY();
    return QRect(twipsToPixels(left, x), twipsToPixels(top, y), twipsToPixels(width, x), twipsToPixels(height, y));
}

QWidget *namedChild(QWidget *window, const char *name)
{
    auto *widget = window->findChild<QWidget *>(QLatin1String(name));
    Q_ASSERT_X(widget, "layout table", name);
    return widget;
}

void applyPlacements(QWidget *window, std::initializer_list<Placement> placements)
{
    for (const Placement &p : placements) {
        if (QWidget *widget = namedChild(window, p.name))
            widget->setGeometry(twipsRect(window, p.left, p.top, p.width, p.height));
    }
}

void applyTabOrder(QWidget *window, std::initializer_list<const char *> names)
{
    QWidget *previous = nullptr;
    for (const char *name : names) {
        QWidget *widget = namedChild(window, name);
        if (!widget || widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace platform
