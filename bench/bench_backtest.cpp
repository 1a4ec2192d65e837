#include "BenchConditions.h"
#include "engine/history/Parser.h"
#include "engine/predict/PredictBacktest.h"
#include "engine/shrink/Backtest.h"
#include "engine/shrink/Combinations.h"
#include "engine/shrink/ShrinkRun.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

const TCodeArr& sampleHistory() {
    static const TCodeArr history = [] {
        QFile f(QStringLiteral(KELVORA_SAMPLE));
        f.open(QIODevice::ReadOnly);
        return ParseHistory(f.readAll(), Game::ssq()).history;
    }();
    return history;
}

// Every one of the 18 conditions active: the heavy set with one candidate fewer.
ShrinkInput everyCondition() {
    ShrinkInput in = HeavyConditionSet();
    in.candidates[32] = false;
    in.excludeNumbers = QStringLiteral("32");
    return in;
}

// All 33 candidates and ten active conditions (the sum range among them).
ShrinkInput tenConditions(int tolerance) {
    ShrinkInput in;
    in.candidates.fill(true);
    in.sumMin = 70;
    in.sumMax = 140;
    in.oddEven = {false, false, true, true, true, false, false};
    in.repeats = {true, true, true, false, false};
    in.linkIndex = 1;
    in.tailMin = 1;
    in.tailMax = 8;
    in.bigSmall = {false, false, true, true, true, false, false};
    in.spanMin = 15;
    in.spanMax = 30;
    in.zones = {2, -1, -1};
    in.acMin = 6;
    in.acMax = 10;
    in.hitRows[0].list = QStringLiteral("1,2,3,4,5,6,7,8,9,10,11");
    in.hitRows[0].items = {false, true, true, true, false, false};
    in.tolerance = tolerance;
    return in;
}

const TCodeArr& dltHistory() {
    static const TCodeArr history = [] {
        QFile f(QStringLiteral(KELVORA_DLT_SAMPLE));
        f.open(QIODevice::ReadOnly);
        return ParseHistory(f.readAll(), Game::dlt()).history;
    }();
    return history;
}

// The super lotto with ten active conditions over its ranges.
ShrinkInput dltTenConditions(int tolerance) {
    ShrinkInput in = ShrinkInput::resetFor(Game::dlt());
    std::fill_n(in.candidates.begin(), Game::dlt().frontPool, true);
    in.sumMin = 50;
    in.sumMax = 130;
    in.oddEven = {false, true, true, true, false, false, false};
    in.repeats = {true, true, true, false, false};
    in.linkIndex = 1;
    in.tailMin = 1;
    in.tailMax = 8;
    in.bigSmall = {false, true, true, true, false, false, false};
    in.spanMin = 12;
    in.spanMax = 32;
    in.zones = {2, -1, -1};
    in.acMin = 3;
    in.acMax = 6;
    in.hitRows[0].list = QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12");
    in.hitRows[0].items = {false, true, true, false, false, false};
    in.tolerance = tolerance;
    return in;
}

void BM_DltShrinkBacktestAllDraws(benchmark::State& state) {
    const ShrinkInput in = dltTenConditions(0);
    const int draws = int(dltHistory().size());
    for (auto _ : state)
        benchmark::DoNotOptimize(RunShrinkBacktest(in, dltHistory(), draws, Game::dlt()).kept);
}

void BM_DltToleranceShrink(benchmark::State& state) {
    const ShrinkInput in = dltTenConditions(int(state.range(0)));
    int count = 0;
    for (auto _ : state)
        count = RunShrink(in, dltHistory(), {}, false, Game::dlt()).count;
    state.counters["tickets"] = count;
}

void BM_BuildCombinations(benchmark::State& state) {
    CandidateFlags all;
    all.fill(1);
    for (auto _ : state) {
        TCodeList list;
        BuildCombinations(list, all, Game::ssq());
        benchmark::DoNotOptimize(list.data());
    }
}

void BM_ShrinkBacktestAllDraws(benchmark::State& state) {
    const ShrinkInput in = everyCondition();
    const int draws = int(sampleHistory().size());
    for (auto _ : state)
        benchmark::DoNotOptimize(RunShrinkBacktest(in, sampleHistory(), draws, Game::ssq()).kept);
}

void BM_Tolerance(benchmark::State& state) {
    const ShrinkInput in = tenConditions(int(state.range(0)));
    int count = 0;
    for (auto _ : state)
        count = RunShrink(in, sampleHistory(), {}, false, Game::ssq()).count;
    state.counters["tickets"] = count;
}

// The share of all tickets passing each condition alone, for the ten-condition set: one walk of
// the shared evaluator over every ticket. BM_Tolerance/0 is the shrink of the same set.
void BM_ConditionTicketShares(benchmark::State& state) {
    const ShrinkInput in = tenConditions(0);
    const ShrinkConditions conditions(in, Game::ssq());
    const TCodeRec* newest = &sampleHistory().back().Ticket;
    for (auto _ : state)
        benchmark::DoNotOptimize(ConditionTicketShares(conditions, newest)[size_t(OddEvenCondition)]);
}

void BM_PredictBacktest1000(benchmark::State& state) {
    const auto kind = PredictKind(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(RunPredictBacktest(sampleHistory(), kind, 1000, Game::ssq()).rows.size());
    state.SetLabel(PredictCommandName(kind).toStdString());
}

} // namespace

BENCHMARK(BM_BuildCombinations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShrinkBacktestAllDraws)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DltShrinkBacktestAllDraws)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DltToleranceShrink)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tolerance)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConditionTicketShares)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PredictBacktest1000)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
