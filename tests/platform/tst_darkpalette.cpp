#include "../common/guitest.h"

#include "gui/app/exitscreen.h"
#include "gui/documents/readingpdf.h"
#include "gui/documents/workingwindow.h"
#include "gui/platform/look.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Every window stays readable when the desktop gives a dark palette: no visible text is drawn in
// nearly the colour of what lies behind it.
class tst_DarkPalette : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyText_standsOutFromItsBackground_data();
    void everyText_standsOutFromItsBackground();
    void exportedPages_darkTextOnWhitePaper();
};

namespace {

// A desktop's dark colour scheme (Debian's qt6ct "darker").
QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::WindowText, QColor(0xff, 0xff, 0xff));
    dark.setColor(QPalette::Button, QColor(0x42, 0x42, 0x45));
    dark.setColor(QPalette::Light, QColor(0x97, 0x97, 0x97));
    dark.setColor(QPalette::Midlight, QColor(0x5e, 0x5c, 0x5b));
    dark.setColor(QPalette::Dark, QColor(0x30, 0x2f, 0x2e));
    dark.setColor(QPalette::Mid, QColor(0x4a, 0x49, 0x47));
    dark.setColor(QPalette::Text, QColor(0xff, 0xff, 0xff));
    dark.setColor(QPalette::ButtonText, QColor(0xff, 0xff, 0xff));
    dark.setColor(QPalette::Base, QColor(0x3d, 0x3d, 0x3d));
    dark.setColor(QPalette::Window, QColor(0x22, 0x20, 0x20));
    dark.setColor(QPalette::Link, QColor(0x09, 0x86, 0xd3));
    return dark;
}

// WCAG's relative luminance and contrast ratio: 1 for equal colours, 21 for black on white.
double luminance(const QColor &colour)
{
    auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// What the widget's text is drawn on: its own field for edits, buttons and lists, else the
// nearest widget that paints its background.
QColor backgroundBehind(QWidget *widget)
{
    if (qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractScrollArea *>(widget))
        return widget->palette().color(QPalette::Base);
    if (qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget))
        return widget->palette().color(QPalette::Button);
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(w->backgroundRole());
    }
    return {};
}

QColor textColour(QWidget *widget)
{
    if (qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractScrollArea *>(widget))
        return widget->palette().color(QPalette::Text);
    return widget->palette().color(widget->foregroundRole());
}

bool showsText(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return !label->text().isEmpty();
    if (auto *box = qobject_cast<QGroupBox *>(widget))
        return !box->title().isEmpty();
    return qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget)
        || qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractScrollArea *>(widget);
}

} // namespace

void tst_DarkPalette::initTestCase()
{
    platform::installProgramLook();
    QApplication::setPalette(darkPalette());
}

void tst_DarkPalette::init()
{
    guitest::setUp();
}

void tst_DarkPalette::cleanup()
{
    guitest::unloadAll();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmWorking *>(w) || qobject_cast<ExitScreen *>(w))
            w->close();
    }
}

void tst_DarkPalette::everyText_standsOutFromItsBackground_data()
{
    QTest::addColumn<QString>("window");
    for (const char *name : {"frmMain", "frmAbout", "frmDisp", "frmSaveDocument", "frmWorking", "frmExit"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_DarkPalette::everyText_standsOutFromItsBackground()
{
    QFETCH(QString, window);
    QWidget *shown = guitest::openWindow(window);
    QVERIFY(shown);

    QStringList unreadable;
    const QList<QWidget *> widgets = shown->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!widget->isVisibleTo(shown) || !showsText(widget))
            continue;
        const QColor text = textColour(widget);
        const QColor behind = backgroundBehind(widget);
        if (contrast(text, behind) < 3.0)
            unreadable.append(QStringLiteral("%1 (%2 on %3)").arg(widget->objectName(), text.name(), behind.name()));
    }
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral(", "))));
}

void tst_DarkPalette::exportedPages_darkTextOnWhitePaper()
{
    // Printed pages are painted as the exported ones are.
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm (poppler-utils) is not installed");
    readings::Reading reading;
    reading.runs = {{QStringLiteral("Plain words of a reading, "), false}, {QStringLiteral("bold ones."), true}};
    const QByteArray pdf = documents::readingPdf(reading, QStringLiteral("Reading"));
    QVERIFY(!pdf.isEmpty());

    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("reading.pdf")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
    file.close();
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"),
                                                QStringLiteral("-singlefile"), file.fileName(),
                                                folder.filePath(QStringLiteral("page"))});
    QVERIFY(pdftoppm.waitForFinished(60000) && pdftoppm.exitCode() == 0);
    const QImage page(folder.filePath(QStringLiteral("page.png")));
    QVERIFY(!page.isNull());

    int darkest = 255;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            darkest = qMin(darkest, qGray(page.pixel(x, y)));
    }
    QCOMPARE(QColor(page.pixel(0, 0)), QColor(Qt::white));
    QVERIFY2(darkest < 64, qPrintable(QStringLiteral("darkest grey on the page: %1").arg(darkest)));
}

QTEST_MAIN(tst_DarkPalette)
#include "tst_darkpalette.moc"
