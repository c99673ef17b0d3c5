#include "gui/app/frmmain.h"

#include "core/numerology/calendar.h"
#include "core/program/commandline.h"
#include "core/program/version.h"
#include "core/readings/reading.h"
#include "core/readings/validation.h"
#include "core/readings/working.h"
#include "core/settings/recentreadings.h"
#include "core/settings/settingsstore.h"
#include "gui/app/aboutwindow.h"
#include "gui/app/mainwindowlayout.h"
#include "gui/documents/frmdisp.h"
#include "gui/documents/frmsavedocument.h"
#include "gui/documents/openreading.h"
#include "gui/documents/readingcommands.h"
#include "gui/documents/workingwindow.h"
#include "gui/platform/commandbutton.h"
#include "gui/platform/dropdownlist.h"
#include "gui/platform/linklabel.h"
#include "gui/platform/look.h"
#include "gui/platform/seams.h"
#include "gui/platform/weblinks.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

frmMain::frmMain()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(program::caption());
    setAttribute(Qt::WA_QuitOnClose, false); // leaving the main window shows the exit screen first
    setAcceptDrops(true);
    createControls();
    createMenus();
    app::applyMainWindowLayout(this);
    Form_Load();
    m_txtMF->setFocus();
}

QLineEdit *frmMain::lineEdit(QWidget *parent, const char *name, const QString &accessibleName)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAcceptDrops(false); // a drop on the window means a saved reading, never text for a name
    edit->setAccessibleName(accessibleName);
    // A name is one line: a pasted line break or tab becomes the blank the box already shows it
    // as, so the reading, the PDF and the saved file hold what the box shows. Every change counts,
    // not only the user's edits: assistive technology (a screen reader, dictation, an on-screen
    // keyboard) writes into the box through the accessibility bus, which sets its whole text.
    connect(edit, &QLineEdit::textChanged, edit, [edit](const QString &text) {
        const QString oneLine = readings::onOneLine(text);
        if (oneLine != text) {
            const int cursor = int(readings::onOneLine(text.left(edit->cursorPosition())).size());
            edit->setText(oneLine);
            edit->setCursorPosition(cursor);
        }
    });
    return edit;
}

QComboBox *frmMain::comboBox(QWidget *parent, const char *name, const QString &accessibleName)
{
    auto *list = new DropDownList(parent); // picking only, no typing
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(accessibleName);
    return list;
}

