// Composing the readings: the text functions alone, and the three readings through the main
// window's own handlers, composed into their rich-text boxes on the offscreen platform with the
// modal showing replaced by nothing, so only the composing is timed.
#include "app/frmmain.h"
#include "numerology/compatibility.h"
#include "platform/dialogs.h"
#include "platform/look.h"
#include "readings/readingtexts.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

void BM_StandaloneText(benchmark::State &state)
{
    const auto kind = static_cast<readings::Kind>(state.range(0));
    const QString paragraph = numerology::CompatibilityText(QStringLiteral("53"));
    for (auto _ : state)
        benchmark::DoNotOptimize(readings::standaloneText(kind, 5, 3, paragraph));
}
BENCHMARK(BM_StandaloneText)->Arg(int(readings::Kind::LifePath))->Arg(int(readings::Kind::Destiny));

void BM_DocumentTexts(benchmark::State &state)
{
    const QString lifePath = numerology::CompatibilityText(QStringLiteral("53"));
    const QString destiny = numerology::CompatibilityText(QStringLiteral("71"));
    for (auto _ : state) {
        QString document = readings::partnerBlock(QStringLiteral("Male Information"),
                                                  readings::displayedFullName(QStringLiteral("John"),
                                                                              QStringLiteral("Paul"),
                                                                              QStringLiteral("Smith")),
                                                  QStringLiteral("March"), QStringLiteral("15"), QStringLiteral("1985"));
        document += readings::partnerBlock(QStringLiteral("Female Information"),
                                           readings::displayedFullName(QStringLiteral("Mary"), QString(),
                                                                       QStringLiteral("Jones")),
                                           QStringLiteral("July"), QStringLiteral("4"), QStringLiteral("1990"));
        document += readings::documentHeading(readings::Kind::LifePath, 5, 3) + lifePath;
        document += readings::documentHeading(readings::Kind::Destiny, 7, 1) + destiny;
        benchmark::DoNotOptimize(document);
    }
}
BENCHMARK(BM_DocumentTexts);

frmMain *filledMainWindow()
{
    frmMain *window = frmMain::instance();
    const auto setText = [window](const char *name, const char *text) {
        window->findChild<QLineEdit *>(QLatin1String(name))->setText(QString::fromLatin1(text));
    };
    setText("txtMF", "John");
    setText("txtMM", "Paul");
    setText("txtML", "Smith");
    setText("txtFF", "Mary");
    setText("txtFL", "Jones");
    const auto choose = [window](const char *name, const char *text) {
        auto *list = window->findChild<QComboBox *>(QLatin1String(name));
        list->setCurrentIndex(list->findText(QString::fromLatin1(text)));
    };
    choose("cboMM", "March");
    choose("cboMD", "15");
    choose("cboMY", "1985");
    choose("cboFM", "July");
    choose("cboFD", "4");
    choose("cboFY", "1990");
    return window;
}

void BM_LifePathReading(benchmark::State &state)
{
    frmMain *window = filledMainWindow();
    for (auto _ : state)
        window->cmdLP_Click();
}
BENCHMARK(BM_LifePathReading)->Unit(benchmark::kMicrosecond);

void BM_DestinyReading(benchmark::State &state)
{
    frmMain *window = filledMainWindow();
    for (auto _ : state)
        window->cmdD_Click();
}
BENCHMARK(BM_DestinyReading)->Unit(benchmark::kMicrosecond);

// Both partners' details and both sections, composed into the document window's box.
void BM_ComprehensiveReading(benchmark::State &state)
{
    frmMain *window = filledMainWindow();
    for (auto _ : state)
        window->cmdCR_Click();
}
BENCHMARK(BM_ComprehensiveReading)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::installProgramLook();
    platform::MessageBox::setTestMode(true);
    platform::setModalHandler([](QDialog *) {});

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
