#pragma once

#include "documents/richtextbox.h"

#include <QPointer>

namespace documents {

// Makes web addresses in one window's rich-text box clickable. Each window that shows a reading
// owns one hook: installing it for one window never disturbs another window's hook, and removing
// it twice changes nothing.
class RichTextHook
{
public:
    RichTextHook() = default;
    ~RichTextHook();
    RichTextHook(const RichTextHook &) = delete;
    RichTextHook &operator=(const RichTextHook &) = delete;

    void HookRichText(RichTextBox *box, QWidget *owner);
    void UnhookRichText();

    bool isHooked() const { return m_hooked; }
    RichTextBox *box() const { return m_box; }
    QWidget *owner() const { return m_owner; }

private:
    bool m_hooked = false;
    QPointer<RichTextBox> m_box;
    QPointer<QWidget> m_owner;
};

} // namespace documents
