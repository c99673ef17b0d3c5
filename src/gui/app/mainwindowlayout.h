#pragma once

#include <QRandomGenerator>

class QWidget;

namespace app {

// Gives the main window its designed size, the place, font and colours of every control, its tab
// order, and draws which advertisement is in front. The controls must exist, named as the design
// names them.
void applyMainWindowLayout(QWidget *window);

// The two advertisements share one place at the bottom of the main window; one is in front.
enum class Advertisement { Cobrand, FullBrand };

// A whole number from 1 to 6, each equally likely.
int drawAdvertisement(QRandomGenerator &generator = *QRandomGenerator::global());

// An odd draw puts the co-branding advertisement in front, an even one the home-business one.
Advertisement advertisementForDraw(int draw);

// Brings the chosen advertisement to the front and hides the other behind it.
void showAdvertisement(QWidget *window, Advertisement front);

} // namespace app
