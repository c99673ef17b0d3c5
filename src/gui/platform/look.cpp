#include "gui/platform/look.h"

#include "gui/platform/layouttable.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QStyle>
#include <QWidget>

namespace platform {

namespace {

// The face itself where it is installed; otherwise the nearest common sans face that is.
QString faceOrStandIn(const QString &family)
{
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(family, Qt::CaseInsensitive))
        return family;
    for (const char *face : {"DejaVu Sans", "Liberation Sans", "Noto Sans", "Arial"}) {
        if (installed.contains(QLatin1String(face), Qt::CaseInsensitive))
            return QLatin1String(face);
    }
    return family; // none of them: the font system's own choice
}

// Each face is looked up once (windows are made on the GUI thread only). A font that names a face
// that is not installed would make Qt search fontconfig's whole list of fallbacks again for each
// of its sizes and weights.
QString installedFace(const char *family)
{
    static QHash<QByteArray, QString> faces;
    auto face = faces.constFind(family);
    if (face == faces.constEnd())
        face = faces.insert(family, faceOrStandIn(QLatin1String(family)));
    return *face;
}

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
    QFont font{installedFace(family)};
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
                    setTextColour(inside, inside->palette().color(QPalette::WindowText));
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

void keepLightPalette(QWidget *window)
{
    // Only when the desktop gives another palette: setting one makes every control resolve its own.
    const QPalette light = QApplication::style()->standardPalette();
    if (QApplication::palette() != light)
        window->setPalette(light);
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

QImage programImage()
{
    return QImage(QStringLiteral(":/icons/tovrin.png"));
}

QPixmap programPixmap()
{
    return QPixmap::fromImage(programImage());
}

void installProgramLook(const QImage &icon)
{
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
}

} // namespace platform
