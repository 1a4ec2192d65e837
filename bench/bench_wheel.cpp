#include "engine/wheel/ResultWheel.h"
#include "engine/wheel/StoredWheels.h"
#include "engine/wheel/Wheel.h"

#include <benchmark/benchmark.h>
#include <bit>

namespace {

// 20,000 tickets of 19 numbers, spread over all C(19,6) as a shrink result would hold them.
const std::vector<uint64_t>& shrinkResult() {
    static const std::vector<uint64_t> tickets = [] {
        std::vector<uint64_t> all;
        for (uint32_t m = 0; m < (1u << 19); ++m)
            if (std::popcount(m) == 6) all.push_back(uint64_t(m) << 3);
        std::vector<uint64_t> some;
        for (size_t k = 0; k < 20000; ++k)
            some.push_back(all[k * 27131 % all.size()]);
        return some;
    }();
    return tickets;
}

// The table is read and checked once at first use, as in the program.
void BM_StoredWheelTwentyNumbers(benchmark::State& state) {
    StoredWheels();
    WheelRequest r;
    for (int n = 1; n <= 20; ++n)
        r.numbers.push_back(n + 10);
    r.drawn = 6;
    r.held = 5;
    for (auto _ : state) {
        const Wheel w = BuildWheel(r);
        benchmark::DoNotOptimize(w.tickets.data());
        state.counters["tickets"] = double(w.tickets.size());
        state.counters["stored"] = w.stored;
    }
}
BENCHMARK(BM_StoredWheelTwentyNumbers)->Unit(benchmark::kMillisecond);

// The baseline: the plain greedy choice on the same input.
void BM_ResultCoverGreedy(benchmark::State& state) {
    for (auto _ : state) {
        const std::vector<int> chosen = GreedyResultCover(shrinkResult(), 5);
        state.counters["tickets"] = double(chosen.size());
    }
}
BENCHMARK(BM_ResultCoverGreedy)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ResultCover(benchmark::State& state) {
    for (auto _ : state) {
        ResultCoverOptions o;
        const ResultWheel w = CoverResultTickets(shrinkResult(), 5, o);
        state.counters["tickets"] = double(w.tickets.size());
        state.counters["greedy"] = double(w.greedyCount);
        state.counters["ratio"] = double(w.tickets.size()) / double(w.greedyCount);
    }
}
BENCHMARK(BM_ResultCover)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
