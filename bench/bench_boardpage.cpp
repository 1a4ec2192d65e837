// A board page (江恩图, 空行空列图) filled and shown in a maximised window: 查询 at N = 30, 300 and the
// whole sample (3493). The cost should grow linearly with N (the fill) and not with the window.
#include "BenchHistory.h"
#include "ui/charts/EmptyRowColPage.h"
#include "ui/charts/GannPage.h"
#include "ui/controls/B0NetView.h"

#include <QApplication>
#include <QScrollBar>
#include <QSpinBox>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A paint happens only in an exposed window.
void ShowExposed(QWidget& w) {
    w.show();
    for (int i = 0; i < 100 && !(w.windowHandle() && w.windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

template <class Page> void ShowBoards(benchmark::State& state) {
    Page page(BenchHistory());
    page.resize(1400, 1000);
    page.periodsEdit()->setValue(int(state.range(0)));
    ShowExposed(page);
    for (auto _ : state) {
        page.refill();
        page.repaint();
    }
    // Scrolled to the end, a paint still costs only the boards in view.
    page.scrollBox()->verticalScrollBar()->setValue(page.scrollBox()->verticalScrollBar()->maximum());
    page.repaint();
    state.counters["boards"] = double(page.boards().size());
}

void BM_BoardPageShow(benchmark::State& state) {
    ShowBoards<TGannPage>(state);
}
BENCHMARK(BM_BoardPageShow)->Arg(30)->Arg(300)->Arg(3493)->Unit(benchmark::kMillisecond);

void BM_EmptyRowColPageShow(benchmark::State& state) {
    ShowBoards<TEmptyRowColPage>(state);
}
BENCHMARK(BM_EmptyRowColPageShow)->Arg(30)->Arg(3493)->Unit(benchmark::kMillisecond);

// Scrolling through the whole page: one paint per screen, at 30 and at 3493 boards.
void BM_BoardPageScroll(benchmark::State& state) {
    TGannPage page(BenchHistory());
    page.resize(1400, 1000);
    page.periodsEdit()->setValue(int(state.range(0)));
    ShowExposed(page);
    page.refill();
    QScrollBar* bar = page.scrollBox()->verticalScrollBar();
    int value = 0;
    for (auto _ : state) {
        value = value >= bar->maximum() ? 0 : value + bar->pageStep();
        bar->setValue(value);
        page.scrollBox()->viewport()->repaint();
    }
}
BENCHMARK(BM_BoardPageScroll)->Arg(30)->Arg(3493)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
