#pragma once

#include "core/readings/partnerdetails.h"
#include "gui/documents/richtexthook.h"
#include "gui/platform/unloadingdialog.h"

class QLabel;
class QPushButton;
class LinkLabel;
class RichTextBox;

namespace readings {
struct Reading;
}

// What the reading window and the document window share: the advertising band, the rich-text box
// with its link hook, the Back, Print and Save buttons, and being unloaded rather than just hidden.
// The window shows the reading it is given and saves the details it was made from. Unloading
// removes the hook, tells the owner and destroys the window, so the next use starts with a fresh,
// empty one.
class ReadingWindow : public UnloadingDialog
{
    Q_OBJECT

public:
    RichTextBox *box() const { return m_box; }

    // Replaces what the window shows by reading, from its top; Save writes details.
    void showReading(const readings::Reading &reading, const readings::PartnerDetails &details);

    const documents::RichTextHook &hook() const { return m_hook; }

signals:
    // Back, Escape: the window has unloaded and the owner should come forward.
    void backRequested();
    // The reading window's own Exit: the window has unloaded and the user is leaving.
    void exitRequested();
    // Save wrote the reading's details to path.
    void readingSaved(const QString &path);

protected:
    ReadingWindow(const QString &objectName, const QString &boxName, QWidget *parent);

    void Form_Load();
    void Form_Unload() override;

    // Escape goes back, as Back does; the close box only unloads, without bringing the owner forward.
    void reject() override;

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
    readings::PartnerDetails m_details;
};
