#include "documents/readingcommands.h"

#include "documents/richtextbox.h"

namespace documents {

void PrintReading(RichTextBox *box, QWidget *parent)
{
    Q_UNUSED(box);
    Q_UNUSED(parent);
}

void SaveReading(QWidget *parent)
{
    Q_UNUSED(parent);
}

} // namespace documents
