#include "history/Parser.h"

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
        ParseResult r = ParseHistory(bytes);
        benchmark::DoNotOptimize(r.history.data());
    }
}
BENCHMARK(BM_ParseSampleBytes)->Unit(benchmark::kMicrosecond);

// The editor's text, encoded first, as the window parses it.
static void BM_ParseSampleEditorText(benchmark::State& state) {
    const QString text = QString::fromLatin1(sample());
    for (auto _ : state) {
        ParseResult r = ParseHistoryText(text);
        benchmark::DoNotOptimize(r.history.data());
    }
}
BENCHMARK(BM_ParseSampleEditorText)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
