// Painting the trend grid costs what its visible rows cost: a chart of 3,500 draws against one of 30.
#include "ui/controls/H2Net.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

// A red-ball trend chart shape: 41 columns, two header rows, N draw rows and the totals row.
std::unique_ptr<TH2Net> MakeGrid(int draws) {
    auto net = std::make_unique<TH2Net>();
    net->model().setErrorHook([](const QString&) {});
    net->resize(1000, 720);
    net->show();
    net->model().FFontSize = 10;
    QList<int> widths{66};
    for (int i = 1; i <= 6; ++i)
        widths << 16;
    widths << 32;
    for (int i = 8; i <= 40; ++i)
        widths << 16;
    net->SetDimension(41, draws + 1, 2, widths);
    for (int c = 1; c <= 6; ++c)
        net->SetValue(1, c, QString::number(c));
    for (int n = 1; n <= 33; ++n)
        net->SetValue(1, 7 + n, QString::number(n));
    for (int i = 0; i < draws; ++i) {
        const int row = i + 2;
        net->SetValue(row, 0, QString::number(2003001 + i));
        for (int k = 0; k < 6; ++k) {
            const int n = 1 + (i * 7 + k * 5) % 33;
            net->SetValue(row, 1 + k, QString::asprintf("%02d", n));
            net->SetValue(row, 7 + n, QString::asprintf("%02d", n));
            net->SetCellColor(row, 7 + n, 0x8486FF);
        }
        net->SetValue(row, 7, QString::asprintf("%02d", 1 + i % 16));
    }
    for (int c = 0; c < 41; ++c)
        net->SetCellColor(draws + 2, c, 0x808080);
    net->SetValue(draws + 2, 0, QStringLiteral("合计"));
    net->SetMergeCount(4);
    const TColor fix = net->model().FFixColor;
    net->SetMerge(0, true, {0, 0}, {0, 1}, QStringLiteral("期号"), fix);
    net->SetMerge(1, true, {1, 0}, {6, 0}, QStringLiteral("红球号码"), fix);
    net->SetMerge(2, true, {7, 0}, {7, 1}, QStringLiteral("蓝球"), fix);
    net->SetMerge(3, true, {8, 0}, {40, 0}, QStringLiteral("红球分布"), fix);
    net->Resize();
    return net;
}

void PaintOnce(TH2Net& net, QImage& image) {
    QPainter p(&image);
    net.render(p);
}

void BM_PaintGrid(benchmark::State& state) {
    const auto net = MakeGrid(int(state.range(0)));
    QImage image(net->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        PaintOnce(*net, image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["visRows"] = net->visRows();
}
BENCHMARK(BM_PaintGrid)->Arg(30)->Arg(3500)->Unit(benchmark::kMicrosecond);

// Both sizes alternately in one loop, so the ratio is not skewed by the machine's load drifting.
void BM_PaintRatio(benchmark::State& state) {
    const auto small = MakeGrid(30);
    const auto large = MakeGrid(3500);
    QImage image(small->viewport()->size(), QImage::Format_RGB32);
    using Clock = std::chrono::steady_clock;
    Clock::duration tSmall{}, tLarge{};
    for (auto _ : state) {
        auto t0 = Clock::now();
        PaintOnce(*small, image);
        auto t1 = Clock::now();
        PaintOnce(*large, image);
        auto t2 = Clock::now();
        tSmall += t1 - t0;
        tLarge += t2 - t1;
    }
    state.counters["ratio_3500_to_30"] = double(tLarge.count()) / double(tSmall.count());
}
BENCHMARK(BM_PaintRatio)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
