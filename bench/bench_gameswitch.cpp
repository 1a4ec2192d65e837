// Switching games in the shown window: load and parse the other game's whole history, fill the
// editor and bring up the panel in front, until it has painted.
#include "app/MainForm.h"
#include "ui/history/DataPanel.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir* programDir = nullptr;

void settle(TMainForm& form) {
    form.repaint();
    QCoreApplication::processEvents();
}

// One switch there and back per iteration: the two-colour ball's 3,493 draws and the super
// lotto's 2,912, each switch ending with the data panel painted.
void BM_SwitchGameThereAndBack(benchmark::State& state) {
    TMainOptions options;
    options.programDir = programDir->path();
    options.webBrowser = false;
    options.game = &Game::ssq();
    TMainForm form(options);
    form.show();
    while (!form.windowHandle() || !form.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    form.FileMenuManulClick();
    settle(form);
    for (auto _ : state) {
        form.switchGame(Game::dlt());
        settle(form);
        form.switchGame(Game::ssq());
        settle(form);
        benchmark::DoNotOptimize(form.History.size());
    }
    state.counters["switches"] = benchmark::Counter(2.0 * state.iterations());
}
BENCHMARK(BM_SwitchGameThereAndBack)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    programDir = &dir;
    QFile::copy(QStringLiteral(KELVORA_SAMPLE), dir.filePath(QStringLiteral("ssq.dxt")));
    QFile::copy(QStringLiteral(KELVORA_DLT_SAMPLE), dir.filePath(QStringLiteral("dlt.dxt")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
