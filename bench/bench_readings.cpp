// Composing the readings: the core's composition alone, and the three readings through the main
// window's own handlers, shown in their rich-text boxes on the offscreen platform with the modal
// showing replaced by nothing, so only composing and showing are timed. Then a hostile document:
// the Comprehensive reading of a couple whose six names are each "http://a" followed by 32,767
// closing brackets, followed by 8,000 "www." in a row; finding its web addresses alone, and
// showing it in a hooked rich-text box, its links marked once. Then exporting the reading as PDF.
// Last, the working behind the readings, composed and shown in its window, for a typical couple
// and with every name at 32,767 characters.
#include "core/documents/exportnames.h"
#include "core/documents/webaddresses.h"
#include "core/numerology/compatibility.h"
#include "core/readings/reading.h"
#include "core/readings/readingtexts.h"
#include "core/readings/working.h"
#include "gui/app/frmmain.h"
#include "gui/documents/readingpdf.h"
#include "gui/documents/richtextbox.h"
#include "gui/documents/richtexthook.h"
#include "gui/documents/workingwindow.h"
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

const QList<readings::TextRun> &hostileRuns()
{
    static const QList<readings::TextRun> runs = [] {
        const QString name = QStringLiteral("http://a") + QString(32767, QLatin1Char(')'));
        const readings::PartnerDetails details = readings::PartnerDetails::fromList(
            {name, name, name, name, name, name, QStringLiteral("March"), QStringLiteral("15"),
             QStringLiteral("1985"), QStringLiteral("July"), QStringLiteral("4"), QStringLiteral("1990")});
        QList<readings::TextRun> composed = readings::comprehensiveReading(details).runs;
        composed.append({QStringLiteral("www.").repeated(8000), false});
        return composed;
    }();
    return runs;
}

QString hostileText()
{
    QString text;
    for (const readings::TextRun &run : hostileRuns())
        text += run.text;
    return text;
}

void BM_FindWebAddresses_HostileDocument(benchmark::State &state)
{
    const QString text = hostileText();
    for (auto _ : state)
        benchmark::DoNotOptimize(documents::findWebAddresses(text));
    state.counters["characters"] = double(text.size());
}
BENCHMARK(BM_FindWebAddresses_HostileDocument)->Unit(benchmark::kMillisecond);

void BM_ShowAndMarkLinks_HostileDocument(benchmark::State &state)
{
    RichTextBox box;
    documents::RichTextHook hook;
    hook.HookRichText(&box);
    for (auto _ : state)
        box.showRuns(hostileRuns());
}
BENCHMARK(BM_ShowAndMarkLinks_HostileDocument)->Unit(benchmark::kMillisecond);

// "How the Numbers Were Found", composed by the core and shown in the working window: for a typical
// couple (range 0), and with every name box at its limit of 32,767 characters (range 1).
void BM_ShowWorking(benchmark::State &state)
{
    readings::PartnerDetails details = johnAndMary();
    if (state.range(0) == 1) {
        const QString longest = QStringLiteral("Zo\u00EB").repeated(10922) + QLatin1Char('x');
        details.MaleFirstName = details.MaleMiddleName = details.MaleLastName = longest;
        details.FemaleFirstName = details.FemaleMiddleName = details.FemaleLastName = longest;
    }
    frmWorking window(nullptr);
    for (auto _ : state)
        window.showWorking(readings::working(details));
}
BENCHMARK(BM_ShowWorking)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