QLabel *frmMain::label(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

QPushButton *frmMain::pushButton(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new CommandButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QAction *frmMain::action(const char *name, const QString &text)
{
    auto *a = new QAction(text, this);
    a->setObjectName(QLatin1String(name));
    return a;
}

void frmMain::createControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    // The window's font before any control exists, so that each is created with it rather than
    // all of them being told of it afterwards.
    central->setFont(platform::windowFont());
    setCentralWidget(central);

    label(central, "Label11", QStringLiteral("Tovrin"))->setAlignment(Qt::AlignCenter);
    auto *cmdOpen = pushButton(central, "cmdOpen", QStringLiteral("&Open Previously Saved Reading"));

    auto *frame2 = new QGroupBox(QStringLiteral("www.example.com"), central);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto *label61 = new LinkLabel(QStringLiteral("Ask, share and compare readings on our discussion board"), frame2);
    label61->setObjectName(QStringLiteral("Label61"));

    auto *frame1 = new QGroupBox(QStringLiteral("Note: "), central);
    frame1->setObjectName(QStringLiteral("Frame1"));
    label(frame1, "Label14",
          QStringLiteral("This program has been designed keeping in mind date settings according to MM/DD/YYYY format"))
        ->setWordWrap(true);

    // The two partners' frames are laid out alike.
    struct PartnerControls {
        const char *frame, *title;
        const char *labels[4];
        QLineEdit **names[3];
        const char *nameBoxes[3];
        QComboBox **dates[3];
        const char *dateLists[3];
    };
    const PartnerControls partners[] = {
        {"fraM", "Male", {"Label1", "Label4", "Label5", "Label2"},
         {&m_txtMF, &m_txtMM, &m_txtML}, {"txtMF", "txtMM", "txtML"},
         {&m_cboMM, &m_cboMD, &m_cboMY}, {"cboMM", "cboMD", "cboMY"}},
        {"fraF", "Female", {"Label10", "Label9", "Label8", "Label7"},
         {&m_txtFF, &m_txtFM, &m_txtFL}, {"txtFF", "txtFM", "txtFL"},
         {&m_cboFM, &m_cboFD, &m_cboFY}, {"cboFM", "cboFD", "cboFY"}},
    };
    const QString nameLabels[] = {QStringLiteral("* First Name"), QStringLiteral("Middle Name"),
                                  QStringLiteral("* Last Name")};
    const QString datePart[] = {QStringLiteral("month"), QStringLiteral("day"), QStringLiteral("year")};
    for (const PartnerControls &p : partners) {
        auto *frame = new QGroupBox(QLatin1String(p.title), central);
        frame->setObjectName(QLatin1String(p.frame));
        for (int i = 0; i < 3; ++i) {
            QLabel *l = label(frame, p.labels[i], nameLabels[i]);
            *p.names[i] = lineEdit(frame, p.nameBoxes[i], nameLabels[i]);
            (*p.names[i])->setAccessibleDescription(QLatin1String(p.title));
            l->setBuddy(*p.names[i]);
        }
        QLabel *dateLabel = label(frame, p.labels[3], QStringLiteral("Date of Birth"));
        for (int i = 0; i < 3; ++i) {
            *p.dates[i] = comboBox(frame, p.dateLists[i], QStringLiteral("Date of Birth ") + datePart[i]);
            // On Linux a list's accessible name is its current entry, so the description says what it is.
            (*p.dates[i])->setAccessibleDescription(QLatin1String(p.title) + QStringLiteral(", Date of Birth, ")
                                                    + datePart[i]);
        }
        dateLabel->setBuddy(*p.dates[0]);
    }

    auto *cmdExit = pushButton(central, "cmdExit", QStringLiteral("Exit"));
    auto *cmdCR = pushButton(central, "cmdCR", QStringLiteral("Comprehensive Reading"));
    auto *cmdLP = pushButton(central, "cmdLP", QStringLiteral("LifePath Compatibility"));
    auto *cmdD = pushButton(central, "cmdD", QStringLiteral("Destiny Compatibility"));

    auto *fraFullBrand = new QGroupBox(central);
    fraFullBrand->setObjectName(QStringLiteral("fraFullBrand"));
    m_lblCobrand = new LinkLabel(QStringLiteral("Co-brand this software for your site. Put your own name "
                                                "and link into Tovrin and give it away to your visitors."),
                                 fraFullBrand);
    m_lblCobrand->setObjectName(QStringLiteral("lblCobrand"));
    m_lblFullBrand = new LinkLabel(QStringLiteral("Home Business Opportunity. Start your own Internet business "
                                                  "with a fully branded copy of Tovrin."),
                                   fraFullBrand);
    m_lblFullBrand->setObjectName(QStringLiteral("lblFullBrand"));
    for (LinkLabel *ad : {m_lblCobrand, m_lblFullBrand}) {
        ad->setAlignment(Qt::AlignCenter);
        ad->setWordWrap(true);
    }

    auto *command3 = pushButton(central, "Command3", QStringLiteral("Donate"));
    auto *cmdNav = pushButton(central, "cmdNav", QStringLiteral("Exit"));

    // The marriage date lies outside the visible area and nothing reads it.
    label(central, "Label3", QStringLiteral("Marriage Date"));
    m_cboMMD = comboBox(central, "cboMMD", QStringLiteral("Marriage Date day"));
    m_cboMMM = comboBox(central, "cboMMM", QStringLiteral("Marriage Date month"));
    m_cboMMY = comboBox(central, "cboMMY", QStringLiteral("Marriage Date year"));
    // Tab still reaches them; as for the dates of birth, the description says what each one is.
    m_cboMMD->setAccessibleDescription(QStringLiteral("Marriage Date, day"));
    m_cboMMM->setAccessibleDescription(QStringLiteral("Marriage Date, month"));
    m_cboMMY->setAccessibleDescription(QStringLiteral("Marriage Date, year"));

    platform::connectCommand(cmdOpen, &QPushButton::clicked, this, &frmMain::cmdOpen_Click);
    platform::connectCommand(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    platform::connectCommand(cmdCR, &QPushButton::clicked, this, &frmMain::cmdCR_Click);
    platform::connectCommand(cmdLP, &QPushButton::clicked, this, &frmMain::cmdLP_Click);
    platform::connectCommand(cmdD, &QPushButton::clicked, this, &frmMain::cmdD_Click);
    platform::connectCommand(cmdNav, &QPushButton::clicked, this, &frmMain::cmdNav_Click);
    connect(command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(label61, &LinkLabel::clicked, this, &frmMain::Label61_Click);
    connect(m_lblCobrand, &LinkLabel::clicked, this, &frmMain::lblCobrand_Click);
    connect(m_lblFullBrand, &LinkLabel::clicked, this, &frmMain::lblFullBrand_Click);
}

void frmMain::createMenus()
{
    auto *bar = new CommandMenuBar(this);
    setMenuBar(bar);

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction *comprehensive = action("mnuComprehensive", QStringLiteral("&Comprehensive Reading"));
    QAction *lifePath = action("mnuLifePath", QStringLiteral("&LifePath Compatibility"));
    QAction *destiny = action("mnuDestiny", QStringLiteral("&Destiny Compatibility"));
    QAction *exportPdf = action("mnuExportPdf", QStringLiteral("Export Comprehensive Reading as &PDF..."));
    QAction *working = action("mnuWorking", QStringLiteral("Show the &Working"));
    QAction *exit = action("mnuExit", QStringLiteral("E&xit"));
    file->addAction(comprehensive);
    file->addAction(lifePath);
    file->addAction(destiny);
    file->addAction(exportPdf);
    file->addAction(working);
    m_mnuRecent = file->addMenu(QStringLiteral("Open &Recent"));
    m_mnuRecent->setObjectName(QStringLiteral("mnuRecent"));
    m_mnuRecent->setToolTipsVisible(true); // each entry's tip is the file's full path
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileSep"));
    file->addAction(exit);

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction *online = action("mnuOnline", QStringLiteral("&Online help"));
    QAction *visit = action("mnuVisit", QStringLiteral("&Visit us Online"));
    QAction *update = action("mnuUpdate", QStringLiteral("Check for Software &Update"));
    QAction *about = action("mnuAbout", QStringLiteral("&About Software"));
    help->addAction(online);
    help->addAction(visit);
    help->addSeparator()->setObjectName(QStringLiteral("mnuHelpSep1"));
    help->addAction(update);
    help->addSeparator()->setObjectName(QStringLiteral("mnuHelpSep2"));
    help->addAction(about);

    QAction *donate = action("mnuDonate", QStringLiteral("&Donate"));
    QAction *makeMoney = action("mnuMakeMoney", QStringLiteral("Make Money &Online"));
    bar->addAction(donate);
    bar->addAction(makeMoney);

    platform::connectCommand(comprehensive, &QAction::triggered, this, &frmMain::mnuComprehensive_Click);
    platform::connectCommand(lifePath, &QAction::triggered, this, &frmMain::mnuLifePath_Click);
    platform::connectCommand(destiny, &QAction::triggered, this, &frmMain::mnuDestiny_Click);
    platform::connectCommand(exportPdf, &QAction::triggered, this, &frmMain::mnuExportPdf_Click);
    platform::connectCommand(working, &QAction::triggered, this, &frmMain::mnuWorking_Click);
    platform::connectCommand(exit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(m_mnuRecent, &QMenu::aboutToShow, this, &frmMain::mnuRecent_AboutToShow);
    connect(online, &QAction::triggered, this, &frmMain::mnuOnline_Click);
    connect(visit, &QAction::triggered, this, &frmMain::mnuVisit_Click);
    connect(update, &QAction::triggered, this, &frmMain::mnuUpdate_Click);
    platform::connectCommand(about, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(donate, &QAction::triggered, this, &frmMain::mnuDonate_Click);
    connect(makeMoney, &QAction::triggered, this, &frmMain::mnuMakeMoney_Click);
}

void frmMain::Form_Load()
{
    // The document window is loaded, hidden and hooked, as soon as this window has painted itself
    // for the first time: ready long before anyone can ask for a reading, without keeping the
    // window itself from appearing.
    centralWidget()->installEventFilter(this);

    const QStringList &days = numerology::dayNumbers();
    const QStringList &years = numerology::yearNumbers();
    m_cboMD->addItems(days);
    m_cboMMD->addItems(days);
    m_cboMM->addItems(numerology::monthNames());
    m_cboMMM->addItems(numerology::monthNames());
    m_cboMY->addItems(years);
    m_cboMMY->addItems(years);
    m_cboFD->addItems(days);
    m_cboFM->addItems(numerology::monthNames());
    m_cboFY->addItems(years);

    for (QComboBox *list : {m_cboMM, m_cboMD, m_cboMY, m_cboFM, m_cboFD, m_cboFY})
        list->setCurrentIndex(0);
    for (QComboBox *list : {m_cboMMD, m_cboMMM, m_cboMMY})
        list->setCurrentIndex(-1);
}

frmMain::~frmMain() = default;

frmDisp *frmMain::readingWindow() const { return m_readingWindow; }
frmSaveDocument *frmMain::documentWindow() const { return m_documentWindow; }
frmAbout *frmMain::aboutWindow() const { return m_aboutWindow; }
frmWorking *frmMain::workingWindow() const { return m_workingWindow; }

readings::PartnerDetails frmMain::details() const
{
    readings::PartnerDetails d;
    d.MaleFirstName = m_txtMF->text().trimmed();
    d.MaleMiddleName = m_txtMM->text().trimmed();
    d.MaleLastName = m_txtML->text().trimmed();
    d.FemaleFirstName = m_txtFF->text().trimmed();
    d.FemaleMiddleName = m_txtFM->text().trimmed();
    d.FemaleLastName = m_txtFL->text().trimmed();
    d.MaleBirthMonth = m_cboMM->currentText().trimmed();
    d.MaleBirthDay = m_cboMD->currentText().trimmed();
    d.MaleBirthYear = m_cboMY->currentText().trimmed();
    d.FemaleBirthMonth = m_cboFM->currentText().trimmed();
    d.FemaleBirthDay = m_cboFD->currentText().trimmed();
    d.FemaleBirthYear = m_cboFY->currentText().trimmed();
    return d;
}

void frmMain::setDetails(const readings::PartnerDetails &d)
{
    m_txtMF->setText(d.MaleFirstName);
    m_txtMM->setText(d.MaleMiddleName);
    m_txtML->setText(d.MaleLastName);
    m_txtFF->setText(d.FemaleFirstName);
    m_txtFM->setText(d.FemaleMiddleName);
    m_txtFL->setText(d.FemaleLastName);
    const std::pair<QComboBox *, const QString *> dates[] = {
        {m_cboMM, &d.MaleBirthMonth},   {m_cboMD, &d.MaleBirthDay},   {m_cboMY, &d.MaleBirthYear},
        {m_cboFM, &d.FemaleBirthMonth}, {m_cboFD, &d.FemaleBirthDay}, {m_cboFY, &d.FemaleBirthYear},
    };
    for (const auto &[list, text] : dates) {
        const int entry = list->findText(*text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (entry >= 0)
            list->setCurrentIndex(entry);
    }
}

bool frmMain::ValidateInput()
{
    const readings::ValidationResult result = readings::checkInput(details());
    if (result.ok)
        return true;

    platform::MessageBox::information(this, result.message);
    QWidget *const focus[] = {
        nullptr, m_txtMF, m_txtML, m_txtFF, m_txtFL, m_cboMD, m_cboMM, m_cboMY, m_cboFD, m_cboFM, m_cboFY,
    };
    if (QWidget *field = focus[static_cast<int>(result.focus)])
        field->setFocus();
    return false;
}

void frmMain::cmdLP_Click()
{
    if (ValidateInput())
        showReading(loadReadingWindow(), readings::lifePathReading(details()));
}

void frmMain::cmdD_Click()
{
    if (ValidateInput())
        showReading(loadReadingWindow(), readings::destinyReading(details()));
}

void frmMain::cmdCR_Click()
{
    if (ValidateInput())
        showReading(loadDocumentWindowNow(), readings::comprehensiveReading(details()));
}

void frmMain::showReading(ReadingWindow *window, const readings::Reading &reading)
{
    window->showReading(reading, details());
    platform::showModal(window);
}

frmDisp *frmMain::loadReadingWindow()
{
    if (!m_readingWindow) {
        m_readingWindow = new frmDisp(this);
        listenTo(m_readingWindow);
        connect(m_readingWindow, &ReadingWindow::unloaded, this, [this] { m_readingWindow = nullptr; });
    }
    return m_readingWindow;
}

frmSaveDocument *frmMain::loadDocumentWindowNow()
{
    if (!m_documentWindow) {
        m_documentWindow = new frmSaveDocument(this);
        listenTo(m_documentWindow);
        connect(m_documentWindow, &ReadingWindow::unloaded, this, [this] { m_documentWindow = nullptr; });
    }
    return m_documentWindow;
}

void frmMain::listenTo(ReadingWindow *window)
{
    connect(window, &ReadingWindow::backRequested, this, &frmMain::backToMainWindow);
    connect(window, &ReadingWindow::exitRequested, this, &frmMain::readingWindowExit);
    connect(window, &ReadingWindow::readingSaved, this, &frmMain::rememberReading);
}

void frmMain::cmdOpen_Click()
{
    const QString path = documents::askForSavedReadingPath(this);
    if (!path.isEmpty())
        openSavedReading(path);
}

bool frmMain::openSavedReading(const QString &path, bool *systemRefused)
{
    closeReadingWindows();
    const std::optional<readings::PartnerDetails> opened = documents::readSavedReading(this, path, systemRefused);
    if (!opened)
        return false;
    rememberReading(path);
    setDetails(*opened);
    cmdCR_Click();
    return true;
}

void frmMain::closeReadingWindows()
{
    if (m_readingWindow)
        m_readingWindow->unload();
    if (m_documentWindow && m_documentWindow->isVisible())
        m_documentWindow->unload();
    if (m_aboutWindow)
        m_aboutWindow->unload();
    if (m_workingWindow)
        m_workingWindow->unload();
    backToMainWindow();
}

// Without a settings store (its file is a pipe or a folder) there is no list: nothing is
// remembered and nothing is listed.
void frmMain::rememberReading(const QString &path)
{
    if (const std::unique_ptr<QSettings> settings = settings::openSettingsStore())
        settings::addRecentReading(*settings, path);
}

void frmMain::mnuRecent_AboutToShow()
{
    m_mnuRecent->clear();
    const std::unique_ptr<QSettings> settings = settings::openSettingsStore();
    for (const QString &path : settings ? settings::recentReadings(*settings) : QStringList()) {
        QString name = QFileInfo(path).fileName();
        QAction *entry = m_mnuRecent->addAction(name.replace(QLatin1Char('&'), QLatin1String("&&")));
        // As rich text with the path escaped: Qt shows a tip that merely looks like markup as
        // rich text, and a folder name may well look like markup.
        entry->setToolTip(QStringLiteral("<p style='white-space:pre'>%1</p>").arg(path.toHtmlEscaped()));
        connect(entry, &QAction::triggered, this, [this, path] {
            if (platform::takesCommands(this))
                openRecentReading(path);
        });
    }
    m_mnuRecent->addSeparator();
    QAction *clear = action("mnuClearRecent", QStringLiteral("&Clear List"));
    clear->setParent(m_mnuRecent); // goes with the next clear()
    clear->setEnabled(m_mnuRecent->actions().size() > 1);
    m_mnuRecent->addAction(clear);
    connect(clear, &QAction::triggered, this, &frmMain::mnuClearRecent_Click);
}

void frmMain::openRecentReading(const QString &path)
{
    bool systemRefused = false;
    if (!openSavedReading(path, &systemRefused) && !systemRefused) {
        // A reading that is gone or spoilt cannot be opened from the list again. One the system
        // had no room to open (every descriptor in use) stays listed for another try.
        if (const std::unique_ptr<QSettings> settings = settings::openSettingsStore())
            settings::removeRecentReading(*settings, path);
    }
}

void frmMain::mnuClearRecent_Click()
{
    if (const std::unique_ptr<QSettings> settings = settings::openSettingsStore())
        settings::clearRecentReadings(*settings);
}

namespace {

// The local saved reading a drag carries, or an empty text when it carries anything else: text,
// a remote address, a file on another computer, several files, or a file whose name does not end
// in "kvl".
QString droppedReading(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return QString();
    const std::optional<QString> path = program::localFilePath(data->urls().constFirst());
    if (!path || !path->endsWith(QLatin1String("kvl"), Qt::CaseSensitive))
        return QString();
    return *path;
}

// Takes the drag of a saved reading as a copy, whatever it proposes: opening reads the file and
// leaves it where it is, and a file manager told that it was moved may remove it. The reading's
// path, or an empty text, and the drag refused, when it carries no reading or cannot be copied.
QString takeReadingAsCopy(QDropEvent *event)
{
    const QString path = droppedReading(event->mimeData());
    if (path.isEmpty() || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return QString();
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return path;
}

} // namespace

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    takeReadingAsCopy(event);
}

void frmMain::dragMoveEvent(QDragMoveEvent *event)
{
    takeReadingAsCopy(event);
}

void frmMain::dropEvent(QDropEvent *event)
{
    const QString path = takeReadingAsCopy(event);
    if (path.isEmpty())
        return;
    // The drag ends before the reading opens: its window is shown modally.
    QTimer::singleShot(0, this, [this, path] { openSavedReading(path); });
}

void frmMain::mnuComprehensive_Click() { cmdCR_Click(); }
void frmMain::mnuLifePath_Click() { cmdLP_Click(); }
void frmMain::mnuDestiny_Click() { cmdD_Click(); }
void frmMain::mnuExit_Click() { cmdExit_Click(); }

void frmMain::mnuExportPdf_Click()
{
    if (ValidateInput())
        documents::ExportReadingAsPdf(this, details());
}

void frmMain::mnuWorking_Click()
{
    if (!ValidateInput())
        return;
    if (!m_workingWindow) {
        m_workingWindow = new frmWorking(this);
        connect(m_workingWindow, &frmWorking::unloaded, this, [this] { m_workingWindow = nullptr; });
    }
    m_workingWindow->showWorking(readings::working(details()));
    platform::showModal(m_workingWindow);
}

void frmMain::cmdNav_Click() { cmdExit_Click(); }

void frmMain::Command3_Click() { platform::OpenDonatePage(); }
void frmMain::mnuDonate_Click() { platform::OpenDonatePage(); }
void frmMain::mnuOnline_Click() { platform::OpenOnlineHelpPage(); }
void frmMain::mnuVisit_Click() { platform::OpenHomePage(); }
void frmMain::Label61_Click() { platform::OpenHomePage(); }
void frmMain::mnuUpdate_Click() { platform::OpenDownloadPage(); }
void frmMain::mnuMakeMoney_Click() { platform::OpenFullBrandPage(); }
void frmMain::lblFullBrand_Click() { platform::OpenFullBrandPage(); }
void frmMain::lblCobrand_Click() { platform::OpenCoBrandPage(); }

void frmMain::mnuAbout_Click()
{
    if (!m_aboutWindow) {
        m_aboutWindow = new frmAbout(this);
        connect(m_aboutWindow, &frmAbout::unloaded, this, [this] { m_aboutWindow = nullptr; });
    }
    platform::showModal(m_aboutWindow);
}

void frmMain::cmdExit_Click()
{
    leave();
}

void frmMain::backToMainWindow()
{
    show();
    raise();
    activateWindow();
}

// The reading window's own Exit: the reading goes, this window hides, and the exit screen shows.
void frmMain::readingWindowExit()
{
    hide();
    emit exitScreenRequested();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget() && event->type() == QEvent::Paint) {
        centralWidget()->removeEventFilter(this);
        QTimer::singleShot(0, this, &frmMain::firstPaintDone);
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::firstPaintDone()
{
    loadDocumentWindowNow();
    m_painted = true;
    emit firstPainted();
}

bool frmMain::hasPainted() const
{
    return m_painted;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    leave();
}

void frmMain::leave()
{
    emit exitScreenRequested();
    hide();
    unload();
}

void frmMain::Form_Unload()
{
    // Leaving again while unloading changes nothing: the exit screen is already up.
    emit exitScreenRequested();
    hide();
}

void frmMain::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_readingWindow)
        m_readingWindow->unload();
    if (m_documentWindow)
        m_documentWindow->unload();
    if (m_aboutWindow)
        m_aboutWindow->unload();
    if (m_workingWindow)
        m_workingWindow->unload();
    Form_Unload();
    emit unloaded();
    deleteLater();
}
