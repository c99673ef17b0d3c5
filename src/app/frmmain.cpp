#include "app/frmmain.h"

#include "app/mainwindowlayout.h"
#include "app/shutdown.h"
#include "app/validation.h"
#include "documents/frmdisp.h"
#include "documents/frmsavedocument.h"
#include "documents/maininputs.h"
#include "documents/openreading.h"
#include "documents/richtextbox.h"
#include "numerology/compatibility.h"
#include "numerology/numerology.h"
#include "platform/aboutwindow.h"
#include "platform/dialogs.h"
#include "platform/linklabel.h"
#include "platform/weblinks.h"
#include "readings/partnerdetails.h"
#include "readings/readingtexts.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

QPointer<frmMain> s_instance;

const QStringList &monthNames()
{
    static const QStringList names = {
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December"),
    };
    return names;
}

QStringList numbers(int first, int last)
{
    QStringList texts;
    texts.reserve(last - first + 1);
    for (int n = first; n <= last; ++n)
        texts.append(QString::number(n));
    return texts;
}

QString trimmedText(const QComboBox *list)
{
    return list->currentText().trimmed();
}

} // namespace

frmMain *frmMain::instance()
{
    if (!s_instance)
        s_instance = new frmMain;
    return s_instance;
}

frmMain *frmMain::loadedInstance()
{
    return s_instance;
}

frmMain::frmMain()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tovrin v1.65"));
    setAttribute(Qt::WA_QuitOnClose, false); // leaving the main window shows the exit screen first
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
    edit->setAccessibleName(accessibleName);
    return edit;
}

