#pragma once

#include <QMenuBar>
#include <QPushButton>

// A push button that a double-click presses once. The second click of a double-click would run
// the command again: a second print job, the same page in a second browser tab. It does nothing,
// also where it lands on a button of a window that the first click brought up.
class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// A menu bar whose own entries (those with no menu: Donate, Make Money Online) run on the release
// of a click, as a button does, and once for a double-click. Over a menu, a double-click opens and
// closes it as before.
class CommandMenuBar : public QMenuBar
{
    Q_OBJECT

public:
    using QMenuBar::QMenuBar;

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
