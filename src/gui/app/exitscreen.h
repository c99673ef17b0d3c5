#pragma once

#include <QWidget>

// The last window the user sees: a short goodbye. Closing it, by its button or its close box,
// tells its owner, who ends the program.
class ExitScreen final : public QWidget
{
    Q_OBJECT

public:
    explicit ExitScreen(QWidget *parent = nullptr);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
};
