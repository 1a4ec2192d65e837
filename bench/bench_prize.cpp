#include "engine/history/Parser.h"
#include "engine/prize/DrawFigures.h"
#include "engine/prize/PrizeCheck.h"
#include "engine/prize/TicketReader.h"
#include "engine/shrink/Combinations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
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

// 100,000 single tickets spread over all 1,107,568 as a shrink result would hold them.
const QString& ticketText() {
    static const QString text = [] {
        CandidateFlags all{};
        all.fill(1);
        TCodeList every;
        BuildCombinations(every, all, Game::ssq());
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

// The draws of the first rule version alone: one table, the work the history check did before the
// 福运奖 gave the two-colour ball a second version.
const TCodeArr& oneTableSample() {
    static const TCodeArr history = [] {
        TCodeArr cut;
        for (const TDrawRec& rec : sample())
            if (rec.code() < PrizeVersions(Game::ssq()).back().firstIssue) cut.push_back(rec);
        return cut;
    }();
    return history;
}

// The game's published figures beside its sample.
const FiguresTable& figuresOf(const Game& game, const TCodeArr& history) {
    static std::map<const Game*, FiguresTable> tables;
    auto it = tables.find(&game);
    if (it == tables.end()) {
        const QString path = QFileInfo(QStringLiteral(KELVORA_SAMPLE))
                                 .dir()
                                 .filePath(game.keyText() + QStringLiteral("-figures.txt"));
        const FiguresLoad load = LoadFigures(path, game, &history);
        if (load.status != FiguresLoad::Ok) qFatal("no figures: %s", qPrintable(load.message));
        it = tables.emplace(&game, load.table).first;
    }
    return it->second;
}

const TCodeArr& dltSample() {
    static const TCodeArr history = [] {
        QFile f(QStringLiteral(KELVORA_DLT_SAMPLE));
        f.open(QIODevice::ReadOnly);
        return ParseHistory(f.readAll(), Game::dlt()).history;
    }();
    return history;
}

// 100,000 super-lotto single tickets spread over all front tickets, each with its own back pair.
const std::vector<PrizeTicket>& dltTickets() {
    static const std::vector<PrizeTicket> list = [] {
        const Game& g = Game::dlt();
        std::vector<std::array<int, 5>> fronts;
        for (int a = 1; a <= g.frontPool; ++a)
            for (int b = a + 1; b <= g.frontPool; ++b)
                for (int c = b + 1; c <= g.frontPool; ++c)
                    for (int d = c + 1; d <= g.frontPool; ++d)
                        for (int e = d + 1; e <= g.frontPool; ++e)
                            fronts.push_back({a, b, c, d, e});
        QString s;
        for (size_t k = 0; k < 100000; ++k) {
            for (int n : fronts[k * 3 % fronts.size()])
                s += QStringLiteral("%1 ").arg(n, 2, 10, QLatin1Char('0'));
            const int b1 = 1 + int(k % 11);
            const int b2 = b1 + 1 + int(k / 11 % size_t(g.backPool - b1));
            s += QStringLiteral("+%1 %2\n").arg(b1, 2, 10, QLatin1Char('0')).arg(b2, 2, 10, QLatin1Char('0'));
        }
        return ReadTickets(s, 0, g).tickets;
    }();
    return list;
}

const std::vector<PrizeTicket>& tickets() {
    static const std::vector<PrizeTicket> list =
        ReadTickets(ticketText(), uint32_t(1) << 9, Game::ssq()).tickets;
    return list;
}

// The yardstick of the machine in this run: enumerating every ticket once.
void BM_BuildCombinations(benchmark::State& state) {
    CandidateFlags all{};
    all.fill(1);
    for (auto _ : state) {
        TCodeList list;
        BuildCombinations(list, all, Game::ssq());
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_BuildCombinations)->Unit(benchmark::kMillisecond);

void BM_ReadTickets100k(benchmark::State& state) {
    const QString& text = ticketText();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadTickets(text, 0, Game::ssq()).tickets.data());
}
BENCHMARK(BM_ReadTickets100k)->Unit(benchmark::kMillisecond);

void BM_CheckOneDraw100k(benchmark::State& state) {
    const PrizeDraw draw = DrawOf(sample().back(), Game::ssq());
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckTickets(tickets(), draw, Game::ssq()).summary.bets);
}
BENCHMARK(BM_CheckOneDraw100k)->Unit(benchmark::kMillisecond);

void BM_CheckHistory100k(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckHistory(tickets(), sample(), Game::ssq(), false, nullptr).results.data());
}
BENCHMARK(BM_CheckHistory100k)->Unit(benchmark::kMillisecond);

