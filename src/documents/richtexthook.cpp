#include "documents/richtexthook.h"

#include "documents/richtextbox.h"

namespace documents {

RichTextHook::~RichTextHook()
{
    UnhookRichText();
}

void RichTextHook::HookRichText(RichTextBox *box, QWidget *owner)
{
    m_box = box;
    m_owner = owner;
    m_hooked = true;
}

void RichTextHook::UnhookRichText()
{
    if (!m_hooked)
        return;
    m_hooked = false;
}

} // namespace documents
