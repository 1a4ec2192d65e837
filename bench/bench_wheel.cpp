#include "engine/wheel/ResultWheel.h"
#include "engine/wheel/StoredWheels.h"
#include "engine/wheel/Wheel.h"

#include <benchmark/benchmark.h>
#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <thread>

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

// Every ticket of 15 numbers (5,005): a result where the smallest cover is a 中6保5 wheel of 15 numbers.
const std::vector<uint64_t>& everyTicketOfFifteen() {
    static const std::vector<uint64_t> tickets = [] {
        std::vector<uint64_t> out;
        for (uint32_t m = 0; m < (1u << 15); ++m)
            if (std::popcount(m) == 6) out.push_back(uint64_t(m) << 1);
        return out;
    }();
    return tickets;
}

// The first n of all C(33,6) tickets taken in a fixed scattered order: lists of a big shrink result's
// size (582,543 is about half of all tickets).
std::vector<uint64_t> scatteredTickets(size_t n) {
    static const std::vector<uint64_t> all = [] {
        std::vector<uint64_t> out;
        int a[6];
        for (a[0] = 1; a[0] <= 28; ++a[0])
            for (a[1] = a[0] + 1; a[1] <= 29; ++a[1])
                for (a[2] = a[1] + 1; a[2] <= 30; ++a[2])
                    for (a[3] = a[2] + 1; a[3] <= 31; ++a[3])
                        for (a[4] = a[3] + 1; a[4] <= 32; ++a[4])
                            for (a[5] = a[4] + 1; a[5] <= 33; ++a[5]) {
                                uint64_t t = 0;
                                for (int x : a)
                                    t |= uint64_t(1) << x;
                                out.push_back(t);
                            }
        return out;
    }();
    std::vector<uint64_t> some;
    some.reserve(n);
    for (size_t k = 0; k < n && k < all.size(); ++k)
        some.push_back(all[k * 1000003 % all.size()]);
    return some;
}

// Runs search while 取消 is pressed a second after its start: the milliseconds from the press until
// search returned (0 when it returned first).
template <class Search> double msAfterCancel(std::atomic<bool>& cancel, Search&& search) {
    std::chrono::steady_clock::time_point pressed;
    std::thread press([&] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        pressed = std::chrono::steady_clock::now();
        cancel = true;
    });
    search();
    const auto returned = std::chrono::steady_clock::now();
    press.join();
    return returned > pressed ? std::chrono::duration<double, std::milli>(returned - pressed).count() : 0.0;
}

// The table is read and checked once at first use, as in the program.
void BM_StoredWheelTwentyNumbers(benchmark::State& state) {
    SetWheelTableFile(QStringLiteral(KELVORA_WHEELS));
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

// The first wheel the program takes from the table: the file read and that one cell checked. The
// slowest cell is the one that counts.
void BM_StoredWheelFirstUse(benchmark::State& state) {
    SetWheelTableFile(QStringLiteral(KELVORA_WHEELS));
    std::vector<WheelShape> cells;
    for (const StoredWheel& w : StoredWheels())
        if (std::find(cells.begin(), cells.end(), w.shape) == cells.end()) cells.push_back(w.shape);
    for (auto _ : state) {
        double slowest = 0;
        for (const WheelShape& cell : cells) {
            SetWheelTableFile(QStringLiteral(KELVORA_WHEELS));
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(FindStoredWheel(cell));
            slowest = std::max(
                slowest, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        state.counters["cells"] = double(cells.size());
        state.counters["slowest_ms"] = slowest;
    }
}
BENCHMARK(BM_StoredWheelFirstUse)->Unit(benchmark::kMillisecond)->Iterations(3);

// The whole table read and every wheel checked, as a start that checked everything would.
void BM_StoredWheelWholeTable(benchmark::State& state) {
    for (auto _ : state) {
        SetWheelTableFile(QStringLiteral(KELVORA_WHEELS));
        state.counters["wheels"] = double(StoredWheels().size());
    }
}
BENCHMARK(BM_StoredWheelWholeTable)->Unit(benchmark::kMillisecond)->Iterations(3);

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
BENCHMARK(BM_ResultCover<everyTicketOfFifteen>)
    ->Name("BM_ResultCoverFifteen")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// 缩水后旋转 with the top guarantee (every ticket matched in all six): the list itself.
void BM_ResultCoverTop(benchmark::State& state) {
    const std::vector<uint64_t> list = scatteredTickets(size_t(state.range(0)));
    for (auto _ : state) {
        const ResultWheel w = CoverResultTickets(list, 6);
        state.counters["tickets"] = double(w.tickets.size());
    }
}
BENCHMARK(BM_ResultCoverTop)
    ->Arg(20000)
    ->Arg(100000)
    ->Arg(582543)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// 取消 pressed a second into a 缩水后旋转 of a big list: the time from the press until the call returns
// (with the best cover so far or a refusal).
void BM_ResultCoverCancel(benchmark::State& state) {
    const std::vector<uint64_t> list = scatteredTickets(size_t(state.range(0)));
    const int held = int(state.range(1));
    for (auto _ : state) {
        std::atomic<bool> cancel{false};
        ResultCoverOptions o;
        o.cancel = &cancel;
        state.counters["afterCancel_ms"] = msAfterCancel(cancel, [&] {
            try {
                const ResultWheel w = CoverResultTickets(list, held, o);
                benchmark::DoNotOptimize(w.tickets.data());
            } catch (const std::exception&) {
                // cancelled before a first cover
            }
        });
    }
}
BENCHMARK(BM_ResultCoverCancel)
    ->Args({100000, 6})
    ->Args({582543, 5})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// A common super-lotto wheel without a stored table, searched with the window's 30 s budget.
void BM_SearchWheelDlt(benchmark::State& state) {
    WheelRequest r;
    for (int n = 1; n <= int(state.range(0)); ++n)
        r.numbers.push_back(n * 2);
    r.picks = 5;
    r.pool = 35;
    r.drawn = int(state.range(1));
    r.held = int(state.range(2));
    WheelSearchOptions o;
    o.timeLimit = std::chrono::seconds(30);
    for (auto _ : state) {
        const Wheel w = BuildWheel(r, o);
        state.counters["tickets"] = double(w.tickets.size());
    }
}
BENCHMARK(BM_SearchWheelDlt)
    ->Args({10, 5, 4})
    ->Args({12, 5, 4})
    ->Args({16, 4, 3})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// 取消 pressed a second into the search of a wide wheel (still in its greedy start for some).
void BM_SearchWheelCancel(benchmark::State& state) {
    const WheelShape shape{int(state.range(0)), int(state.range(1)), int(state.range(2)), int(state.range(3))};
    for (auto _ : state) {
        std::atomic<bool> cancel{false};
        WheelSearchOptions o;
        o.timeLimit = std::chrono::seconds(30);
        o.cancel = &cancel;
        std::vector<WheelMask> w;
        state.counters["afterCancel_ms"] = msAfterCancel(cancel, [&] { w = SearchWheel(shape, o); });
        state.counters["tickets"] = double(w.size());
    }
}
BENCHMARK(BM_SearchWheelCancel)
    ->Args({24, 5, 5, 3})
    ->Args({24, 6, 6, 5})
    ->Args({22, 6, 5, 4})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

BENCHMARK_MAIN();