void BM_CheckHistory100kOneTable(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckHistory(tickets(), oneTableSample(), Game::ssq()).results.data());
}
BENCHMARK(BM_CheckHistory100kOneTable)->Unit(benchmark::kMillisecond);

// With the figures: each draw's table chosen with them and every ticket's prizes as paid.
void BM_CheckHistory100kFigures(benchmark::State& state) {
    const FiguresTable& figures = figuresOf(Game::ssq(), sample());
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckHistory(tickets(), sample(), Game::ssq(), false, &figures).results.data());
}
BENCHMARK(BM_CheckHistory100kFigures)->Unit(benchmark::kMillisecond);

void BM_DltCheckOneDraw100k(benchmark::State& state) {
    const PrizeDraw draw = DrawOf(dltSample().back(), Game::dlt());
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckTickets(dltTickets(), draw, Game::dlt(), true).summary.bets);
}
BENCHMARK(BM_DltCheckOneDraw100k)->Unit(benchmark::kMillisecond);

// 1,000 super-lotto tickets against the whole history, each draw with its rule version.
void BM_DltCheckHistory1k(benchmark::State& state) {
    const std::vector<PrizeTicket> some(dltTickets().begin(), dltTickets().begin() + 1000);
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckHistory(some, dltSample(), Game::dlt()).results.data());
}
BENCHMARK(BM_DltCheckHistory1k)->Unit(benchmark::kMillisecond);

void BM_DltCheckHistory1kFigures(benchmark::State& state) {
    const std::vector<PrizeTicket> some(dltTickets().begin(), dltTickets().begin() + 1000);
    const FiguresTable& figures = figuresOf(Game::dlt(), dltSample());
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckHistory(some, dltSample(), Game::dlt(), false, &figures).results.data());
}
BENCHMARK(BM_DltCheckHistory1kFigures)->Unit(benchmark::kMillisecond);

// The super lotto's biggest compound: 20 fronts and all 12 backs, 1,023,264 bets counted at once.
void BM_DltCompound20Fronts12Backs(benchmark::State& state) {
    const TicketList list = ReadTickets(u"01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20+01 02 "
                                        u"03 04 05 06 07 08 09 10 11 12",
                                        0, Game::dlt());
    const PrizeDraw draw = DrawOf(dltSample().back(), Game::dlt());
    for (auto _ : state)
        benchmark::DoNotOptimize(
            CheckTicket(list.tickets.front(), draw, PrizeRulesFor(Game::dlt(), 0)).tiers);
}
BENCHMARK(BM_DltCompound20Fronts12Backs)->Unit(benchmark::kNanosecond);

// The biggest compound ticket: 38,760 six-red subsets times 16 blues, counted without expanding.
void BM_Compound20Reds16Blues(benchmark::State& state) {
    const TicketList list = ReadTickets(u"01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20+01 02 "
                                        u"03 04 05 06 07 08 09 10 11 12 13 14 15 16",
                                        0, Game::ssq());
    const PrizeDraw draw = DrawOf(sample().back(), Game::ssq());
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
        std::printf("100,000 super-lotto tickets, one draw: %.2f ms (target < 30)\n",
                    m_ms["BM_DltCheckOneDraw100k"]);
        // A draw of the one-table history is the yardstick of the check before the second version.
        const double perDraw = m_ms["BM_CheckHistory100kOneTable"] / double(oneTableSample().size());
        if (perDraw > 0) {
            const double draws = double(sample().size());
            std::printf("history check per draw against one table: %.2f x, with figures: %.2f x (target < 1.2)\n",
                        all / draws / perDraw, m_ms["BM_CheckHistory100kFigures"] / draws / perDraw);
        }
        if (m_ms["BM_DltCheckHistory1k"] > 0)
            std::printf("super-lotto history with figures / without: %.2f x (target < 1.2)\n",
                        m_ms["BM_DltCheckHistory1kFigures"] / m_ms["BM_DltCheckHistory1k"]);
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
