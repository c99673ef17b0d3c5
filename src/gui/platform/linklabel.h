#pragma once

#include <QLabel>

// A label that acts as a link: underlined, a pointing hand over it, and clicked() when the left
// button is released over it, once for a double-click. Tab reaches it and Space or Enter follows
// it, as for a button; a click leaves the focus where it was, so the box being typed in keeps it.
// Screen readers are told it is a link, and their press action follows it.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool m_releaseEndsDoubleClick = false;
};
