#pragma once

// The main window: the couple's names and dates of birth, and the commands that read them.
//
// How a click becomes a reading: a button or its menu entry runs one handler (cmdLP_Click,
// cmdD_Click, cmdCR_Click). The handler checks the input (ValidateInput, rules in app/validation),
// records the trimmed details in the program-wide readings::partnerDetails(), turns dates and names
// into digits (numerology::SingleDigitNumber, StringToNumber), looks the pair up
// (numerology::CompatibilityText), and writes the texts of readings/readingtexts into a rich-text
// box: the reading window's txtDisp for a single reading, shown modally; or, while ComprehensiveMode
// is set by cmdCR_Click, the document window's RTB, which cmdCR_Click then shows modally.
// Saving, printing and opening saved readings live in documents/.

#include "readings/readingstate.h"

#include <QMainWindow>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class LinkLabel;

class frmMain final : public QMainWindow
{
    Q_OBJECT

public:
    // The single instance: created, filled and hidden on first use.
    static frmMain *instance();
    static frmMain *loadedInstance();

    // Checks the input and shows the first fault; true when every check passed.
    bool ValidateInput();

    readings::ReadingState &readingState() { return m_state; }

    // Unloads the window without leaving the program (the shut-down calls it).
    void unload();

public slots:
    void cmdLP_Click();
    void cmdD_Click();
    void cmdCR_Click();
    void cmdOpen_Click();
    void cmdExit_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void mnuComprehensive_Click();
    void mnuLifePath_Click();
    void mnuDestiny_Click();
    void mnuExit_Click();
    void cmdNav_Click();
    void mnuAbout_Click();

private:
    frmMain();
    void createControls();
    void createMenus();
    void Form_Load();
    void loadDocumentWindow();
    void Form_Unload();
    void leave();
    void showSection(int kind, qint16 male, qint16 female, const QString &paragraph);

    QLineEdit *lineEdit(QWidget *parent, const char *name, const QString &accessibleName);
    QComboBox *comboBox(QWidget *parent, const char *name, const QString &accessibleName);
    QLabel *label(QWidget *parent, const char *name, const QString &text);
    QPushButton *pushButton(QWidget *parent, const char *name, const QString &text);
    QAction *action(const char *name, const QString &text);

    readings::ReadingState m_state;
    bool m_unloaded = false;

    QLineEdit *m_txtMF = nullptr, *m_txtMM = nullptr, *m_txtML = nullptr;
    QLineEdit *m_txtFF = nullptr, *m_txtFM = nullptr, *m_txtFL = nullptr;
    QComboBox *m_cboMM = nullptr, *m_cboMD = nullptr, *m_cboMY = nullptr;
    QComboBox *m_cboFM = nullptr, *m_cboFD = nullptr, *m_cboFY = nullptr;
    QComboBox *m_cboMMD = nullptr, *m_cboMMM = nullptr, *m_cboMMY = nullptr;
    LinkLabel *m_lblCobrand = nullptr, *m_lblFullBrand = nullptr;
};
