#include "engine/history/HistoryWarnings.h"
#include "engine/history/Parser.h"
#include "engine/prize/DrawFigures.h"

#include <QDir>
#include <QFileInfo>

#include <QFile>
#include <benchmark/benchmark.h>

static QByteArray sample() {
    QFile f(KELVORA_SAMPLE);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Bytes as read from ssq.dxt.
static void BM_ParseSampleBytes(benchmark::State& state) {
    const QByteArray bytes = sample();
    for (auto _ : state) {
        ParseResult r = ParseHistory(bytes, Game::ssq());
        benchmark::DoNotOptimize(r.history.data());
    }
}
BENCHMARK(BM_ParseSampleBytes)->Unit(benchmark::kMicrosecond);

// The super lotto's dlt.dxt, beside the two-colour ball's in the same run.
static void BM_ParseDltSampleBytes(benchmark::State& state) {
    QFile f(KELVORA_DLT_SAMPLE);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    for (auto _ : state) {
        ParseResult r = ParseHistory(bytes, Game::dlt());
        benchmark::DoNotOptimize(r.history.data());
    }
}
BENCHMARK(BM_ParseDltSampleBytes)->Unit(benchmark::kMicrosecond);

// The editor's text, encoded first, as the window parses it.
static void BM_ParseSampleEditorText(benchmark::State& state) {
    const QString text = QString::fromLatin1(sample());
    for (auto _ : state) {
        ParseResult r = ParseHistoryText(text, Game::ssq());
        benchmark::DoNotOptimize(r.history.data());
    }
}
BENCHMARK(BM_ParseSampleEditorText)->Unit(benchmark::kMicrosecond);

// The warnings the window shows after every load, save, import and update, against the parse.
static void BM_HistoryWarningsSample(benchmark::State& state) {
    const TCodeArr history = ParseHistory(sample(), Game::ssq()).history;
    for (auto _ : state) {
        QStringList w = HistoryWarnings(history, Game::ssq());
        benchmark::DoNotOptimize(w.data());
    }
}
BENCHMARK(BM_HistoryWarningsSample)->Unit(benchmark::kMicrosecond);

// A file where every line is faulty: the one message names each line with its reason.
static void BM_ParseAllLinesFaulty(benchmark::State& state) {
    QByteArray bytes;
    for (int i = 0; i < 3500; ++i)
        bytes += i % 2 ? "2005013 03 07 12 19 25 31\r\n" : "2005013 03 0x 12 19 25 31 09\r\n";
    for (auto _ : state) {
        ParseResult r = ParseHistory(bytes, Game::ssq());
        benchmark::DoNotOptimize(r.message.data());
    }
}
BENCHMARK(BM_ParseAllLinesFaulty)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

// Both games' official figures read from their files and checked against their histories, as a start
// or a switch reads them (ssq 3,403 draws, dlt 2,886).
static void BM_ReadBothFiguresFiles(benchmark::State& state) {
    const QDir data = QFileInfo(QStringLiteral(KELVORA_SAMPLE)).dir();
    std::vector<std::pair<const Game*, TCodeArr>> games;
    for (const Game* game : {&Game::ssq(), &Game::dlt()}) {
        QFile f(data.filePath(game->keyText() + QStringLiteral("-history.dxt")));
        f.open(QIODevice::ReadOnly);
        games.emplace_back(game, ParseHistory(f.readAll(), *game).history);
    }
    for (auto _ : state)
        for (const auto& [game, history] : games) {
            const FiguresLoad load =
                LoadFigures(data.filePath(game->keyText() + QStringLiteral("-figures.txt")), *game, &history);
            benchmark::DoNotOptimize(load.table.draws.data());
        }
}
BENCHMARK(BM_ReadBothFiguresFiles)->Unit(benchmark::kMillisecond);
