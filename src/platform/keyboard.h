#pragma once

#include <QObject>

// Enter and Return press the focused button, in every window, as Space does. Qt leaves Enter to
// dialogs' default buttons only, so without this a keyboard user could not press Enter on the main
// window's buttons.
class EnterPressesButtons final : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Installs one filter on the application.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
