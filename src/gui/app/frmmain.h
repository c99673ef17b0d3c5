#pragma once

// The main window: the couple's names and dates of birth, and the commands that read them.
//
// Layers. The program is two libraries. src/core links only QtCore: numerology (digits and the
// compatibility table), readings (the couple's details, the input rules, the texts and composition
// of every reading and of the working behind them), documents (the saved-file format, scrambling,
// web-address detection), settings (the settings store and the update reminder's rule) and program
// (name, version, command line, single copy and the hand-over of a file to it). src/gui holds the
// windows: app (this window, its owner app::Program, the About window and the exit screen),
// documents (the reading, document and working windows, printing, saving and opening) and platform
// (the seams to everything modal, fonts, layout tables, web pages, how an owned window unloads).
// Includes point from gui to core and, inside gui, from app to documents to platform; never back.
//
// How a click becomes a reading: a button or its menu entry runs one handler (cmdLP_Click,
// cmdD_Click, cmdCR_Click). The handler takes the couple's details from the controls (details()),
// checks them (readings::checkInput), has the core compose the reading (readings::lifePathReading,
// destinyReading, comprehensiveReading) and hands it to the window that shows it: the reading
// window (frmDisp) or the document window (frmSaveDocument), each owned by this window and
// destroyed when it unloads. The reading window is created on first use; the document window is
// created, hidden, once this window has painted itself for the first time, and again on the next
// use after it unloaded. File > Show the Working goes the same way: the core composes the working
// (readings::working) and the working window (frmWorking) shows it. Windows report back with
// signals; this window reports to its owner that the exit screen is wanted.

#include "core/readings/partnerdetails.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class LinkLabel;
class ReadingWindow;
class frmAbout;
class frmDisp;
class frmSaveDocument;
class frmWorking;

namespace readings {
struct Reading;
}

class frmMain final : public QMainWindow
{
    Q_OBJECT

public:
    frmMain();
    ~frmMain() override;

    // The twelve details as the controls hold them, each trimmed.
    readings::PartnerDetails details() const;
    // Puts details into the controls. A date that is not an entry of its list leaves that list's
    // selection as it was.
    void setDetails(const readings::PartnerDetails &details);

    // Checks the input and shows the first fault; true when every check passed.
    bool ValidateInput();

    // The windows this one owns while they are loaded; null otherwise.
    frmDisp *readingWindow() const;
    frmSaveDocument *documentWindow() const;
    frmAbout *aboutWindow() const;
    frmWorking *workingWindow() const;

    // Unloads the windows this one owns, then this window, without leaving the program.
    void unload();
    // Unloads the reading, document, working and About windows, as Back would, and comes forward.
    void closeReadingWindows();

    // True once the window has painted itself for the first time. Until then the window manager
    // may not have placed it, and a window opened over it would go over the screen's top-left
    // corner instead.
    bool hasPainted() const;

signals:
    // The user left: the exit screen should show. The window has hidden itself.
    void exitScreenRequested();
    // The window has unloaded and will be destroyed.
    void unloaded();
    // The window has painted itself for the first time: hasPainted() is now true.
    void firstPainted();

public slots:
    // Opens the saved reading at path as Open does after its dialog. Any window of this one's on
    // show (reading, document, working or About window) goes first, and this window comes forward
    // as after Back. False when the file was refused; systemRefused as SavedReadingFile::read gives it.
    bool openSavedReading(const QString &path, bool *systemRefused = nullptr);

    void cmdLP_Click();
    void cmdD_Click();
    void cmdCR_Click();
    void cmdOpen_Click();
    void cmdExit_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    // One local saved reading may be dropped on the window; anything else is refused.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void mnuComprehensive_Click();
    void mnuLifePath_Click();
    void mnuDestiny_Click();
    void mnuExportPdf_Click();
    void mnuWorking_Click();
    void mnuExit_Click();
    void cmdNav_Click();
    void mnuAbout_Click();
    void mnuRecent_AboutToShow();
    void mnuClearRecent_Click();
    // The web pages, each opened by its procedure directly.
    void Command3_Click();
    void mnuDonate_Click();
    void mnuOnline_Click();
    void mnuVisit_Click();
    void Label61_Click();
    void mnuUpdate_Click();
    void mnuMakeMoney_Click();
    void lblFullBrand_Click();
    void lblCobrand_Click();

private:
    void createControls();
    void createMenus();
    void Form_Load();
    void firstPaintDone();
    void Form_Unload();
    void leave();
    void readingWindowExit();
    void backToMainWindow();
    void rememberReading(const QString &path);
    void openRecentReading(const QString &path);
    void showReading(ReadingWindow *window, const readings::Reading &reading);
    frmDisp *loadReadingWindow();
    void listenTo(ReadingWindow *window);
    frmSaveDocument *loadDocumentWindowNow();

    QLineEdit *lineEdit(QWidget *parent, const char *name, const QString &accessibleName);
    QComboBox *comboBox(QWidget *parent, const char *name, const QString &accessibleName);
    QLabel *label(QWidget *parent, const char *name, const QString &text);
    QPushButton *pushButton(QWidget *parent, const char *name, const QString &text);
    QAction *action(const char *name, const QString &text);

    bool m_unloaded = false;
    bool m_painted = false;
    QPointer<frmDisp> m_readingWindow;
    QPointer<frmSaveDocument> m_documentWindow;
    QPointer<frmAbout> m_aboutWindow;
    QPointer<frmWorking> m_workingWindow;

    QLineEdit *m_txtMF = nullptr, *m_txtMM = nullptr, *m_txtML = nullptr;
    QLineEdit *m_txtFF = nullptr, *m_txtFM = nullptr, *m_txtFL = nullptr;
    QComboBox *m_cboMM = nullptr, *m_cboMD = nullptr, *m_cboMY = nullptr;
    QComboBox *m_cboFM = nullptr, *m_cboFD = nullptr, *m_cboFY = nullptr;
    QComboBox *m_cboMMD = nullptr, *m_cboMMM = nullptr, *m_cboMMY = nullptr;
    LinkLabel *m_lblCobrand = nullptr, *m_lblFullBrand = nullptr;
    QMenu *m_mnuRecent = nullptr;
};
