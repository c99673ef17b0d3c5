// Composing the readings: the core's composition alone, and the three readings through the main
// window's own handlers, shown in their rich-text boxes on the offscreen platform with the modal
// showing replaced by nothing, so only composing and showing are timed.
#include "core/documents/exportnames.h"
#include "core/numerology/compatibility.h"
#include "core/readings/reading.h"
#include "core/readings/readingtexts.h"
#include "gui/app/frmmain.h"
#include "gui/documents/readingpdf.h"
#include "gui/platform/look.h"
#include "gui/platform/seams.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

const readings::PartnerDetails &johnAndMary()
{
    // John Paul Smith, 15 March 1985, and Mary Jones, 4 July 1990.
    static const readings::PartnerDetails details = readings::PartnerDetails::fromList(
        {QStringLiteral("John"), QStringLiteral("Paul"), QStringLiteral("Smith"), QStringLiteral("Mary"), QString(),
         QStringLiteral("Jones"), QStringLiteral("March"), QStringLiteral("15"), QStringLiteral("1985"),
         QStringLiteral("July"), QStringLiteral("4"), QStringLiteral("1990")});
    return details;
}

void BM_ComposeReadings(benchmark::State &state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(readings::lifePathReading(johnAndMary()));
        benchmark::DoNotOptimize(readings::destinyReading(johnAndMary()));
        benchmark::DoNotOptimize(readings::comprehensiveReading(johnAndMary()));
    }
}
BENCHMARK(BM_ComposeReadings);

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

// The Comprehensive reading as a PDF file: for a typical couple (range 0), and with every name box
// at its limit of 32,767 characters (range 1).
void BM_ExportPdf(benchmark::State &state)
{
    readings::PartnerDetails details = johnAndMary();
    if (state.range(0) == 1) {
        const QString longest(32767, QLatin1Char('n'));
        details.MaleFirstName = details.MaleMiddleName = details.MaleLastName = longest;
        details.FemaleFirstName = details.FemaleMiddleName = details.FemaleLastName = longest;
    }
    qint64 bytes = 0;
    for (auto _ : state)
        bytes = documents::readingPdf(readings::comprehensiveReading(details), documents::exportTitle(details)).size();
    state.counters["pdf_KiB"] = double(bytes) / 1024;
}
BENCHMARK(BM_ExportPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

frmMain *filledMainWindow()
{
    static frmMain *window = new frmMain;
    window->setDetails(johnAndMary());
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
