// The whole chart as a picture (what 复制图片, 保存图片... and kelvora-cli chart --png draw): sheet 1 at
// N = 30 and N = 3493, painted and encoded as PNG; the super lotto's sheets 1 and 9 at all draws.
#include "BenchHistory.h"
#include "engine/charts/ChartSheets.h"
#include "paint/ChartPaint.h"
#include "paint/ProgramFont.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

// The super lotto's sample history.
const TCodeArr& DltHistory() {
    static const TCodeArr history = [] {
        QFile f(KELVORA_DLT_SAMPLE);
        f.open(QIODevice::ReadOnly);
        return ParseHistory(f.readAll(), Game::dlt()).history;
    }();
    return history;
}

ChartModel Sheet(int sheet, int n, const Game& game = Game::ssq()) {
    return FindChartSheet(sheet)->fill(BenchHistoryOf(game), {n}, game);
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

// The same for the super lotto's sheets 1 (35 front columns) and 9 (12 back columns), all draws.
void BM_ChartPng_Dlt(benchmark::State& state) {
    const int sheet = int(state.range(0)), n = int(DltHistory().size());
    const QFont font = FontOf(sheet);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ChartPng(ChartImage(Sheet(sheet, n, Game::dlt()), font, QGuiApplication::palette())));
}
BENCHMARK(BM_ChartPng_Dlt)->Arg(1)->Arg(9)->Unit(benchmark::kMillisecond);

// The program's own writer against QImageWriter on the same indexed picture, in one loop so the
// ratio is not skewed by the machine's load. QImageWriter is timed at its default compression and at
// the light compression the program uses for true-colour pictures.
void BM_PngWriterOverQt(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const QImage image = ChartImage(Sheet(int(state.range(0)), int(state.range(1))),
                                    FontOf(int(state.range(0))), QGuiApplication::palette());
    auto qtPng = [&](int quality) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        writer.setQuality(quality);
        writer.write(image);
        return bytes;
    };
    double own = 0, qtDefault = 0, qtLight = 0;
    qint64 ownBytes = 0, qtDefaultBytes = 0, qtLightBytes = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        ownBytes = ChartPng(image).size();
        const auto t1 = Clock::now();
        qtDefaultBytes = qtPng(-1).size();
        const auto t2 = Clock::now();
        qtLightBytes = qtPng(80).size();
        const auto t3 = Clock::now();
        own += std::chrono::duration<double, std::milli>(t1 - t0).count();
        qtDefault += std::chrono::duration<double, std::milli>(t2 - t1).count();
        qtLight += std::chrono::duration<double, std::milli>(t3 - t2).count();
    }
    const double runs = double(state.iterations());
    state.counters["own_ms"] = own / runs;
    state.counters["qt_ms"] = qtDefault / runs;
    state.counters["qt80_ms"] = qtLight / runs;
    state.counters["own_over_qt"] = own / qtDefault;
    state.counters["own_over_qt80"] = own / qtLight;
    state.counters["own_kb"] = double(ownBytes) / 1024;
    state.counters["qt_kb"] = double(qtDefaultBytes) / 1024;
    state.counters["qt80_kb"] = double(qtLightBytes) / 1024;
}
BENCHMARK(BM_PngWriterOverQt)
    ->Args({1, 30})
    ->Args({1, 300})
    ->Args({1, 3493})
    ->Args({6, 3493})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
