#include "BenchConditions.h"
#include "engine/history/Parser.h"
#include "engine/shrink/Combinations.h"
#include "engine/shrink/ShrinkRun.h"
#include "ui/controls/MultiChk.h"
#include "ui/shrink/ShrinkPanel.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

const TCodeArr& sampleHistory() {
    static const TCodeArr history = [] {
        QFile f(QStringLiteral(KELVORA_SAMPLE));
        f.open(QIODevice::ReadOnly);
        return ParseHistory(f.readAll(), Game::ssq()).history;
    }();
    return history;
}

// Each game's frozen sample, read once.
const TCodeArr& historyOf(const Game& game, const char* path) {
    static std::array<TCodeArr, kGameCount> histories;
    static std::array<bool, kGameCount> read{};
    if (!read[game.index()]) {
        QFile f(QString::fromUtf8(path));
        f.open(QIODevice::ReadOnly);
        histories[game.index()] = ParseHistory(f.readAll(), game).history;
        read[game.index()] = true;
    }
    return histories[game.index()];
}

const TCodeArr& dltHistory() {
    return historyOf(Game::dlt(), KELVORA_DLT_SAMPLE);
}

const TCodeArr& qlcHistory() {
    return historyOf(Game::qlc(), KELVORA_QLC_SAMPLE);
}

// The super lotto's counterpart of the heavy set: every front a candidate, every condition on.
ShrinkInput dltHeavySet() {
    ShrinkInput in = ShrinkInput::resetFor(Game::dlt());
    std::fill_n(in.candidates.begin(), Game::dlt().frontPool, true);
    in.sumMin = 50;
    in.sumMax = 130;
    in.excludeSums = QStringLiteral("70,80,90");
    in.oddEven = {false, true, true, true, false, false, false};
    in.repeats = {true, true, true, false, false};
    in.linkIndex = 0;
    in.linkRuns = {true, true, false, false};
    in.tailMin = 1;
    in.tailMax = 8;
    in.excludeTails = QStringLiteral("5");
    in.excludeNumbers = QStringLiteral("35");
    in.requireNumbers = QStringLiteral("07");
    in.bigSmall = {false, true, true, true, false, false, false};
    in.maxCode = 34;
    in.minCode = 2;
    in.spanMin = 12;
    in.spanMax = 32;
    in.zones = {2, -1, -1};
    in.mod3 = {-1, 2, -1};
    in.acMin = 2;
    in.acMax = 6;
    in.hitRows[0].list = QStringLiteral("1,2,3,4,5,6,7,8,9,10,11,12");
    in.hitRows[0].items = {false, true, true, false, false, false};
    return in;
}

// 七乐彩's counterpart: every number a candidate, every condition on.
ShrinkInput qlcHeavySet() {
    ShrinkInput in = ShrinkInput::resetFor(Game::qlc());
    std::fill_n(in.candidates.begin(), Game::qlc().frontPool, true);
    in.sumMin = 80;
    in.sumMax = 140;
    in.excludeSums = QStringLiteral("100,110,120");
    in.oddEven = {false, false, true, true, true, true, false, false};
    in.repeats = {true, true, true, false, false};
    in.linkIndex = 0;
    in.linkRuns = {true, true, false, false};
    in.tailMin = 1;
    in.tailMax = 8;
    in.excludeTails = QStringLiteral("5");
    in.excludeNumbers = QStringLiteral("30");
    in.requireNumbers = QStringLiteral("07");
    in.bigSmall = {false, false, true, true, true, true, false, false};
    in.maxCode = 29;
    in.minCode = 2;
    in.spanMin = 15;
    in.spanMax = 27;
    in.zones = {2, -1, -1};
    in.mod3 = {-1, 2, -1};
    in.acMin = 6;
    in.acMax = 15;
    in.hitRows[0].list = QStringLiteral("1,2,3,4,5,6,7,8,9,10");
    in.hitRows[0].items = {false, true, true, true, false, false, false};
    return in;
}

// Every number of the game a candidate and no other condition: every ticket kept.
ShrinkInput allCandidatesOf(const Game& game) {
    ShrinkInput in = ShrinkInput::resetFor(game);
    std::fill_n(in.candidates.begin(), game.frontPool, true);
    return in;
}

ShrinkInput allCandidates() {
    ShrinkInput in;
    in.candidates.fill(true);
    return in;
}

// All 33 candidates and every condition on.
ShrinkInput heavySet() {
    return HeavyConditionSet();
}

