#pragma once

#include <QRect>

#include <initializer_list>

class QWidget;

// Fixed window layouts, written in twips (1/1440 inch) as the design gives them and applied in a
// loop. A control inside a frame is placed relative to that frame, which is simply its parent.
namespace platform {

constexpr int kTwipsPerPixel = 15; // at 96 dpi; Qt's device-pixel scaling handles high-dpi screens

constexpr int twipsToPixels(int twips)
{
    return (twips + (twips >= 0 ? kTwipsPerPixel / 2 : -kTwipsPerPixel / 2)) / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

struct Placement {
    const char *name; // object name of a child of the window
    int left, top, width, height; // twips
};

// The window's child of that object name; a missing one is a programming error (asserted).
QWidget *namedChild(QWidget *window, const char *name);

// Places every named child of window; a name that is missing is a programming error (asserted).
void applyPlacements(QWidget *window, std::initializer_list<Placement> placements);

// Chains the focus order through the named children in the order given (lowest tab index first).
// Children that take no focus (labels, frames) keep their place in the list but are skipped.
void applyTabOrder(QWidget *window, std::initializer_list<const char *> names);

} // namespace platform
