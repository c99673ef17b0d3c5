#pragma once

#include "gui/documents/richtextbox.h"

#include <QPointer>

#include <memory>

class QColor;
class QTextDocument;

namespace documents {

// Makes every web address in document a link to the address as written, underlined in colour;
// each character keeps its emphasis. The PDF marks the same addresses as the windows.
void markWebAddresses(QTextDocument &document, const QColor &colour);

class LinkWatcher;

// Makes web addresses in one window's rich-text box clickable. While hooked, each whole new text
// the box is given (RichTextBox::textReplaced) has its web addresses marked as links, once
// (underlined, in the link colour, the emphasis kept), and a press of the left button on one opens
// it in the default browser, once. Each window
// that shows a reading owns one hook: it watches only its own box, installing it for one window
// never disturbs another window's hook, and removing it twice changes nothing.
class RichTextHook
{
public:
    RichTextHook();
    ~RichTextHook();
    RichTextHook(const RichTextHook &) = delete;
    RichTextHook &operator=(const RichTextHook &) = delete;

    // Hooking again first removes the hook from the box it held before.
    void HookRichText(RichTextBox *box);
    // Stops marking and opening links and takes the link marks out of the box; its text stays.
    void UnhookRichText();

    bool isHooked() const { return m_hooked; }
    RichTextBox *box() const { return m_box; }

private:
    bool m_hooked = false;
    QPointer<RichTextBox> m_box;
    std::unique_ptr<LinkWatcher> m_watcher;
};

} // namespace documents
