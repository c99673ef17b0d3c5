#include "gui/platform/dropdownlist.h"
#include "gui/platform/fontconfiguration.h"
#include "gui/platform/look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cstdlib>
#include <optional>

class tst_Look : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void icon_32x32_sixteenColourPalette_framed();
    void applicationIcon_isTheProgramIcon();
    void designFaces_fallBackOnAnInstalledSansFace_data();
    void designFaces_fallBackOnAnInstalledSansFace();
    void frameFont_staysOnTheFrame_ownFontsKept();
    void frameCaptionColour_staysOnTheFrame_ownColoursKept();
    void background_filledOnlyWhereGiven();
    void fitLineInWidth_shrinksUntilTheLineFits_neverGrows();
    void dropDownList_sizeFollowsItsFont_beforeItsListIsBuilt();
    void fontConfiguration_readsItsNumbers_whicheverLocaleTheApplicationSetsMeanwhile();
};

void tst_Look::initTestCase()
{
    platform::installProgramLook();
}

void tst_Look::icon_32x32_sixteenColourPalette_framed()
{
    const QImage icon = platform::programPixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(icon.size(), QSize(32, 32));

    // Every opaque pixel is one of the 16 standard colours.
    const QSet<QRgb> standard = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    QSet<QRgb> used;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = icon.pixel(x, y);
            if (qAlpha(pixel) == 255)
                used.insert(pixel);
            else
                QCOMPARE(qAlpha(pixel), 0);
        }
    }
    QVERIFY(used.size() <= 16);
    QVERIFY(used.size() >= 3);
    for (QRgb colour : used)
        QVERIFY2(standard.contains(colour), qPrintable(QColor(colour).name()));

    // A frame: one colour all round, one pixel in from the edge.
    const QRgb frame = icon.pixel(1, 1);
    for (int i = 1; i <= 30; ++i) {
        QCOMPARE(icon.pixel(i, 1), frame);
        QCOMPARE(icon.pixel(i, 30), frame);
        QCOMPARE(icon.pixel(1, i), frame);
        QCOMPARE(icon.pixel(30, i), frame);
    }
}

