#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>

#include <initializer_list>

class QLabel;
class QWidget;

// The program's look: the fonts and colours its windows are designed with, and its icon.
namespace platform {

constexpr char kVerdana[] = "Verdana";
constexpr char kMsSansSerif[] = "MS Sans Serif";

// A font with every attribute given, so that none is inherited from a container: a frame's bold
// caption font must not reach the controls inside it. Where the designed face is not installed,
// the font names the nearest common sans face that is (DejaVu Sans, Liberation Sans ...).
QFont designFont(const char *family, qreal pointSize, bool bold = false, bool underline = false);

// The font most windows use: Verdana 8.25 pt regular.
QFont windowFont();

struct FontSpec {
    const char *name; // object name of a child of the window
    const char *family;
    qreal pointSize;
    bool bold;
    bool underline;
};

// Gives each named child its own font. A frame's font is its caption's only: the controls inside it
// keep the font they had (the window's) unless their own row says otherwise.
void applyFonts(QWidget *window, std::initializer_list<FontSpec> fonts);

struct ColourSpec {
    const char *name;
    QColor text;       // invalid: the system's colour for the control's kind
    QColor background; // invalid: transparent, the container shows through
};

// Gives each named child its text and background colour. A frame's text colour is its caption's
// only: the controls inside it keep the colours the window gives them unless their own row says otherwise.
void applyColours(QWidget *window, std::initializer_list<ColourSpec> colours);

// For a window whose design gives some texts a colour of their own on the light face it was drawn
// on (black, blue, dark grey): the window keeps the style's light palette, so that those texts and
// the ones in the system's colours are all drawn on the face they were chosen for, whatever
// palette the desktop gives. Before applyColours(), which takes the frames' contents' colour from it.
void keepLightPalette(QWidget *window);

// Shrinks the label's font, a quarter point at a time down to 6 pt, until line fits the label's
// width. For texts laid out for a narrower face than the nearest one installed.
void fitLineInWidth(QLabel *label, const QString &line);

// The program's icon: 32 x 32 pixels, 16 colours, a framed numeral 2. programImage() may be called
// on any thread.
QImage programImage();
QPixmap programPixmap();

// Once at start-up: every window shows the program's icon.
void installProgramLook(const QImage &icon = programImage());

} // namespace platform
