#include "gui/app/aboutwindow.h"

#include "core/program/version.h"
#include "gui/platform/layouttable.h"
#include "gui/platform/linklabel.h"
#include "gui/platform/look.h"
#include "gui/platform/weblinks.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

const QColor kText(64, 64, 0);
const QColor kWhite(255, 255, 255);
const QColor kLightYellow(255, 255, 128);

template<typename Label>
Label *addLabel(Label *label, const char *name)
{
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget *parent)
    : UnloadingDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(program::caption());
    setModal(true);

    auto *cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    const QString siteName = platform::webPageAddress(platform::WebPage::Home).host();
    auto *lblHomePage = addLabel(new LinkLabel(QStringLiteral("Click here to visit ") + siteName, this), "lblHomePage");
    addLabel(new QLabel(QStringLiteral("Home Business Opportunity. Start your own Internet business: offer a fully "
                                       "branded copy of Tovrin from your own web site."),
                        this),
             "Label3")
        ->setWordWrap(true);
    auto *lblCoBrand = addLabel(new LinkLabel(QStringLiteral("Click here for more details"), this), "lblCoBrand");
    // Its words say nothing on their own in a screen reader's list of links.
    lblCoBrand->setAccessibleDescription(QStringLiteral("Home Business Opportunity: a fully branded copy of Tovrin"));
    addLabel(new QLabel(program::caption(), this), "Label2");
    addLabel(new QLabel(QStringLiteral("Tovrin is based on the Pythagorean system of numerology. It helps you "
                                       "decide whether your partner is the right one for you, and it gives you an "
                                       "insight into any relationship by analysing the similarities and the "
                                       "differences between the two partners. It describes the vibrations "
                                       "between people based on their dates of birth."),
                        this),
             "Label1")
        ->setWordWrap(true);
    auto *picture1 = addLabel(new QLabel(this), "Picture1");
    picture1->setPixmap(platform::programPixmap());
    picture1->setAlignment(Qt::AlignCenter);

    auto *line1 = new QFrame(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Plain);
    line1->setLineWidth(1);

    setFixedSize(platform::twipsRect(this, 0, 0, 7515, 3465).size());
    platform::applyPlacements(this, {
        {"cmdOK", 6135, 3030, 1260, 345},
        {"lblHomePage", 3345, 1815, 4050, 195},
        {"Label3", 120, 2070, 7275, 435},
        {"lblCoBrand", 5100, 2505, 2295, 195},
        {"Label2", 720, 120, 4935, 240},
        {"Label1", 750, 390, 6645, 1425},
        {"Picture1", 150, 120, 480, 480},
        // the line runs from (-60, 2910) to (7560, 2910), one pixel high
        {"Line1", -60, 2910, 7620, 15},
    });
    platform::applyTabOrder(this, {"cmdOK", "lblHomePage", "Label3", "lblCoBrand", "Label2", "Label1", "Picture1"});

    using platform::kVerdana;
    platform::applyFonts(this, {
        // name, family, point size, bold, underlined
        {"lblHomePage", kVerdana, 8.25, false, true},
        {"Label3", kVerdana, 8.25, true, false},
        {"lblCoBrand", kVerdana, 8.25, false, true},
        {"Label2", kVerdana, 9.75, true, false},
        {"Label1", kVerdana, 8.25, false, false},
    });

    QPalette white = palette();
    white.setColor(QPalette::Window, kWhite);
    setPalette(white);
    setAutoFillBackground(true);
    platform::applyColours(this, {
        // name, text, background
        {"lblHomePage", kText, {}},
        {"Label3", kText, {}},
        {"lblCoBrand", kText, {}},
        {"Label2", kText, kWhite},
        {"Label1", kText, kLightYellow},
        {"Picture1", {}, QApplication::palette(picture1).color(QPalette::Window)},
    });

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(lblHomePage, &LinkLabel::clicked, this, &frmAbout::lblHomePage_Click);
    connect(lblCoBrand, &LinkLabel::clicked, this, &frmAbout::lblCoBrand_Click);
}

void frmAbout::cmdOK_Click()
{
    unload();
}

void frmAbout::lblHomePage_Click()
{
    platform::OpenHomePage();
}

void frmAbout::lblCoBrand_Click()
{
    platform::OpenFullBrandPage();
}
