#pragma once

#include "documents/richtexthook.h"

#include <QDialog>

class QLabel;
class QPushButton;
class LinkLabel;
class RichTextBox;

// What the reading window and the document window share: the advertising band, the rich-text box
// with its link hook, the Back, Print and Save buttons, and being unloaded rather than just hidden.
// Unloading removes the hook, lets go of the window's single instance and destroys the window, so
// the next use starts with a fresh, empty one.
class ReadingWindow : public QDialog
{
    Q_OBJECT

public:
    RichTextBox *box() const { return m_box; }

    // Runs the unload handler, closes the window (ending a modal show) and destroys it later.
    void unload();
    bool isUnloaded() const { return m_unloaded; }

    const documents::RichTextHook &hook() const { return m_hook; }

protected:
    ReadingWindow(const QString &objectName, const QString &boxName, QWidget *parent);

    void Form_Load();
    virtual void Form_Unload();
    // Called once, as the window unloads: the subclass forgets its single instance.
    virtual void forgetInstance() = 0;

    void closeEvent(QCloseEvent *event) override;
    void reject() override; // Escape goes back, as Back does

    QPushButton *button(const QString &objectName, const QString &text);

    LinkLabel *m_label61 = nullptr;
    RichTextBox *m_box = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QPushButton *m_cmdBack = nullptr;
    QPushButton *m_cmdPrint = nullptr;
    QPushButton *m_cmdSave = nullptr;

protected slots:
    void cmdBack_Click();
    void cmdPrint_Click();
    void cmdSave_Click();
    void Label61_Click();

private:
    documents::RichTextHook m_hook;
    bool m_unloaded = false;
};
