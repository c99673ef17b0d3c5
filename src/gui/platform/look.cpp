#include "gui/platform/look.h"

#include "gui/platform/layouttable.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace platform {

namespace {

// The widgets a frame contains directly.
QList<QWidget *> frameContents(QWidget *widget)
{
    if (!qobject_cast<QGroupBox *>(widget))
        return {};
    return widget->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

QFont designFont(const char *family, qreal pointSize, bool bold, bool underline)
{
    QFont font{QLatin1String(family)};
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(false);
    font.setUnderline(underline);
    font.setStrikeOut(false);
    return font;
}

QFont windowFont()
{
    return designFont(kVerdana, 8.25);
}

void applyFonts(QWidget *window, std::initializer_list<FontSpec> fonts)
{
    for (const FontSpec &spec : fonts) {
        QWidget *widget = namedChild(window, spec.name);
        if (!widget)
            continue;
        // Pin the contents' current font first, so the frame's own does not pass down to them.
        for (QWidget *inside : frameContents(widget)) {
            if (!inside->testAttribute(Qt::WA_SetFont)) {
                const QFont current = inside->font();
                inside->setFont(designFont(qPrintable(current.family()), current.pointSizeF(), current.bold(),
                                           current.underline()));
            }
        }
        widget->setFont(designFont(spec.family, spec.pointSize, spec.bold, spec.underline));
    }
}

void applyColours(QWidget *window, std::initializer_list<ColourSpec> colours)
{
    for (const ColourSpec &spec : colours) {
        QWidget *widget = namedChild(window, spec.name);
        if (!widget)
            continue;
        if (spec.text.isValid()) {
            for (QWidget *inside : frameContents(widget)) {
                if (!inside->testAttribute(Qt::WA_SetPalette))
                    setTextColour(inside, QApplication::palette(inside).color(QPalette::WindowText));
            }
            setTextColour(widget, spec.text);
        }
        if (spec.background.isValid()) {
            QPalette palette = widget->palette();
            palette.setColor(QPalette::Window, spec.background);
            widget->setPalette(palette);
            widget->setAutoFillBackground(true);
        }
    }
}

void fitLineInWidth(QLabel *label, const QString &line)
{
    constexpr qreal kSmallest = 6.0;
    QFont font = label->font();
    qreal size = font.pointSizeF();
    while (size > kSmallest && QFontMetricsF(font).horizontalAdvance(line) > label->width()) {
        size = qMax(kSmallest, size - 0.25);
        font.setPointSizeF(size);
    }
    if (size != label->font().pointSizeF())
        label->setFont(font);
}

QPixmap programPixmap()
{
    return QPixmap(QStringLiteral(":/icons/tovrin.png"));
}

QIcon programIcon()
{
    return QIcon(programPixmap());
}

void installProgramLook()
{
    // Where the designed faces are not installed, the nearest common sans faces stand in.
    const QStringList sansFaces = {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                   QStringLiteral("Noto Sans"), QStringLiteral("Arial")};
    QFont::insertSubstitutions(QLatin1String(kVerdana), sansFaces);
    QFont::insertSubstitutions(QLatin1String(kMsSansSerif), sansFaces);
    QApplication::setWindowIcon(programIcon());
}

} // namespace platform
