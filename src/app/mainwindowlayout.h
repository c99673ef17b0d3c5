#pragma once

class QWidget;

namespace app {

// Gives the main window its designed size, the place, font and colours of every control, and its
// tab order. The controls must exist, named as the design names them.
void applyMainWindowLayout(QWidget *window);

} // namespace app
