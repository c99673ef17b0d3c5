// Composing the readings: the text functions alone, and the three readings through the main
// window's own handlers, composed into their rich-text boxes on the offscreen platform with the
// modal showing replaced by nothing, so only the composing is timed.
#include "app/frmmain.h"
#include "documents/maininputs.h"
#include "numerology/compatibility.h"
#include "platform/dialogs.h"
#include "platform/look.h"
#include "readings/readingtexts.h"

#include <QApplication>

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
    // John Paul Smith, 15 March 1985, and Mary Jones, 4 July 1990.
    documents::setMainWindowDetails(window, readings::PartnerDetails::fromList(
        {QStringLiteral("John"), QStringLiteral("Paul"), QStringLiteral("Smith"), QStringLiteral("Mary"), QString(),
         QStringLiteral("Jones"), QStringLiteral("March"), QStringLiteral("15"), QStringLiteral("1985"),
         QStringLiteral("July"), QStringLiteral("4"), QStringLiteral("1990")}));
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
