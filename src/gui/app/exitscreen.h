#pragma once

#include <QDialog>

// The last window the user sees: a short goodbye. Closing it, by its button, its close box or
// Escape, tells its owner, who ends the program. A dialog to screen readers, which announce it as
// a window, and an ordinary window to the desktop, which lists it like the main window.
class ExitScreen final : public QDialog
{
    Q_OBJECT

public:
    explicit ExitScreen(QWidget *parent = nullptr);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
};