// Sums 22..73 without 40 and 63: exactly 100,000 tickets.
ShrinkInput hundredThousand() {
    ShrinkInput in = allCandidates();
    in.sumMin = 22;
    in.sumMax = 73;
    in.excludeSums = QStringLiteral("40,63");
    return in;
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

void BM_RunHeavy(benchmark::State& state) {
    const ShrinkInput in = heavySet();
    int count = 0;
    for (auto _ : state)
        count = RunShrink(in, sampleHistory(), {}, false, Game::ssq()).count;
    state.counters["tickets"] = count;
}

// The same without the required number, which prunes most of the tickets by itself.
void BM_RunHeavyNoRequired(benchmark::State& state) {
    ShrinkInput in = heavySet();
    in.requireNumbers.clear();
    int count = 0;
    for (auto _ : state)
        count = RunShrink(in, sampleHistory(), {}, false, Game::ssq()).count;
    state.counters["tickets"] = count;
}

void BM_RunAllOff(benchmark::State& state) {
    const ShrinkInput in = allCandidates();
    for (auto _ : state)
        benchmark::DoNotOptimize(RunShrink(in, sampleHistory(), {}, false, Game::ssq()).count);
}

void BM_Run100000(benchmark::State& state) {
    const ShrinkInput in = hundredThousand();
    int count = 0;
    for (auto _ : state)
        count = RunShrink(in, sampleHistory(), {}, false, Game::ssq()).count;
    state.counters["tickets"] = count;
}

// Both in the same loop, so the ratio is not skewed by the machine's load changing between them.
void BM_HeavyOverBuild(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const ShrinkInput in = heavySet();
    CandidateFlags all;
    all.fill(1);
    double build = 0, run = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        {
            TCodeList list;
            BuildCombinations(list, all, Game::ssq());
            benchmark::DoNotOptimize(list.data());
        }
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(RunShrink(in, sampleHistory(), {}, false, Game::ssq()).count);
        const auto t2 = Clock::now();
        build += std::chrono::duration<double, std::milli>(t1 - t0).count();
        run += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    state.counters["build_ms"] = build / double(state.iterations());
    state.counters["run_ms"] = run / double(state.iterations());
    state.counters["ratio"] = run / build;
}

void buildCombinationsOf(benchmark::State& state, const Game& game) {
    CandidateFlags all;
    all.fill(1);
    for (auto _ : state) {
        TCodeList list;
        BuildCombinations(list, all, game);
        benchmark::DoNotOptimize(list.data());
    }
}

void BM_DltBuildCombinations(benchmark::State& state) {
    buildCombinationsOf(state, Game::dlt());
}

void BM_QlcBuildCombinations(benchmark::State& state) {
    buildCombinationsOf(state, Game::qlc());
}

// A game's run against its own BuildCombinations, in one loop.
void runOverBuild(benchmark::State& state, const Game& game, const ShrinkInput& in, const TCodeArr& history) {
    using Clock = std::chrono::steady_clock;
    CandidateFlags all;
    all.fill(1);
    double build = 0, run = 0;
    int count = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        {
            TCodeList list;
            BuildCombinations(list, all, game);
            benchmark::DoNotOptimize(list.data());
        }
        const auto t1 = Clock::now();
        count = RunShrink(in, history, {}, false, game).count;
        const auto t2 = Clock::now();
        build += std::chrono::duration<double, std::milli>(t1 - t0).count();
        run += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    state.counters["tickets"] = count;
    state.counters["build_ms"] = build / double(state.iterations());
    state.counters["run_ms"] = run / double(state.iterations());
    state.counters["ratio"] = run / build;
}

// state.range(0) = 1: the heavy set, 0: no condition but the candidates, every ticket kept.
void BM_DltRunOverBuild(benchmark::State& state) {
    const Game& game = Game::dlt();
    runOverBuild(state, game, state.range(0) ? dltHeavySet() : allCandidatesOf(game), dltHistory());
}

void BM_QlcRunOverBuild(benchmark::State& state) {
    const Game& game = Game::qlc();
    runOverBuild(state, game, state.range(0) ? qlcHeavySet() : allCandidatesOf(game), qlcHistory());
}

// From the click on "缩水计算" to the filled memo, for a result of exactly 100,000 tickets; the
// memo's sheet in front (state.range(0) = 1) or behind the conditions (0).
void BM_PanelRun100000(benchmark::State& state) {
    TShrinkPanel panel(sampleHistory());
    panel.resize(1000, 700);
    panel.show();
    for (int k = 0; k < 33; ++k)
        panel.RcmSheet1CodeChk->SetChecked(k, true);
    panel.SumSe1->setValue(22);
    panel.SumSe2->setValue(73);
    panel.SumExEd->setText(QStringLiteral("40,63"));
    panel.RcmPctl->setCurrentWidget(state.range(0) ? panel.RcmSheet4 : panel.RcmSheet3);
    QApplication::processEvents();
    for (auto _ : state) {
        panel.RcmPanelScaleBt->click();
        state.PauseTiming();
        QApplication::processEvents(); // repaints that would follow, outside the measured command
        state.ResumeTiming();
    }
    state.counters["lines"] = panel.RcmMemo->blockCount();
}

} // namespace

BENCHMARK(BM_BuildCombinations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunHeavy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunHeavyNoRequired)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunAllOff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Run100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeavyOverBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DltBuildCombinations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DltRunOverBuild)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QlcBuildCombinations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QlcRunOverBuild)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanelRun100000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
