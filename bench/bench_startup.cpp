// Start-up to a visible window on the sample history, without the browser's page load.
#include "app/MainForm.h"
#include "engine/history/Parser.h"
#include "ui/charts/ChartPages.h"
#include "ui/predict/PredictPanel.h"
#include "ui/shrink/ShrinkPanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

QTemporaryDir* programDir = nullptr;

void waitUntilVisible(QWidget& w) {
    w.show();
    while (!w.windowHandle() || !w.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    w.repaint();
    QCoreApplication::processEvents();
}

TMainOptions options() {
    TMainOptions o;
    o.programDir = programDir->path();
    o.webBrowser = false;
    return o;
}

// The window with everything the program builds and loads before it is shown.
void BM_MainFormToVisible(benchmark::State& state) {
    for (auto _ : state) {
        TMainForm form(options());
        waitUntilVisible(form);
        benchmark::DoNotOptimize(form.History.size());
    }
}
BENCHMARK(BM_MainFormToVisible)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Baseline: an empty main window shown the same way.
void BM_EmptyWindowToVisible(benchmark::State& state) {
    for (auto _ : state) {
        QMainWindow w;
        w.resize(776, 547);
        waitUntilVisible(w);
    }
}
BENCHMARK(BM_EmptyWindowToVisible)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Baseline: parsing the sample history alone.
void BM_ParseSample(benchmark::State& state) {
    QFile f(QStringLiteral(KELVORA_SAMPLE));
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseHistory(bytes, Game::ssq()).history.size());
}
BENCHMARK(BM_ParseSample)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The first start in a fresh process, application object included, is what a user waits for.
    QElapsedTimer cold;
    cold.start();
    QApplication app(argc, argv);
    const qint64 applicationMs = cold.elapsed();
    QTemporaryDir dir;
    programDir = &dir;
    QFile::copy(QStringLiteral(KELVORA_SAMPLE), dir.filePath(QStringLiteral("ssq.dxt")));
    qint64 firstWindowMs = 0;
    {
        TMainForm form(options());
        waitUntilVisible(form);
        firstWindowMs = cold.elapsed();
    }
    std::printf("first start (application object, main window on the sample, visible): %lld ms on %s, "
                "of which the application object: %lld ms\n",
                static_cast<long long>(firstWindowMs), qPrintable(QGuiApplication::platformName()),
                static_cast<long long>(applicationMs));

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
