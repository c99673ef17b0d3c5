#pragma once

#include <QRect>

#include <initializer_list>

class QWidget;

// Fixed window layouts, written in twips (1/1440 inch) as the design gives them and applied in a
// loop. A control inside a frame is placed relative to that frame, which is simply its parent.
namespace platform {

// The rectangle in pixels at the logical dpi of the window it is placed in. Twips are 1/1440 of a
// logical inch, as points are 1/72: 15 to the pixel at 96 dpi. Where Qt scales for a high-dpi
// screen, the logical dpi stays 96 and device pixels do the rest; where it does not (scaling
// switched off, or a scale factor rounded down), the fonts grow with the logical dpi, and the layout
// grows with them.
QRect twipsRect(const QWidget *window, int left, int top, int width, int height);

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
