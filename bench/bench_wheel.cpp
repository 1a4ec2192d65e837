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

// A shrink result as a player makes one: 20 candidates, two to four odd numbers, sum 86..124
// (20,812 tickets).
const std::vector<uint64_t>& filteredResult() {
    static const std::vector<uint64_t> tickets = [] {
        const int candidates[20] = {1,  3,  5,  7,  8,  10, 12, 14, 15, 17,
                                    19, 21, 22, 24, 26, 28, 29, 31, 32, 33};
        std::vector<uint64_t> out;
        for (uint32_t m = 0; m < (1u << 20); ++m) {
            if (std::popcount(m) != 6) continue;
            uint64_t t = 0;
            int sum = 0;
            int odd = 0;
            for (int i = 0; i < 20; ++i)
                if (m >> i & 1u) {
                    t |= uint64_t(1) << candidates[i];
                    sum += candidates[i];
                    odd += candidates[i] % 2;
                }
            if (odd >= 2 && odd <= 4 && sum >= 86 && sum <= 124) out.push_back(t);
        }
        return out;
    }();
    return tickets;
}

// A shrink result over all 33 reds: sum 95..105, three odd, two in each zone, AC 7..10 (22,646
// tickets, each sharing five numbers with few others).
const std::vector<uint64_t>& sparseResult() {
    static const std::vector<uint64_t> tickets = [] {
        std::vector<uint64_t> out;
        int n[6];
        const auto keep = [&] {
            int sum = 0;
            int odd = 0;
            int zones[3] = {0, 0, 0};
            for (int x : n) {
                sum += x;
                odd += x % 2;
                ++zones[(x - 1) / 11];
            }
            if (sum < 95 || sum > 105 || odd != 3 || zones[0] != 2 || zones[1] != 2) return false;
            uint64_t diffs = 0;
            for (int i = 0; i < 6; ++i)
                for (int j = i + 1; j < 6; ++j)
                    diffs |= uint64_t(1) << (n[j] - n[i]);
            const int ac = std::popcount(diffs) - 5;
            return ac >= 7 && ac <= 10;
        };
        for (n[0] = 1; n[0] <= 28; ++n[0])
            for (n[1] = n[0] + 1; n[1] <= 29; ++n[1])
                for (n[2] = n[1] + 1; n[2] <= 30; ++n[2])
                    for (n[3] = n[2] + 1; n[3] <= 31; ++n[3])
                        for (n[4] = n[3] + 1; n[4] <= 32; ++n[4])
                            for (n[5] = n[4] + 1; n[5] <= 33; ++n[5])
                                if (keep()) {
                                    uint64_t t = 0;
                                    for (int x : n)
                                        t |= uint64_t(1) << x;
                                    out.push_back(t);
                                }
        return out;
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

// The super lotto has no stored table: every wheel starts from the greedy one and is checked over
// every draw. Five-front tickets over 20 and 24 numbers.
void BM_GreedyWheelDlt(benchmark::State& state) {
    const WheelShape shape{int(state.range(0)), 5, int(state.range(1)), int(state.range(2))};
    for (auto _ : state) {
        const std::vector<WheelMask> w = GreedyWheel(shape);
        const WheelCheckResult check = CheckWheel(shape.v, shape.drawn, shape.held, w, 0);
        benchmark::DoNotOptimize(check.uncovered);
        state.counters["tickets"] = double(w.size());
    }
}
BENCHMARK(BM_GreedyWheelDlt)
    ->Args({20, 5, 4})
    ->Args({20, 4, 3})
    ->Args({24, 5, 3})
    ->Unit(benchmark::kMillisecond);

// The baseline: the plain greedy choice on the same input.
void BM_ResultCoverGreedy(benchmark::State& state) {
    for (auto _ : state) {
        const std::vector<int> chosen = GreedyResultCover(shrinkResult(), 5);
        state.counters["tickets"] = double(chosen.size());
    }
}
BENCHMARK(BM_ResultCoverGreedy)->Unit(benchmark::kMillisecond)->Iterations(1);

// 缩水后旋转 of each list against its greedy choice; the list is built before the timing.
template <const std::vector<uint64_t>& (*List)()> void BM_ResultCover(benchmark::State& state) {
    const std::vector<uint64_t>& list = List();
    for (auto _ : state) {
        const ResultWheel w = CoverResultTickets(list, 5);
        state.counters["from"] = double(w.from);
        state.counters["tickets"] = double(w.tickets.size());
        state.counters["greedy"] = double(w.greedyCount);
        state.counters["ratio"] = double(w.tickets.size()) / double(w.greedyCount);
    }
}
BENCHMARK(BM_ResultCover<shrinkResult>)->Name("BM_ResultCover")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ResultCover<filteredResult>)
    ->Name("BM_ResultCoverFiltered")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_ResultCover<sparseResult>)
    ->Name("BM_ResultCoverSparse")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

BENCHMARK_MAIN();
