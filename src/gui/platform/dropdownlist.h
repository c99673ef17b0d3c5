#pragma once

#include <QComboBox>

// A drop-down list that does not build its list window just to hand it a new font. QComboBox
// does, on every font change, although the window takes on the box's font by itself when it is
// built; a form that gives its lists their fonts while it is being made would pay for every
// list window at start-up. The rest of QComboBox's handling of the change (its cached size)
// waits until the size or the list is asked for.
class DropDownList : public QComboBox
{
    Q_OBJECT

public:
    explicit DropDownList(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showPopup() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    bool listBuilt() const;
    void catchUpOnFontChange() const;

    mutable bool m_fontChangePending = false;
};
