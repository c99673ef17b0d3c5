#include "../common/guitest.h"

#include "../documents/printcheck.h"
#include "core/readings/reading.h"
#include "gui/documents/readingpdf.h"
#include "gui/platform/look.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

// The fixed windows on a desktop whose fonts are set larger (144 dpi) while Qt does not scale the
// windows: high-dpi scaling switched off, or a scale factor rounded down. The fonts grow with the
// dpi, so the layout must grow with them: every text keeps room to be read whole. Paper is measured
// in millimetres, not in the screen's dots: a reading's PDF is the same as on any other desktop.
class tst_LargeFonts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void everyText_fitsItsPlace_data();
    void everyText_fitsItsPlace();
    void readingPdf_isTheSameAsAt96Dpi();
};

namespace {

// Why the widget's text cannot be read whole, or an empty string when it can: a letter of a line
// lies beyond the widget's side, or a line's letters (down to the baseline) below its bottom. A
// font's hinted sizes do not grow in step with the dpi, so the last letter may touch the side by
// less than half of its width, and a letter's tail below the line may touch the bottom.
QString cutOff(QWidget *widget)
{
    const QFontMetrics metrics(widget->font());
    const auto tooWide = [&](const QString &line, int room) {
        const int needed = metrics.tightBoundingRect(line).right() + 1;
        return needed - metrics.averageCharWidth() / 2 > room ? QStringLiteral("%1 px wide in %2").arg(needed).arg(room)
                                                              : QString();
    };
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        if (label->text().isEmpty())
            return {};
        const QRect room = label->contentsRect();
        if (!label->wordWrap())
            return tooWide(label->text(), room.width());
        const int lines = metrics.boundingRect(room, Qt::TextWordWrap | label->alignment(), label->text()).height()
            / metrics.lineSpacing();
        const int needed = (lines - 1) * metrics.lineSpacing() + metrics.ascent();
        return needed > room.height() ? QStringLiteral("%1 lines in %2 px").arg(lines).arg(room.height()) : QString();
    }
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return tooWide(QString(button->text()).remove(QLatin1Char('&')), button->width());
    return {};
}

} // namespace

void tst_LargeFonts::initTestCase()
{
    QCOMPARE(qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch()), qEnvironmentVariableIntValue("QT_FONT_DPI"));
    QCOMPARE(qApp->devicePixelRatio(), 1.0);
    platform::installProgramLook();
}

void tst_LargeFonts::cleanup()
{
    guitest::unloadAll();
}

void tst_LargeFonts::everyText_fitsItsPlace_data()
{
    QTest::addColumn<QString>("window");
    for (const char *name : {"frmMain", "frmAbout", "frmDisp", "frmSaveDocument"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_LargeFonts::everyText_fitsItsPlace()
{
    QFETCH(QString, window);
    QWidget *shown = guitest::openWindow(window);
    QVERIFY(shown);

    QStringList cut;
    const QList<QWidget *> widgets = shown->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        // Controls placed below the window's edge are out of sight by design.
        if (!widget->isVisibleTo(shown) || !shown->rect().contains(widget->mapTo(shown, QPoint(0, 0))))
            continue;
        const QString why = cutOff(widget);
        if (!why.isEmpty())
            cut.append(widget->objectName() + QStringLiteral(" (") + why + QLatin1Char(')'));
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
}

void tst_LargeFonts::readingPdf_isTheSameAsAt96Dpi()
{
    if (!documenttest::havePdfTools())
        QSKIP("pdftotext (poppler-utils) is needed");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    readings::Reading reading;
    reading.runs = {{QStringLiteral("Male Information\r\nName: John Smith\r\n\r\n"), false},
                    {QStringLiteral("A paragraph long enough to run over several lines of the page. ").repeated(8), true}};
    // Where each word stands on the page, as pdftotext finds it.
    const auto wordBoxes = [&](const QString &name) {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(documents::readingPdf(reading, QStringLiteral("Reading"))) <= 0)
            return QStringList();
        file.close();
        return documenttest::runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")})
            .split(QLatin1Char('\n'))
            .filter(QStringLiteral("<word "));
    };
    const QStringList made = wordBoxes(QStringLiteral("here.pdf"));
    // What it is on a desktop of 96 dpi.
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
    const QStringList wanted = wordBoxes(QStringLiteral("at96.pdf"));
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, false);
    QVERIFY(wanted.size() > 50);
    QCOMPARE(made, wanted);
}

int main(int argc, char *argv[])
{
    // Larger fonts, unscaled windows, unless the test is run at another setting.
    if (!qEnvironmentVariableIsSet("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "144");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    tst_LargeFonts test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_largefonts.moc"
