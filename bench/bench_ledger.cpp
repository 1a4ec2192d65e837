#include "BenchHistory.h"
#include "engine/ledger/Ledger.h"
#include "engine/ledger/LedgerReport.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <bit>

namespace {

// 10,000 entries of three tickets each (one of them compound), spread over the draws of the sample:
// about thirty years of a player's tickets.
struct BenchLedger {
    QTemporaryDir dir;
    std::unique_ptr<Ledger> ledger;
    TCodeArr corrected;

    BenchLedger() {
        ledger = std::make_unique<Ledger>(dir.filePath(QStringLiteral("ledger.sqlite")));
        const TCodeArr& history = BenchHistory();
        QRandomGenerator random(11);
        std::vector<LedgerEntry> entries(10000);
        for (int i = 0; i < 10000; ++i) {
            LedgerEntry& e = entries[size_t(i)];
            e.issue = history[size_t(i) % history.size()].code();
            for (int k = 0; k < 3; ++k) {
                PrizeTicket t;
                t.line = k + 1;
                const int reds = k == 2 ? 7 : 6;
                while (std::popcount(t.reds) < reds)
                    t.reds |= uint64_t(1) << (1 + random.bounded(33));
                t.blues = uint32_t(1) << (1 + random.bounded(16));
                t.redCount = reds;
                t.blueCount = 1;
                e.tickets.push_back(t);
            }
        }
        ledger->add(entries);
        ledger->settle(history, QStringLiteral("ssq"));
        // The same history with every draw's blue changed: every entry settles anew.
        corrected = history;
        for (TDrawRec& rec : corrected)
            std::rotate(rec.Ticket.Blue, rec.Ticket.Blue + 1, rec.Ticket.Blue + 16);
    }
};

BenchLedger& bench() {
    static BenchLedger b;
    return b;
}

void BM_LedgerList(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(bench().ledger->list(QStringLiteral("ssq")));
}
BENCHMARK(BM_LedgerList)->Unit(benchmark::kMillisecond);

// Nothing changed since the last settlement: read, check, write nothing.
void BM_LedgerSettleUnchanged(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(bench().ledger->settle(BenchHistory(), QStringLiteral("ssq")));
}
BENCHMARK(BM_LedgerSettleUnchanged)->Unit(benchmark::kMillisecond);

// Every draw corrected: all 10,000 entries are written again, in one transaction.
void BM_LedgerSettleAll(benchmark::State& state) {
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        benchmark::DoNotOptimize(
            bench().ledger->settle(flip ? bench().corrected : BenchHistory(), QStringLiteral("ssq")));
    }
}
BENCHMARK(BM_LedgerSettleAll)->Unit(benchmark::kMillisecond);

// The report with its 10,000 simulated players, from the listed entries.
void BM_LedgerReport(benchmark::State& state) {
    const std::vector<LedgerEntry> entries = bench().ledger->list(QStringLiteral("ssq"));
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeLedgerReport(entries));
}
BENCHMARK(BM_LedgerReport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The SQL driver is a plugin, found through the application object.
    QCoreApplication app(argc, argv);
    bench();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
