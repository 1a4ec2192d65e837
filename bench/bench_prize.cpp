#include "engine/history/Parser.h"
#include "engine/prize/PrizeCheck.h"
#include "engine/prize/TicketReader.h"
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
        return ParseHistory(f.readAll()).history;
    }();
    return history;
}

// 100,000 single tickets spread over all 1,107,568 as a shrink result would hold them.
const QString& ticketText() {
    static const QString text = [] {
        CandidateFlags all{};
        all.fill(1);
        TCodeList every;
        BuildCombinations(every, all);
        QString s = QStringLiteral("缩水结果总共100000注\n\n");
        for (size_t k = 0; k < 100000; ++k) {
            const TCodeRec& t = every[k * 11 % every.size()];
            for (int i = 0; i < 6; ++i)
                s += QStringLiteral("%1%2")
                         .arg(int(t.Red[i]), 2, 10, QLatin1Char('0'))
                         .arg(i < 5 ? " " : "\n");
        }
        return s;
    }();
    return text;
}

const std::vector<PrizeTicket>& tickets() {
    static const std::vector<PrizeTicket> list = ReadTickets(ticketText(), uint32_t(1) << 9).tickets;
    return list;
}

// The yardstick of the machine in this run: enumerating every ticket once.
void BM_BuildCombinations(benchmark::State& state) {
    CandidateFlags all{};
    all.fill(1);
    for (auto _ : state) {
        TCodeList list;
        BuildCombinations(list, all);
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_BuildCombinations)->Unit(benchmark::kMillisecond);

void BM_ReadTickets100k(benchmark::State& state) {
    const QString& text = ticketText();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadTickets(text).tickets.data());
}
BENCHMARK(BM_ReadTickets100k)->Unit(benchmark::kMillisecond);

void BM_CheckOneDraw100k(benchmark::State& state) {
    const PrizeDraw draw = DrawOf(sample().back());
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckTickets(tickets(), draw).summary.bets);
}
BENCHMARK(BM_CheckOneDraw100k)->Unit(benchmark::kMillisecond);

void BM_CheckHistory100k(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckHistory(tickets(), sample()).results.data());
}
BENCHMARK(BM_CheckHistory100k)->Unit(benchmark::kMillisecond);

// The biggest compound ticket: 38,760 six-red subsets times 16 blues, counted without expanding.
void BM_Compound20Reds16Blues(benchmark::State& state) {
    const TicketList list = ReadTickets(u"01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20+01 02 "
                                        u"03 04 05 06 07 08 09 10 11 12 13 14 15 16");
    const PrizeDraw draw = DrawOf(sample().back());
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckTicket(list.tickets.front(), draw).tiers);
}
BENCHMARK(BM_Compound20Reds16Blues)->Unit(benchmark::kNanosecond);

class TargetReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // CPU time, fastest run: the machine is shared with other work.
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.iterations == 0) continue;
            const double ms = r.GetAdjustedCPUTime() * 1e3 / benchmark::GetTimeUnitMultiplier(r.time_unit);
            const std::string name = r.run_name.function_name;
            if (!m_ms.count(name) || ms < m_ms[name]) m_ms[name] = ms;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const double base = m_ms["BM_BuildCombinations"];
        const double one = m_ms["BM_CheckOneDraw100k"];
        const double all = m_ms["BM_CheckHistory100k"];
        if (base <= 0) return;
        std::printf("100,000 tickets, one draw: %.2f ms (target < 30), %.3f x BuildCombinations\n", one,
                    one / base);
        std::printf("100,000 tickets x %zu draws: %.0f ms (target < 1500), %.2f x BuildCombinations\n",
                    sample().size(), all, all / base);
        std::printf("history check / one-draw check = %.0f (draws: %zu)\n", one > 0 ? all / one : 0.0,
                    sample().size());
    }

  private:
    std::map<std::string, double> m_ms;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
