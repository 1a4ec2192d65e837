// Trend-grid chart sheets: the engine fill for the whole sample history, the same fill handed to
// the sheet's grid and laid out, and switching to a sheet with N = 30 (the sheet recomputes and
// paints). The baseline sizes an empty grid of the same shape, so the ratio shows what writing
// the cells costs on top of the allocation.
#include "engine/charts/BlueTrend.h"
#include "engine/charts/ParityCharts.h"
#include "engine/charts/RedTrend.h"
#include "engine/charts/Rotation.h"
#include "engine/charts/TailChart.h"
#include "engine/charts/ZoneChart.h"
#include "engine/history/Parser.h"
#include "ui/charts/ChartPage.h"
#include "ui/charts/ChartPages.h"
#include "ui/charts/TrendPage.h"
#include "ui/controls/H2Net.h"

#include <QApplication>
#include <QFile>
#include <QSpinBox>
#include <benchmark/benchmark.h>

namespace {

const TCodeArr& sample() {
    static const TCodeArr h = [] {
        QFile f(QStringLiteral(KELVORA_SAMPLE));
        f.open(QIODevice::ReadOnly);
        return ParseHistory(f.readAll(), Game::ssq()).history;
    }();
    return h;
}

// The super lotto's whole sample history.
const TCodeArr& dltSample() {
    static const TCodeArr h = [] {
        QFile f(QStringLiteral(KELVORA_DLT_SAMPLE));
        f.open(QIODevice::ReadOnly);
        return ParseHistory(f.readAll(), Game::dlt()).history;
    }();
    return h;
}

H2NetModel rotation17(const TCodeArr& h, int n) {
    return FillRotation(h, n, 17, Game::ssq());
}

using Fill = H2NetModel (*)(const TCodeArr&, int);
struct Sheet {
    const char* name;
    int index; // page index in the chart page control
    Fill fill;
};
const Sheet sheets[] = {{"1_red", 0, FillRedTrend},           {"2_zone", 1, FillZoneChart},
                        {"3_tail", 2, FillTailChart},         {"4_oddeven", 3, FillOddEvenChart},
                        {"5_bigsmall", 4, FillBigSmallChart}, {"8_rotation", 7, rotation17},
                        {"9_blue", 8, FillBlueTrend}};

void BM_Baseline_EmptyGrid(benchmark::State& state) {
    const int n = int(sample().size());
    const QList<int> widths(41, 16);
    for (auto _ : state) {
        H2NetModel m;
        m.SetDimension(41, n + 1, 2, widths);
        benchmark::DoNotOptimize(m);
    }
}

void BM_EngineFill(benchmark::State& state, Fill fill) {
    const TCodeArr& h = sample();
    for (auto _ : state) {
        H2NetModel m = fill(h, int(h.size()));
        benchmark::DoNotOptimize(m);
    }
}

// Fill, hand to the grid, lay out: the whole "查询" click for N = all draws (no paint).
void BM_PageRefill(benchmark::State& state, int index) {
    TChartPages pages(sample());
    pages.resize(1200, 800);
    TChartPage* page = pages.sheet(index);
    page->periodsEdit()->setValue(int(sample().size()));
    for (auto _ : state)
        page->refill();
}

// Leaves sheet `index` for another one untimed and comes back to it timed.
void timeVisits(benchmark::State& state, TChartPages& pages, int index) {
    pages.show();
    QApplication::processEvents();
    const int other = index == 0 ? 1 : 0;
    for (auto _ : state) {
        state.PauseTiming();
        pages.setCurrentIndex(other);
        pages.repaint();
        state.ResumeTiming();
        pages.setCurrentIndex(index);
        pages.repaint();
    }
}

// Switch from another sheet to this one with N = 30: show event, fill, layout, paint.
void BM_SwitchTo(benchmark::State& state, int index) {
    TChartPages pages(sample());
    pages.resize(1200, 800);
    timeVisits(state, pages, index);
}

// A visit of any of the thirteen sheets for the super lotto at its whole history: show event,
// fill, layout, paint.
void BM_SwitchToDlt(benchmark::State& state, int index) {
    TChartPages pages(dltSample());
    pages.setGame(Game::dlt());
    pages.resize(1200, 800);
    for (int i = 0; i < pages.count(); ++i)
        pages.sheet(i)->periodsEdit()->setValue(int(dltSample().size()));
    timeVisits(state, pages, index);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    sample();
    benchmark::RegisterBenchmark("BM_Baseline_EmptyGrid/3493", BM_Baseline_EmptyGrid)
        ->Unit(benchmark::kMillisecond);
    for (const Sheet& s : sheets)
        benchmark::RegisterBenchmark((std::string("BM_EngineFill/") + s.name + "/3493").c_str(),
                                     BM_EngineFill, s.fill)
            ->Unit(benchmark::kMillisecond);
    for (const Sheet& s : sheets)
        benchmark::RegisterBenchmark((std::string("BM_PageRefill/") + s.name + "/3493").c_str(),
                                     BM_PageRefill, s.index)
            ->Unit(benchmark::kMillisecond);
    for (const Sheet& s : sheets)
        benchmark::RegisterBenchmark((std::string("BM_SwitchTo/") + s.name + "/30").c_str(), BM_SwitchTo,
                                     s.index)
            ->Unit(benchmark::kMillisecond);
    dltSample();
    for (int i = 0; i < ChartSheetCount; ++i)
        benchmark::RegisterBenchmark(
            ("BM_SwitchToDlt/" + std::to_string(i + 1) + "/" + std::to_string(dltSample().size())).c_str(),
            BM_SwitchToDlt, i)
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
