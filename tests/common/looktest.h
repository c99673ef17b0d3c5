#pragma once

// Shared checks for the windows' look: design rectangles in twips, the Tab order, and screenshots
// kept as build artefacts.

#include <QDir>
#include <QRect>
#include <QStringList>
#include <QWidget>

namespace looktest {

// 1440 twips to the inch at 96 pixels to the inch, to the nearest pixel; worked out here on its
// own rather than with the program's conversion, so a fault there shows.
inline int pixels(int twips)
{
    return qRound(twips / 15.0);
}

inline QRect fromTwips(int left, int top, int width, int height)
{
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

// The object names of the controls that Tab visits in window, in order, starting at first.
inline QStringList tabChain(QWidget *window, QWidget *first)
{
    QStringList names;
    QWidget *w = first;
    for (int guard = 0; w && guard < 1000; ++guard) {
        if (w->window() == window && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled()
            && w->isVisibleTo(window))
            names.append(w->objectName());
        w = w->nextInFocusChain();
        if (w == first)
            break;
    }
    return names;
}

// Saves a picture of the window where the build keeps its screenshots; returns its size.
inline QSize saveScreenshot(QWidget *window, const QString &name)
{
    const QPixmap picture = window->grab();
#ifdef TOVRIN_SCREENSHOT_DIR
    QDir().mkpath(QStringLiteral(TOVRIN_SCREENSHOT_DIR));
    picture.save(QStringLiteral(TOVRIN_SCREENSHOT_DIR "/") + name + QStringLiteral(".png"));
#endif
    return picture.size() / picture.devicePixelRatio();
}

} // namespace looktest