QComboBox *frmMain::comboBox(QWidget *parent, const char *name, const QString &accessibleName)
{
    auto *list = new QComboBox(parent); // a drop-down list: picking only, no typing
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
    auto *b = new QPushButton(text, parent);
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

    connect(cmdOpen, &QPushButton::clicked, this, &frmMain::cmdOpen_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(cmdCR, &QPushButton::clicked, this, &frmMain::cmdCR_Click);
    connect(cmdLP, &QPushButton::clicked, this, &frmMain::cmdLP_Click);
    connect(cmdD, &QPushButton::clicked, this, &frmMain::cmdD_Click);
    connect(cmdNav, &QPushButton::clicked, this, &frmMain::cmdNav_Click);
    connect(command3, &QPushButton::clicked, this, &platform::OpenDonatePage);
    connect(label61, &LinkLabel::clicked, this, &platform::OpenHomePage);
    connect(m_lblCobrand, &LinkLabel::clicked, this, &platform::OpenCoBrandPage);
    connect(m_lblFullBrand, &LinkLabel::clicked, this, &platform::OpenFullBrandPage);
}

void frmMain::createMenus()
{
    QMenuBar *bar = menuBar();

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction *comprehensive = action("mnuComprehensive", QStringLiteral("&Comprehensive Reading"));
    QAction *lifePath = action("mnuLifePath", QStringLiteral("&LifePath Compatibility"));
    QAction *destiny = action("mnuDestiny", QStringLiteral("&Destiny Compatibility"));
    QAction *exit = action("mnuExit", QStringLiteral("E&xit"));
    file->addAction(comprehensive);
    file->addAction(lifePath);
    file->addAction(destiny);
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

    connect(comprehensive, &QAction::triggered, this, &frmMain::mnuComprehensive_Click);
    connect(lifePath, &QAction::triggered, this, &frmMain::mnuLifePath_Click);
    connect(destiny, &QAction::triggered, this, &frmMain::mnuDestiny_Click);
    connect(exit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(online, &QAction::triggered, this, &platform::OpenOnlineHelpPage);
    connect(visit, &QAction::triggered, this, &platform::OpenHomePage);
    connect(update, &QAction::triggered, this, &platform::OpenDownloadPage);
    connect(about, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(donate, &QAction::triggered, this, &platform::OpenDonatePage);
    connect(makeMoney, &QAction::triggered, this, &platform::OpenFullBrandPage);
}

void frmMain::Form_Load()
{
    // The document window is loaded, hidden and hooked, as soon as this window has painted itself
    // for the first time: ready long before anyone can ask for a reading, without keeping the
    // window itself from appearing.
    centralWidget()->installEventFilter(this);

    const QStringList days = numbers(1, 31);
    const QStringList years = numbers(1900, 2050);
    m_cboMD->addItems(days);
    m_cboMMD->addItems(days);
    m_cboMM->addItems(monthNames());
    m_cboMMM->addItems(monthNames());
    m_cboMY->addItems(years);
    m_cboMMY->addItems(years);
    m_cboFD->addItems(days);
    m_cboFM->addItems(monthNames());
    m_cboFY->addItems(years);

    for (QComboBox *list : {m_cboMM, m_cboMD, m_cboMY, m_cboFM, m_cboFD, m_cboFY})
        list->setCurrentIndex(0);
    for (QComboBox *list : {m_cboMMD, m_cboMMM, m_cboMMY})
        list->setCurrentIndex(-1);
}

bool frmMain::ValidateInput()
{
    app::ValidationInput input;
    input.maleFirst = m_txtMF->text();
    input.maleLast = m_txtML->text();
    input.femaleFirst = m_txtFF->text();
    input.femaleLast = m_txtFL->text();
    input.maleDay = m_cboMD->currentText();
    input.maleMonth = m_cboMM->currentText();
    input.maleYear = m_cboMY->currentText();
    input.femaleDay = m_cboFD->currentText();
    input.femaleMonth = m_cboFM->currentText();
    input.femaleYear = m_cboFY->currentText();
    input.maleDayIndex = m_cboMD->currentIndex();
    input.maleMonthIndex = m_cboMM->currentIndex();
    input.femaleDayIndex = m_cboFD->currentIndex();
    input.femaleMonthIndex = m_cboFM->currentIndex();

    const app::ValidationResult result = app::checkInput(input);
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
    if (!ValidateInput())
        return;

    readings::PartnerDetails &d = readings::partnerDetails();
    d.MaleBirthDay = trimmedText(m_cboMD);
    d.MaleBirthMonth = trimmedText(m_cboMM);
    d.MaleBirthYear = trimmedText(m_cboMY);
    d.FemaleBirthDay = trimmedText(m_cboFD);
    d.FemaleBirthMonth = trimmedText(m_cboFM);
    d.FemaleBirthYear = trimmedText(m_cboFY);

    m_state.MaleLifePathNumber = numerology::SingleDigitNumber(d.MaleBirthDay, d.MaleBirthMonth, d.MaleBirthYear);
    m_state.FemaleLifePathNumber =
        numerology::SingleDigitNumber(d.FemaleBirthDay, d.FemaleBirthMonth, d.FemaleBirthYear);
    m_state.LifePathCombination = numerology::CombinationKey(m_state.MaleLifePathNumber, m_state.FemaleLifePathNumber);
    m_state.LifePathCompatibilityText = numerology::CompatibilityText(m_state.LifePathCombination);

    showSection(int(readings::Kind::LifePath), m_state.MaleLifePathNumber, m_state.FemaleLifePathNumber,
                m_state.LifePathCompatibilityText);
}

void frmMain::cmdD_Click()
{
    if (!ValidateInput())
        return;

    m_state.MaleFullName = readings::countedFullName(m_txtMF->text(), m_txtMM->text(), m_txtML->text());
    m_state.FemaleFullName = readings::countedFullName(m_txtFF->text(), m_txtFM->text(), m_txtFL->text());
    m_state.MaleDestinyNumber = numerology::StringToNumber(m_state.MaleFullName.toUpper());
    m_state.FemaleDestinyNumber = numerology::StringToNumber(m_state.FemaleFullName.toUpper());
    m_state.DestinyCombination = numerology::CombinationKey(m_state.MaleDestinyNumber, m_state.FemaleDestinyNumber);
    m_state.DestinyCompatibilityText = numerology::CompatibilityText(m_state.DestinyCombination);

    showSection(int(readings::Kind::Destiny), m_state.MaleDestinyNumber, m_state.FemaleDestinyNumber,
                m_state.DestinyCompatibilityText);
}

// Appends a section to the comprehensive document, or shows a reading on its own.
void frmMain::showSection(int kindValue, qint16 male, qint16 female, const QString &paragraph)
{
    const auto kind = static_cast<readings::Kind>(kindValue);
    const QString breaks = readings::crlf() + readings::crlf();

    if (m_state.ComprehensiveMode) {
        RichTextBox *rtb = frmSaveDocument::instance()->RTB();
        rtb->setSelBold(true);
        rtb->setSelText(readings::documentHeading(kind, male, female));
        rtb->setSelText(paragraph + breaks);
        rtb->setSelBold(false);
        rtb->setSelText(breaks);
        return;
    }

    frmDisp *disp = frmDisp::instance();
    disp->setWindowTitle(readings::caption(kind));
    RichTextBox *txtDisp = disp->txtDisp();
    txtDisp->setText(readings::standaloneHeading(kind, male, female));
    txtDisp->setText(txtDisp->text() + paragraph + breaks);
    txtDisp->setText(txtDisp->text() + breaks);
    platform::showModal(disp);
}

void frmMain::cmdCR_Click()
{
    if (!ValidateInput())
        return;

    readings::PartnerDetails &d = readings::partnerDetails();
    d = documents::mainWindowDetails(this); // every detail, trimmed
    m_state.MaleFullName = readings::displayedFullName(d.MaleFirstName, d.MaleMiddleName, d.MaleLastName);
    m_state.FemaleFullName = readings::displayedFullName(d.FemaleFirstName, d.FemaleMiddleName, d.FemaleLastName);

    m_state.ComprehensiveMode = true;
    frmSaveDocument *document = frmSaveDocument::instance();
    RichTextBox *rtb = document->RTB();
    rtb->setText(QString()); // every reading starts from an empty document
    rtb->setSelText(readings::partnerBlock(QStringLiteral("Male Information"), m_state.MaleFullName,
                                           d.MaleBirthMonth, d.MaleBirthDay, d.MaleBirthYear));
    rtb->setSelText(readings::partnerBlock(QStringLiteral("Female Information"), m_state.FemaleFullName,
                                           d.FemaleBirthMonth, d.FemaleBirthDay, d.FemaleBirthYear));
    cmdLP_Click();
    cmdD_Click();
    m_state.ComprehensiveMode = false;

    rtb->setSelStart(0); // the reader starts at the top of the document
    platform::showModal(document);
}

void frmMain::cmdOpen_Click()
{
    documents::OpenSavedReading(this);
}

void frmMain::mnuComprehensive_Click() { cmdCR_Click(); }
void frmMain::mnuLifePath_Click() { cmdLP_Click(); }
void frmMain::mnuDestiny_Click() { cmdD_Click(); }
void frmMain::mnuExit_Click() { cmdExit_Click(); }
void frmMain::cmdNav_Click() { cmdExit_Click(); }

void frmMain::mnuAbout_Click()
{
    platform::showAboutWindow();
}

void frmMain::cmdExit_Click()
{
    leave();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget() && event->type() == QEvent::Paint) {
        centralWidget()->removeEventFilter(this);
        QTimer::singleShot(0, this, &frmMain::loadDocumentWindow);
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::loadDocumentWindow()
{
    frmSaveDocument::instance()->RTB()->setSelStart(0);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    leave();
}

void frmMain::leave()
{
    app::showExitScreen();
    hide();
    unload();
}

void frmMain::Form_Unload()
{
    // Leaving again while unloading changes nothing: the exit screen is already up.
    app::showExitScreen();
    hide();
}

void frmMain::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    Form_Unload();
    if (s_instance == this)
        s_instance = nullptr;
    deleteLater();
}
