// The numerology engine: digit reduction of dates and names, and the table look-up.
#include "core/numerology/compatibility.h"
#include "core/numerology/numerology.h"

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Date {
    QString day, month, year;
};

// Every date the lists offer: 31 days x 12 months x 151 years.
const std::vector<Date> &listDates()
{
    static const std::vector<Date> dates = [] {
        const QStringList months = {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
                                    QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
                                    QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
                                    QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
        std::vector<Date> all;
        for (int year = 1900; year <= 2050; ++year) {
            for (const QString &month : months) {
                for (int day = 1; day <= 31; ++day)
                    all.push_back({QString::number(day), month, QString::number(year)});
            }
        }
        return all;
    }();
    return dates;
}

void BM_SingleDigitNumber(benchmark::State &state)
{
    const std::vector<Date> &dates = listDates();
    std::size_t i = 0;
    for (auto _ : state) {
        const Date &d = dates[i];
        benchmark::DoNotOptimize(numerology::SingleDigitNumber(d.day, d.month, d.year));
        i = (i + 1) % dates.size();
    }
}
BENCHMARK(BM_SingleDigitNumber);

// A name of state.range(0) upper-case letters.
void BM_StringToNumber(benchmark::State &state)
{
    QString name;
    for (int i = 0; i < state.range(0); ++i)
        name.append(QChar(u'A' + i % 26));
    for (auto _ : state)
        benchmark::DoNotOptimize(numerology::StringToNumber(name));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_StringToNumber)->Arg(13)->Arg(40)->Arg(10000);

void BM_CompatibilityText(benchmark::State &state)
{
    QStringList keys;
    for (const int key : numerology::compatibilityKeys())
        keys.append(QString::number(key));
    qsizetype i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(numerology::CompatibilityText(keys.at(i)));
        i = (i + 1) % keys.size();
    }
}
BENCHMARK(BM_CompatibilityText);

void BM_CompatibilityText_missingKey(benchmark::State &state)
{
    const QString key = QStringLiteral("10");
    for (auto _ : state)
        benchmark::DoNotOptimize(numerology::CompatibilityText(key));
}
BENCHMARK(BM_CompatibilityText_missingKey);

} // namespace

BENCHMARK_MAIN();