void tst_Look::applicationIcon_isTheProgramIcon()
{
    QVERIFY(!QApplication::windowIcon().isNull());
    QCOMPARE(QApplication::windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
             platform::programPixmap().toImage().convertToFormat(QImage::Format_ARGB32));
    QWidget window;
    QCOMPARE(window.windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
}

void tst_Look::designFaces_fallBackOnAnInstalledSansFace_data()
{
    QTest::addColumn<QString>("family");
    QTest::newRow("Verdana") << QStringLiteral("Verdana");
    QTest::newRow("MS Sans Serif") << QStringLiteral("MS Sans Serif");
}

void tst_Look::designFaces_fallBackOnAnInstalledSansFace()
{
    QFETCH(QString, family);
    const QStringList installed = QFontDatabase::families();
    const QFont font = platform::designFont(qPrintable(family), 8.25);
    // The font names a face that is installed, so that nothing is left for the font system to guess.
    const QString used = QFontInfo(font).family();
    QCOMPARE(font.family(), used);
    if (installed.contains(family))
        QCOMPARE(used, family);
    else if (installed.contains(QStringLiteral("DejaVu Sans")))
        QCOMPARE(used, QStringLiteral("DejaVu Sans"));
}

void tst_Look::frameFont_staysOnTheFrame_ownFontsKept()
{
    QWidget window;
    window.setFont(platform::windowFont());
    auto *frame = new QGroupBox(QStringLiteral("Male"), &window);
    frame->setObjectName(QStringLiteral("frame"));
    auto *edit = new QLineEdit(frame);
    auto *link = new QLabel(frame);
    link->setObjectName(QStringLiteral("link"));

    platform::applyFonts(&window, {
        {"frame", platform::kVerdana, 8.25, true, false},
        {"link", platform::kVerdana, 8.25, false, true},
    });

    QVERIFY(frame->font().bold());
    QVERIFY(!edit->font().bold());
    QCOMPARE(edit->font().family(), platform::windowFont().family());
    QCOMPARE(edit->font().pointSizeF(), 8.25);
    QVERIFY(!link->font().bold());
    QVERIFY(link->font().underline());
}

void tst_Look::frameCaptionColour_staysOnTheFrame_ownColoursKept()
{
    QWidget window;
    auto *frame = new QGroupBox(QStringLiteral("Male"), &window);
    frame->setObjectName(QStringLiteral("frame"));
    auto *plain = new QLabel(frame);
    auto *black = new QLabel(frame);
    black->setObjectName(QStringLiteral("black"));

    const QColor grey(64, 64, 64);
    platform::applyColours(&window, {
        {"black", QColor(0, 0, 0), {}},
        {"frame", grey, {}},
    });

    QCOMPARE(frame->palette().color(QPalette::WindowText), grey);
    QCOMPARE(plain->palette().color(QPalette::WindowText), QApplication::palette(plain).color(QPalette::WindowText));
    QCOMPARE(black->palette().color(QPalette::WindowText), QColor(0, 0, 0));

    // The caption is drawn in the frame's colour.
    frame->setGeometry(0, 0, 200, 100);
    plain->setGeometry(10, 40, 10, 10);
    black->setGeometry(30, 40, 10, 10);
    const QImage drawn = window.grab(QRect(0, 0, 200, 25)).toImage();
    bool captionInGrey = false;
    for (int y = 0; y < drawn.height() && !captionInGrey; ++y) {
        for (int x = 0; x < drawn.width() && !captionInGrey; ++x)
            captionInGrey = QColor(drawn.pixel(x, y)) == grey;
    }
    QVERIFY(captionInGrey);
}

void tst_Look::background_filledOnlyWhereGiven()
{
    QWidget window;
    auto *band = new QLabel(&window);
    band->setObjectName(QStringLiteral("band"));
    auto *text = new QLabel(&window);
    text->setObjectName(QStringLiteral("text"));
    platform::applyColours(&window, {
        {"band", QColor(0, 0, 0), QColor(255, 255, 255)},
        {"text", QColor(0, 0, 255), {}},
    });
    QVERIFY(band->autoFillBackground());
    QCOMPARE(band->palette().color(QPalette::Window), QColor(255, 255, 255));
    QVERIFY(!text->autoFillBackground());
    QCOMPARE(text->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

void tst_Look::fitLineInWidth_shrinksUntilTheLineFits_neverGrows()
{
    const QString line = QStringLiteral("Display Your Ad Here Permanently.");
    QLabel label;
    label.setFont(platform::designFont(platform::kVerdana, 8.25));
    const qreal natural = QFontMetricsF(label.font()).horizontalAdvance(line);

    label.resize(int(natural * 0.85), 20);
    platform::fitLineInWidth(&label, line);
    QVERIFY(label.font().pointSizeF() < 8.25);
    QVERIFY(label.font().pointSizeF() >= 6.0);
    QVERIFY(QFontMetricsF(label.font()).horizontalAdvance(line) <= label.width());

    label.setFont(platform::designFont(platform::kVerdana, 8.25));
    label.resize(int(natural) + 20, 20);
    platform::fitLineInWidth(&label, line);
    QCOMPARE(label.font().pointSizeF(), 8.25);

    label.resize(5, 20); // cannot fit: stops at the smallest size
    platform::fitLineInWidth(&label, line);
    QCOMPARE(label.font().pointSizeF(), 6.0);
}

void tst_Look::fontConfiguration_readsItsNumbers_whicheverLocaleTheApplicationSetsMeanwhile()
{
    // A locale that writes "7,5", made here: the system may have none installed.
    const QString localedef = QStandardPaths::findExecutable(QStringLiteral("localedef"));
    if (localedef.isEmpty())
        QSKIP("localedef is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile source(dir.filePath(QStringLiteral("comma.src")));
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write("LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\nEND LC_NUMERIC\n");
    source.close();
    QProcess::execute(localedef, {QStringLiteral("--quiet"), QStringLiteral("-c"), QStringLiteral("-i"),
                                  source.fileName(), dir.filePath(QStringLiteral("comma"))});
    // The C library looks for locales only in LOCPATH while it is set.
    const std::optional<QByteArray> locales =
        qEnvironmentVariableIsSet("LOCPATH") ? std::optional(qgetenv("LOCPATH")) : std::nullopt;
    const QByteArray before = std::setlocale(LC_NUMERIC, nullptr);
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    const bool comma = std::setlocale(LC_NUMERIC, "comma") != nullptr;
    if (locales)
        qputenv("LOCPATH", *locales);
    else
        qunsetenv("LOCPATH");
    if (!comma)
        QSKIP("localedef made no locale");

    // fontconfig reads "7.5" in its files with the C library's number conversion.
    double read = 0;
    platform::loadFontConfigurationAside([&read] { read = std::strtod("7.5", nullptr); }).join();
    std::setlocale(LC_NUMERIC, before.constData());
    QCOMPARE(read, 7.5);
}

QTEST_MAIN(tst_Look)
void tst_Look::dropDownList_sizeFollowsItsFont_beforeItsListIsBuilt()
{
    QWidget window;
    auto *list = new DropDownList(&window);
    list->addItems({QStringLiteral("September"), QStringLiteral("May")});
    list->setFont(platform::designFont(platform::kVerdana, 8.25));
    const QSize small = list->sizeHint();
    list->setFont(platform::designFont(platform::kVerdana, 14.25, true));
    QVERIFY2(list->sizeHint().width() > small.width() && list->sizeHint().height() > small.height(),
             qPrintable(QStringLiteral("%1x%2").arg(list->sizeHint().width()).arg(list->sizeHint().height())));
    QVERIFY(list->minimumSizeHint().width() > small.width() / 2);
}

#include "tst_look.moc"
