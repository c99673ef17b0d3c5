#pragma once

#include "documents/readingwindow.h"

// The document window: the Comprehensive reading, composed in RTB and shown modally. The main
// window loads it, hidden, at start-up; every unload discards it, so each reading starts empty.
class frmSaveDocument final : public ReadingWindow
{
    Q_OBJECT

public:
    static frmSaveDocument *instance();
    static frmSaveDocument *loadedInstance();

    RichTextBox *RTB() const { return box(); }

private:
    explicit frmSaveDocument(QWidget *parent);
    void forgetInstance() override;
};
