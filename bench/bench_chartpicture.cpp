// The whole chart as a picture (what 复制图片, 保存图片... and kelvora-cli chart --png draw): sheet 1 at
// N = 30 and N = 3493, painted and encoded as PNG.
#include "BenchHistory.h"
#include "charts/ChartSheets.h"
#include "paint/ChartPaint.h"
#include "paint/ProgramFont.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <benchmark/benchmark.h>

namespace {

ChartModel Sheet(int sheet, int n) {
    return FindChartSheet(sheet)->fill(BenchHistory(), {n});
}

QFont FontOf(int sheet) {
    return ChartFont(FindChartSheet(sheet)->kind, ProgramFont());
}

// Baseline: the fill alone.
void BM_Fill(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(Sheet(1, int(state.range(0))));
}
BENCHMARK(BM_Fill)->Arg(30)->Arg(3493)->Unit(benchmark::kMillisecond);

void BM_ChartImage(benchmark::State& state) {
    const ChartModel model = Sheet(int(state.range(0)), int(state.range(1)));
    const QFont font = FontOf(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ChartImage(model, font, QGuiApplication::palette()));
}
BENCHMARK(BM_ChartImage)->Args({1, 30})->Args({1, 3493})->Args({6, 3493})->Unit(benchmark::kMillisecond);

// Fill, paint and encode: what kelvora-cli chart 1 --periods N --png does after loading the history.
void BM_ChartPng(benchmark::State& state) {
    const int n = int(state.range(0));
    const QFont font = FontOf(1);
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray png = ChartPng(ChartImage(Sheet(1, n), font, QGuiApplication::palette()));
        bytes = png.size();
        benchmark::DoNotOptimize(png.constData());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_ChartPng)->Arg(30)->Arg(3493)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
