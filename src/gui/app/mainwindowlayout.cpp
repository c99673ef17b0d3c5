#include "gui/app/mainwindowlayout.h"

#include "gui/platform/layouttable.h"
#include "gui/platform/look.h"

#include <QLabel>
#include <QLayout>
#include <QMainWindow>

namespace app {

namespace {

const QColor kFrameCaption(64, 64, 64);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kLinkBlue(0, 0, 255);

} // namespace

void applyMainWindowLayout(QWidget *window)
{
    // The client area has the designed size, the menu bar sits above it, and the window cannot be
    // resized. The window's font is the client area's: the menus keep the system's.
    QWidget *clientArea = window;
    if (auto *main = qobject_cast<QMainWindow *>(window)) {
        clientArea = main->centralWidget();
        clientArea->setFixedSize(platform::twipsRect(window, 0, 0, 10485, 5325).size());
        main->layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
    clientArea->setFont(platform::windowFont());

    platform::applyPlacements(window, {
        // top level
        {"Label11", 2047, 90, 6390, 345},
        {"cmdOpen", 1132, 520, 8220, 345},
        {"Frame2", 0, 960, 5235, 705},
        {"Frame1", 5250, 960, 5235, 705},
        {"fraM", 0, 1680, 5235, 2295},
        {"fraF", 5250, 1680, 5235, 2295},
        {"cmdExit", 60, 4020, 1035, 375},
        {"cmdCR", 1935, 4020, 2835, 375},
        {"cmdLP", 4785, 4020, 2835, 375},
        {"cmdD", 7650, 4020, 2835, 375},
        {"fraFullBrand", 120, 4440, 7185, 855},
        {"Command3", 8160, 4680, 1092, 312},
        {"cmdNav", 9300, 4680, 1092, 312},
        {"Label3", 2970, 7020, 1215, 195},
        {"cboMMD", 4230, 6930, 975, 315},
        {"cboMMM", 5250, 6930, 1605, 315},
        {"cboMMY", 6900, 6930, 1125, 315},
        // inside Frame2 and Frame1
        {"Label61", 90, 180, 4440, 390},
        {"Label14", 180, 180, 4965, 435},
        // inside fraM
        {"Label1", 60, 450, 1080, 195},
        {"Label4", 90, 960, 1095, 195},
        {"Label5", 120, 1470, 1065, 195},
        {"Label2", 90, 1920, 1095, 195},
        {"txtMF", 1350, 360, 3795, 345},
        {"txtMM", 1350, 840, 3795, 345},
        {"txtML", 1350, 1350, 3795, 345},
        {"cboMM", 1350, 1800, 1605, 315},
        {"cboMD", 3000, 1800, 975, 315},
        {"cboMY", 4020, 1800, 1125, 315},
        // inside fraF: laid out as fraM, but the first name stands 30 twips higher
        {"Label10", 60, 450, 1080, 195},
        {"Label9", 90, 960, 1095, 195},
        {"Label8", 120, 1470, 1065, 195},
        {"Label7", 90, 1920, 1095, 195},
        {"txtFF", 1350, 330, 3795, 345},
        {"txtFM", 1350, 840, 3795, 345},
        {"txtFL", 1350, 1350, 3795, 345},
        {"cboFM", 1350, 1800, 1605, 315},
        {"cboFD", 3000, 1800, 975, 315},
        {"cboFY", 4020, 1800, 1125, 315},
        // inside fraFullBrand: two advertisements at the same place
        {"lblCobrand", 120, 160, 6945, 615},
        {"lblFullBrand", 120, 165, 6945, 615},
    });

    // In order of tab index, 0 first.
    platform::applyTabOrder(window, {
        "txtMF", "fraM", "txtMM", "txtML", "cboMM", "cboMD", "Label1", "cboMY", "Label4", "Label5",
        "txtFF", "txtFM", "txtFL", "cboFM", "cboFD", "Label2", "cboFY", "fraF", "cmdCR", "cmdD",
        "cmdLP", "cmdExit", "Label7", "Label8", "Label9", "Label10", "Label11", "cboMMY", "cboMMM",
        "cboMMD", "Label3", "Frame1", "Label14", "Frame2", "Label61", "Command3", "cmdNav", "cmdOpen",
        "fraFullBrand", "lblCobrand", "lblFullBrand",
    });

    // Controls with a font of their own; all others use the window's.
    using platform::kMsSansSerif;
    using platform::kVerdana;
    platform::applyFonts(window, {
        // name, family, point size, bold, underlined
        {"Label11", kVerdana, 14.25, true, false},
        {"cmdOpen", kVerdana, 9.75, true, false},
        {"Frame2", kVerdana, 8.25, true, false},
        {"Frame1", kVerdana, 8.25, true, false},
        {"fraM", kVerdana, 8.25, true, false},
        {"fraF", kVerdana, 8.25, true, false},
        {"Command3", kMsSansSerif, 8.25, true, false},
        {"Label61", kVerdana, 8.25, false, true},
        {"lblCobrand", kVerdana, 8.25, true, true},
        {"lblFullBrand", kVerdana, 8.25, true, true},
    });

    // Controls with colours of their own; all others use the light palette's.
    platform::keepLightPalette(window);
    platform::applyColours(window, {
        // name, text, background
        {"fraM", kFrameCaption, {}},
        {"fraF", kFrameCaption, {}},
        {"Label61", kBlack, kWhite},
        {"Label14", kBlack, {}},
        {"Label1", kBlack, {}},
        {"Label4", kBlack, {}},
        {"Label5", kBlack, {}},
        {"Label10", kBlack, {}},
        {"Label9", kBlack, {}},
        {"Label8", kBlack, {}},
        {"lblCobrand", kLinkBlue, {}},
        {"lblFullBrand", kLinkBlue, {}},
    });

    // The advertising line wraps within its band rather than being cut off.
    if (auto *label61 = window->findChild<QLabel *>(QStringLiteral("Label61")))
        label61->setWordWrap(true);

    showAdvertisement(window, advertisementForDraw(drawAdvertisement()));
}

int drawAdvertisement(QRandomGenerator &generator)
{
    return generator.bounded(1, 7);
}

Advertisement advertisementForDraw(int draw)
{
    return draw % 2 != 0 ? Advertisement::Cobrand : Advertisement::FullBrand;
}

void showAdvertisement(QWidget *window, Advertisement front)
{
    auto *cobrand = window->findChild<QWidget *>(QStringLiteral("lblCobrand"));
    auto *fullBrand = window->findChild<QWidget *>(QStringLiteral("lblFullBrand"));
    Q_ASSERT(cobrand && fullBrand);
    if (!cobrand || !fullBrand)
        return;
    QWidget *shown = front == Advertisement::Cobrand ? cobrand : fullBrand;
    QWidget *hidden = shown == cobrand ? fullBrand : cobrand;
    // Both are transparent labels, so the one behind must not be drawn at all.
    hidden->hide();
    shown->show();
    shown->raise();
}

} // namespace app
