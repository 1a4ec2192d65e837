#include "engine/history/Parser.h"
#include "engine/predict/PredictBacktest.h"
#include "engine/predict/Prediction.h"
#include "engine/shrink/Combinations.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

namespace {

const TCodeArr& sample() {
    static const TCodeArr history = [] {
        QFile f(QStringLiteral(KELVORA_SAMPLE));
        f.open(QIODevice::ReadOnly);
        return ParseHistory(f.readAll(), Game::ssq()).history;
    }();
    return history;
}

const TCodeArr& dltSample() {
    static const TCodeArr history = [] {
        QFile f(QStringLiteral(KELVORA_DLT_SAMPLE));
        f.open(QIODevice::ReadOnly);
        return ParseHistory(f.readAll(), Game::dlt()).history;
    }();
    return history;
}

// The baseline: enumerating every ticket once, as the single prediction must.
void BM_BuildCombinations(benchmark::State& state) {
    CandidateFlags flags{};
    for (int n = 20; n <= 33; ++n)
        flags[size_t(n - 1)] = 1;
    for (auto _ : state) {
        TCodeList list;
        BuildCombinations(list, flags, Game::ssq());
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_BuildCombinations)->Unit(benchmark::kMillisecond);

void BM_SinglePredict(benchmark::State& state) {
    const TCodeArr& h = sample();
    for (auto _ : state) {
        TSinglePrediction r = SinglePredict(h, Game::ssq());
        benchmark::DoNotOptimize(r.lines.data());
    }
}
BENCHMARK(BM_SinglePredict)->Unit(benchmark::kMillisecond);

void BM_CombinePredict(benchmark::State& state) {
    const TCodeArr& h = sample();
    for (auto _ : state)
        benchmark::DoNotOptimize(CombinePredict(h, Game::ssq()));
}
BENCHMARK(BM_CombinePredict)->Unit(benchmark::kMicrosecond);

void BM_AreaNumRecommend(benchmark::State& state) {
    const TCodeArr& h = sample();
    for (auto _ : state)
        benchmark::DoNotOptimize(AreaNumRecommend(h, Game::ssq()));
}
BENCHMARK(BM_AreaNumRecommend)->Unit(benchmark::kMicrosecond);

// The super lotto's single prediction counts its picks over all 324,632 front tickets.
void BM_SinglePredictDlt(benchmark::State& state) {
    const TCodeArr& h = dltSample();
    for (auto _ : state) {
        TSinglePrediction r = SinglePredict(h, Game::dlt());
        benchmark::DoNotOptimize(r.lines.data());
    }
}
BENCHMARK(BM_SinglePredictDlt)->Unit(benchmark::kMillisecond);

void BM_CombinePredictDlt(benchmark::State& state) {
    const TCodeArr& h = dltSample();
    for (auto _ : state)
        benchmark::DoNotOptimize(CombinePredict(h, Game::dlt()));
}
BENCHMARK(BM_CombinePredictDlt)->Unit(benchmark::kMicrosecond);

// Every draw of the super lotto's history predicted from the 20 before it.
void BM_PredictBacktestDlt(benchmark::State& state) {
    const TCodeArr& h = dltSample();
    const PredictKind kind = PredictKind(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(RunPredictBacktest(h, kind, int(h.size()) - 20, Game::dlt()).rows.size());
}
BENCHMARK(BM_PredictBacktestDlt)
    ->Arg(int(PredictKind::Compound))
    ->Arg(int(PredictKind::Zone))
    ->Unit(benchmark::kMillisecond);

// Prints the single prediction's time as a multiple of the baseline measured in the same run (the
// fastest repetition of each, or the median when only aggregates are reported).
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // CPU time: the machine is shared, so wall time mostly measures the neighbours.
        for (const Run& r : runs)
            if ((r.run_type == Run::RT_Iteration && r.iterations > 0) ||
                (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")) {
                const std::string name = r.run_name.function_name;
                const double t = r.GetAdjustedCPUTime();
                if (!m_time.count(name) || t < m_time[name]) m_time[name] = t;
            }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto base = m_time.find("BM_BuildCombinations");
        const auto single = m_time.find("BM_SinglePredict");
        if (base != m_time.end() && single != m_time.end() && base->second > 0)
            std::printf("SinglePredict / BuildCombinations (CPU time) = %.2f (target < 2)\n",
                        single->second / base->second);
        const auto dlt = m_time.find("BM_SinglePredictDlt");
        if (base != m_time.end() && dlt != m_time.end() && base->second > 0)
            std::printf("SinglePredictDlt / BuildCombinations (CPU time) = %.2f\n",
                        dlt->second / base->second);
    }

  private:
    std::map<std::string, double> m_time;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
