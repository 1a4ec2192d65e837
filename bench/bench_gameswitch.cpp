// Switching games in the shown window: load and parse the other game's whole history, fill the
// editor and bring up the panel in front, until it has painted.
#include "app/MainForm.h"
#include "ui/history/DataPanel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir* programDir = nullptr;

void settle(TMainForm& form) {
    form.repaint();
    QCoreApplication::processEvents();
}

// One switch there and back per iteration, from the two-colour ball's 3,493 draws to the game of
// the argument (its whole sample history) and back, each switch ending with the data panel painted.
void BM_SwitchGameThereAndBack(benchmark::State& state) {
    const Game& other = *Game::all()[size_t(state.range(0))];
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
        form.switchGame(other);
        settle(form);
        form.switchGame(Game::ssq());
        settle(form);
        benchmark::DoNotOptimize(form.History.size());
    }
    state.SetLabel(other.key);
    state.counters["switches"] = benchmark::Counter(2.0 * state.iterations());
}
BENCHMARK(BM_SwitchGameThereAndBack)->DenseRange(1, kGameCount - 1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    programDir = &dir;
    // Every game's sample sits beside the first as <game>-history.dxt.
    const QDir samples = QFileInfo(QStringLiteral(KELVORA_SAMPLE)).dir();
    for (const Game* game : Game::all())
        QFile::copy(samples.filePath(game->keyText() + QStringLiteral("-history.dxt")),
                    dir.filePath(game->dataFileName()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
