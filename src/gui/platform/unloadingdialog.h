#pragma once

#include <QDialog>

// A window that its owner creates on first use and that is gone once it closes. Closing it in any
// way (its close box, Escape, or unload() from a button or from the owner) unloads it: the unload
// handler runs, the owner is told, a modal show ends, and the window is destroyed later, so the
// next use starts with a fresh one. Unloading twice does nothing.
class UnloadingDialog : public QDialog
{
    Q_OBJECT

public:
    void unload();

signals:
    // The window has unloaded and will be destroyed.
    void unloaded();

protected:
    explicit UnloadingDialog(QWidget *parent);

    // What the window does before it goes; nothing unless a window says otherwise.
    virtual void Form_Unload() {}

    void closeEvent(QCloseEvent *event) override;
    void reject() override; // Escape

private:
    bool m_unloaded = false;
};
