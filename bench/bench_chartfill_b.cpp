#include "engine/charts/AnalysisTable.h"
#include "engine/charts/BoardCharts.h"
#include "engine/charts/ChartSheets.h"
#include "engine/charts/OmissionChart.h"
#include "engine/charts/StatsCharts.h"
#include "engine/history/Parser.h"
#include "engine/metrics/Code.h"
#include "ui/charts/AnalysisPage.h"
#include "ui/charts/EmptyRowColPage.h"
#include "ui/charts/GannPage.h"
#include "ui/charts/OmissionPage.h"
#include "ui/charts/StatsPage.h"

#include <QApplication>
#include <QFile>
#include <QSpinBox>
#include <QTabWidget>
#include "BenchHistory.h"

#include <benchmark/benchmark.h>

namespace {

const TCodeArr& Sample() {
    static const TCodeArr history = [] {
        QFile f(KELVORA_SAMPLE);
        f.open(QIODevice::ReadOnly);
        return ParseHistory(f.readAll(), Game::ssq()).history;
    }();
    return history;
}

int All() {
    return int(Sample().size());
}

// Every sheet's engine fill for either game over its whole history: the per-game rows side by side.
void BM_EngineSheet(benchmark::State& state, const Game* game) {
    const int sheet = int(state.range(0));
    const TCodeArr& h = BenchHistoryOf(*game);
    const ChartArgs args{int(h.size()), 1, OmissionTableWidth};
    for (auto _ : state)
        benchmark::DoNotOptimize(FindChartSheet(sheet)->fill(h, args, *game));
}
BENCHMARK_CAPTURE(BM_EngineSheet, ssq, &Game::ssq())
    ->DenseRange(1, ChartSheetCount)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EngineSheet, dlt, &Game::dlt())
    ->DenseRange(1, ChartSheetCount)
    ->Unit(benchmark::kMillisecond);

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
        benchmark::DoNotOptimize(FillOmission(Sample(), All(), 800, Game::ssq()));
}
BENCHMARK(BM_Engine_Omission)->Unit(benchmark::kMillisecond);

void BM_Engine_Gann300(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(FillGann(Sample(), 300));
}
BENCHMARK(BM_Engine_Gann300)->Unit(benchmark::kMillisecond);

// A page in a shown window, refilled through its "查询" path and painted.
template <typename Page> void RefillShown(benchmark::State& state, Page& page, int n) {
    page.resize(1300, 850);
    page.show();
    QApplication::processEvents();
    page.periodsEdit()->setValue(n);
    for (auto _ : state) {
        page.refill();
        page.repaint();
        QApplication::processEvents();
    }
}

void BM_Page_RedStatsAll(benchmark::State& state) {
    TStatsPage page(Sample(), TStatsPage::Red);
    RefillShown(state, page, All());
}
BENCHMARK(BM_Page_RedStatsAll)->Unit(benchmark::kMillisecond);

void BM_Page_BlueStatsAll(benchmark::State& state) {
    TStatsPage page(Sample(), TStatsPage::Blue);
    RefillShown(state, page, All());
}
BENCHMARK(BM_Page_BlueStatsAll)->Unit(benchmark::kMillisecond);

void BM_Page_AnalysisAll(benchmark::State& state) {
    TAnalysisPage page(Sample());
    RefillShown(state, page, All());
}
BENCHMARK(BM_Page_AnalysisAll)->Unit(benchmark::kMillisecond);

void BM_Page_Omission(benchmark::State& state) {
    TOmissionPage page(Sample());
    RefillShown(state, page, 30);
}
BENCHMARK(BM_Page_Omission)->Unit(benchmark::kMillisecond);

void BM_Page_EmptyRowCol300(benchmark::State& state) {
    TEmptyRowColPage page(Sample());
    RefillShown(state, page, 300);
}
BENCHMARK(BM_Page_EmptyRowCol300)->Unit(benchmark::kMillisecond);

void BM_Page_Gann300(benchmark::State& state) {
    TGannPage page(Sample());
    RefillShown(state, page, 300);
}
BENCHMARK(BM_Page_Gann300)->Unit(benchmark::kMillisecond);

// Switching to a sheet (N = 30) from another one: the show event fills it, then it paints.
void BM_Switch(benchmark::State& state, int which) {
    QTabWidget tabs;
    tabs.resize(1300, 850);
    tabs.addTab(new QWidget, QStringLiteral("other"));
    QWidget* page = nullptr;
    switch (which) {
    case 6:
        page = new TEmptyRowColPage(Sample());
        break;
    case 7:
        page = new TStatsPage(Sample(), TStatsPage::Red);
        break;
    case 10:
        page = new TStatsPage(Sample(), TStatsPage::Blue);
        break;
    case 11:
        page = new TOmissionPage(Sample());
        break;
    case 12:
        page = new TGannPage(Sample());
        break;
    default:
        page = new TAnalysisPage(Sample());
        break;
    }
    tabs.addTab(page, QStringLiteral("page"));
    tabs.show();
    QApplication::processEvents();
    for (auto _ : state) {
        tabs.setCurrentIndex(1);
        tabs.repaint();
        QApplication::processEvents();
        state.PauseTiming();
        tabs.setCurrentIndex(0);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(BM_Switch, EmptyRowCol, 6)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Switch, RedStats, 7)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Switch, BlueStats, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Switch, Omission, 11)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Switch, Gann, 12)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Switch, Analysis, 13)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
