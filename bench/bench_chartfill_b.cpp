#include "charts/AnalysisTable.h"
#include "charts/BoardCharts.h"
#include "charts/OmissionChart.h"
#include "charts/StatsCharts.h"
#include "history/Parser.h"
#include "metrics/Code.h"

#include <QCoreApplication>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

const TCodeArr& Sample() {
    static const TCodeArr history = [] {
        QFile f(KELVORA_SAMPLE);
        f.open(QIODevice::ReadOnly);
        return ParseHistory(f.readAll()).history;
    }();
    return history;
}

int All() {
    return int(Sample().size());
}

// Baseline for the ratios: one pass over the whole history computing a measure per draw.
void BM_Baseline_SumPass(benchmark::State& state) {
    for (auto _ : state) {
        int64_t s = 0;
        for (const TDrawRec& d : Sample())
            s += SumValue(d.Ticket);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_Baseline_SumPass)->Unit(benchmark::kMicrosecond);

void BM_Engine_RedStats(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(FillRedStats(Sample(), All()));
}
BENCHMARK(BM_Engine_RedStats)->Unit(benchmark::kMicrosecond);

void BM_Engine_BlueStats(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(FillBlueStats(Sample(), All()));
}
BENCHMARK(BM_Engine_BlueStats)->Unit(benchmark::kMicrosecond);

void BM_Engine_AnalysisTable(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(FillAnalysisTable(Sample(), All()));
}
BENCHMARK(BM_Engine_AnalysisTable)->Unit(benchmark::kMillisecond);

void BM_Engine_Omission(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(FillOmission(Sample(), All(), 800));
}
BENCHMARK(BM_Engine_Omission)->Unit(benchmark::kMillisecond);

void BM_Engine_Gann300(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(FillGann(Sample(), 300));
}
BENCHMARK(BM_Engine_Gann300)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
