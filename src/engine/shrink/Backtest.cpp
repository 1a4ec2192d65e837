#include "engine/shrink/Backtest.h"

#include "engine/charts/TrendGrid.h"
#include "engine/core/KelvoraError.h"
#include "engine/metrics/Code.h"
#include "engine/shrink/Combinations.h"
#include "engine/shrink/ShrinkRun.h"

#include <QJsonArray>
#include <algorithm>
#include <array>
#include <mutex>
#include <bit>
#include <cmath>

QString BacktestTooManyDrawsText() {
    return QStringLiteral("设置的验证期数超过总期数!!");
}

ChanceVerdict CompareWithChance(double observed, double expected, double standardError) {
    if (observed > expected + ChanceMargin * standardError) return ChanceVerdict::Better;
    if (observed < expected - ChanceMargin * standardError) return ChanceVerdict::Worse;
    return ChanceVerdict::Within;
}

QString ChanceVerdictText(ChanceVerdict v) {
    switch (v) {
    case ChanceVerdict::Better:
        return QStringLiteral("好于随机");
    case ChanceVerdict::Worse:
        return QStringLiteral("差于随机");
    case ChanceVerdict::Within:
        break;
    }
    return QStringLiteral("差异在随机波动之内");
}

namespace {

// What the conditions measure in a ticket that no input changes, one word a ticket, with the
// ticket's numbers (bit n for red n) beside it; taken once from the shared measures, so that each
// input only adds the counts in its own number sets and asks the shared rules.
struct FixedMeasures {
    std::vector<uint64_t> packed;
    std::vector<uint64_t> numbers;
};

// Field offsets in a packed word, each field wide enough for its largest value.
enum : int {
    SumAt = 0, // 8 bits
    OddAt = 8, // 3 bits each from here
    LinksAt = 11,
    BigAt = 14,
    Zone0At = 17,
    Zone1At = 20,
    Mod30At = 23,
    Mod31At = 26,
    AcAt = 29,  // 4 bits
    MaxAt = 33, // 6 bits each
    MinAt = 39,
    SpanAt = 45,
};

int fieldAt(uint64_t packed, int at, int bits) {
    return int((packed >> at) & ((uint64_t(1) << bits) - 1));
}

FixedMeasures measureAll(const Game& game) {
    const int picks = game.frontPicks;
    ShrinkInput none = ShrinkInput::resetFor(game);
    std::fill_n(none.candidates.begin(), game.frontPool, true);
    const ShrinkConditions plain(none, game);
    FixedMeasures f;
    f.packed.reserve(size_t(game.frontTickets()));
    f.numbers.reserve(size_t(game.frontTickets()));
    TCodeRec t{};
    int red[GameLimits::kMaxFrontPicks] = {};
    // Every front ticket in list order, as an odometer.
    for (int k = 0; k < picks; ++k)
        red[k] = k + 1;
    for (;;) {
        uint64_t numbers = 0;
        for (int k = 0; k < picks; ++k) {
            t.Red[k] = uint8_t(red[k]);
            numbers |= uint64_t(1) << red[k];
        }
        const TicketMeasures m = plain.measure(t, nullptr);
        f.packed.push_back(
            uint64_t(m.sum) << SumAt | uint64_t(m.odd) << OddAt | uint64_t(m.links) << LinksAt |
            uint64_t(m.big) << BigAt | uint64_t(m.zones[0]) << Zone0At | uint64_t(m.zones[1]) << Zone1At |
            uint64_t(m.mod3[0]) << Mod30At | uint64_t(m.mod3[1]) << Mod31At | uint64_t(m.ac) << AcAt |
            uint64_t(m.maxCode) << MaxAt | uint64_t(m.minCode) << MinAt | uint64_t(m.span) << SpanAt);
        f.numbers.push_back(numbers);
        int k = picks - 1;
        while (k >= 0 && red[k] == game.frontPool - picks + 1 + k)
            --k;
        if (k < 0) break;
        ++red[k];
        for (int j = k + 1; j < picks; ++j)
            red[j] = red[j - 1] + 1;
    }
    return f;
}

// Built on first use, once per game; each game has its own slot.
const FixedMeasures& fixedMeasures(const Game& game) {
    static std::array<std::once_flag, kGameCount> built;
    static std::array<FixedMeasures, kGameCount> measures;
    std::call_once(built[game.index()], [&] { measures[game.index()] = measureAll(game); });
    return measures[game.index()];
}

} // namespace

std::array<double, ConditionCount> ConditionTicketShares(const ShrinkConditions& conditions,
                                                         const TCodeRec* previous) {
    const Game& game = conditions.game();
    const FixedMeasures& fixed = fixedMeasures(game);
    const ConditionMask active = conditions.active();
    uint64_t latest = 0;
    if (previous)
        for (int k = 0; k < game.frontPicks; ++k)
            latest |= uint64_t(1) << previous->Red[k];
    const uint64_t others = ~conditions.candidates();
    const uint64_t excluded = conditions.excludedNumbers();
    const uint64_t required = conditions.requiredNumbers();
    const uint64_t hitRows[4] = {conditions.hitRow(0), conditions.hitRow(1), conditions.hitRow(2),
                                 conditions.hitRow(3)};
    std::array<int, ConditionCount> failing{};
    TicketMeasures m;
    for (size_t i = 0; i < fixed.packed.size(); ++i) {
        const uint64_t p = fixed.packed[i];
        const uint64_t numbers = fixed.numbers[i];
        m.sum = fieldAt(p, SumAt, 8);
        m.odd = fieldAt(p, OddAt, 3);
        m.links = fieldAt(p, LinksAt, 3);
        m.big = fieldAt(p, BigAt, 3);
        m.zones[0] = fieldAt(p, Zone0At, 3);
        m.zones[1] = fieldAt(p, Zone1At, 3);
        m.mod3[0] = fieldAt(p, Mod30At, 3);
        m.mod3[1] = fieldAt(p, Mod31At, 3);
        m.ac = fieldAt(p, AcAt, 4);
        m.maxCode = fieldAt(p, MaxAt, 6);
        m.minCode = fieldAt(p, MinAt, 6);
        m.span = fieldAt(p, SpanAt, 6);
        m.common = BitCount64(numbers & latest);
        m.excluded = BitCount64(numbers & excluded);
        m.required = BitCount64(numbers & required);
        for (int r = 0; r < 4; ++r)
            m.hits[r] = BitCount64(numbers & hitRows[r]);
        ConditionMask failed = conditions.failedMeasures(m, previous != nullptr);
        if (numbers & others) failed |= ConditionMask(1) << CandidatesCondition;
        for (failed &= active; failed; failed &= failed - 1)
            ++failing[size_t(std::countr_zero(failed))];
    }
    std::array<double, ConditionCount> shares{};
    for (int c = 0; c < ConditionCount; ++c)
        shares[size_t(c)] = 1.0 - double(failing[size_t(c)]) / game.frontTickets();
    return shares;
}

QString ConditionChanceText(const ShrinkBacktest& b, int condition) {
    const double share = b.ticketShare[size_t(condition)];
    const int n = b.draws();
    if (!((b.active >> condition) & 1) || share >= 1.0 || n == 0) return QString();
    const double rate = double(b.passed[size_t(condition)]) / n;
    const ChanceVerdict v = CompareWithChance(rate, share, std::sqrt(share * (1 - share) / n));
    // A condition within chance only removes tickets at random: say so plainly.
    return v == ChanceVerdict::Within ? QStringLiteral("不比随机好") : ChanceVerdictText(v);
}

ShrinkBacktest RunShrinkBacktest(const ShrinkInput& given, const TCodeArr& history, int draws,
                                 const Game& game) {
    ShrinkInput input = given;
    if (input.candidateCount(game) == 0)
        std::fill_n(input.candidates.begin(), game.frontPool, true);
    else if (input.tooFewCandidates(game))
        throw KelvoraError(TooFewCandidatesText());
    const ShrinkConditions conditions(input, game);
    if (draws > int(history.size())) throw KelvoraError(BacktestTooManyDrawsText());

    ShrinkBacktest b;
    b.game = &game;
    b.active = conditions.active();
    b.rows.reserve(size_t(std::max(draws, 0)));
    for (size_t i = history.size() - size_t(std::max(draws, 0)); i < history.size(); ++i) {
        const TCodeRec* previous = i > 0 ? &history[i - 1].Ticket : nullptr;
        const ConditionMask failed = conditions.failed(history[i].Ticket, previous) & b.active;
        b.rows.push_back({history[i].code(), history[i].Ticket, failed});
        for (int c = 0; c < ConditionCount; ++c)
            b.passed[size_t(c)] += !((failed >> c) & 1);
        if (!failed) ++b.kept;
        if (!(failed & 1)) ++b.failCounts[size_t(ConditionCountIn(failed))];
    }
    b.tolerance = input.tolerance;
    for (int j = 0; j <= std::clamp(b.tolerance, 0, ConditionCount - 1); ++j)
        b.toleranceKept += b.failCounts[size_t(j)];
    b.ticketShare = ConditionTicketShares(conditions, history.empty() ? nullptr : &history.back().Ticket);
    // The fronts of each draw among k candidates of the pool follow the hypergeometric law.
    const int k = given.candidateCount(game);
    if (k > 0 && k < game.frontPool && !b.rows.empty()) {
        const double pool = game.frontPool;
        const double picks = game.frontPicks;
        const double share = k / pool;
        b.candidates = k;
        for (const ShrinkBacktestRow& r : b.rows)
            for (int i = 0; i < game.frontPicks; ++i)
                b.candidateHits += input.candidates[size_t(r.ticket.Red[i] - 1)];
        b.candidateHitsExpected = b.draws() * picks * share;
        b.candidateHitsSd =
            std::sqrt(b.draws() * picks * share * (1 - share) * (pool - picks) / (pool - 1));
    }
    return b;
}

bool ShrinkBacktest::inSample() const {
    return candidateHitsSd > 0 && candidateHits - candidateHitsExpected > ChanceMargin * candidateHitsSd;
}

QString ShrinkBacktestInSampleText(const ShrinkBacktest& b) {
    if (!b.inSample()) return {};
    return QStringLiteral("注意：这%1期开奖号码落在%2个候选号码中的有%3个，随机选的候选号码平均只有%4个。"
                          "候选号码多半是参照这些开奖选出的（样本内验证），验证结果会偏好；"
                          "请用选出候选号码之后的开奖来验证")
        .arg(b.draws())
        .arg(b.candidates)
        .arg(b.candidateHits)
        .arg(b.candidateHitsExpected, 0, 'f', 1);
}

QString ToleranceDistributionText(const ShrinkBacktest& b) {
    int last = 0;
    for (int j = 0; j < ConditionCount; ++j)
        if (b.failCounts[size_t(j)]) last = j;
    QStringList parts;
    int kept = 0;
    for (int j = 0; j <= last; ++j) {
        kept += b.failCounts[size_t(j)];
        parts << QStringLiteral("容错%1: %2期").arg(j).arg(kept);
    }
    return parts.join(QStringLiteral(", "));
}

QString ShrinkBacktestKeptText(const ShrinkBacktest& b) {
    const int n = b.draws();
    return QStringLiteral("按当前条件（容错%1）保留：%2期（%3%）")
        .arg(b.tolerance)
        .arg(b.toleranceKept)
        .arg(n ? 100.0 * b.toleranceKept / n : 0.0, 0, 'f', 1);
}

QString ShrinkBacktestChanceNote(const Game& game) {
    return QStringLiteral(
               "号码通过率：全部%1注号码中单独满足该条件的比例。开奖号码的通过率高出它三倍标准误以上为"
               "“好于随机”；差异在随机波动之内为“不比随机好”，这样的条件只是随机地减少号码。")
        .arg(game.frontTickets());
}

QStringList ShrinkBacktestChanceSummary(const ShrinkBacktest& b) {
    QStringList within, worse;
    for (int c = 0; c < ConditionCount; ++c) {
        const QString verdict = ConditionChanceText(b, c);
        if (verdict == QStringLiteral("不比随机好")) within << ConditionName(c);
        if (verdict == QStringLiteral("差于随机")) worse << ConditionName(c);
    }
    QStringList lines;
    if (b.inSample()) lines << ShrinkBacktestInSampleText(b);
    if (!within.isEmpty())
        lines << QStringLiteral("不比随机好的条件（只是随机地减少号码）：") +
                     within.join(QStringLiteral("、"));
    if (!worse.isEmpty())
        lines << QStringLiteral("差于随机的条件（淘汰的开奖号码比随机还多）：") +
                     worse.join(QStringLiteral("、"));
    return lines;
}

QJsonObject ShrinkBacktestJson(const ShrinkBacktest& b) {
    const Game& game = *b.game;
    QJsonObject o;
    o.insert(QStringLiteral("game"), game.keyText());
    o.insert(QStringLiteral("draws"), b.draws());
    o.insert(QStringLiteral("first"), b.rows.empty() ? QJsonValue() : QString::number(b.rows.front().issue));
    o.insert(QStringLiteral("last"), b.rows.empty() ? QJsonValue() : QString::number(b.rows.back().issue));
    QJsonArray conditions, failCounts, rows;
    for (int c = 0; c < ConditionCount; ++c) {
        QJsonObject e;
        e.insert(QStringLiteral("name"), ConditionName(c));
        e.insert(QStringLiteral("active"), bool((b.active >> c) & 1));
        e.insert(QStringLiteral("passed"), b.passed[size_t(c)]);
        e.insert(QStringLiteral("ticketShare"), b.ticketShare[size_t(c)]);
        conditions.append(e);
        failCounts.append(b.failCounts[size_t(c)]);
    }
    for (const ShrinkBacktestRow& r : b.rows) {
        QJsonObject e;
        e.insert(QStringLiteral("issue"), QString::number(r.issue));
        QJsonArray reds, failed;
        for (int k = 0; k < game.frontPicks; ++k)
            reds.append(int(r.ticket.Red[k]));
        for (int c = 0; c < ConditionCount; ++c)
            if ((r.failed >> c) & 1) failed.append(ConditionName(c));
        e.insert(game.jsonKey(game.jsonFronts), reds);
        e.insert(QStringLiteral("failed"), failed);
        rows.append(e);
    }
    o.insert(QStringLiteral("conditions"), conditions);
    o.insert(QStringLiteral("kept"), b.kept);
    o.insert(QStringLiteral("failCounts"), failCounts);
    o.insert(QStringLiteral("rows"), rows);
    if (b.tolerance > 0) {
        o.insert(QStringLiteral("tolerance"), b.tolerance);
        o.insert(QStringLiteral("toleranceKept"), b.toleranceKept);
    }
    return o;
}

QStringList ShrinkBacktestText(const ShrinkBacktest& b) {
    QStringList lines;
    const int n = b.draws();
    lines << QStringLiteral("历史验证：最近%1期（%2 至 %3）")
                 .arg(n)
                 .arg(b.rows.empty() ? 0 : b.rows.front().issue)
                 .arg(b.rows.empty() ? 0 : b.rows.back().issue);
    lines << ShrinkBacktestKeptText(b);
    lines << QStringLiteral("全部条件同时满足：%1期（%2%）")
                 .arg(b.kept)
                 .arg(n ? 100.0 * b.kept / n : 0.0, 0, 'f', 1);
    lines << QStringLiteral("各容错保留的期数：") + ToleranceDistributionText(b);
    lines << QString();
    lines << QStringLiteral("条件            启用  通过期数  通过率  号码通过率  与随机相比");
    for (int c = 0; c < ConditionCount; ++c) {
        const bool on = (b.active >> c) & 1;
        const int p = b.passed[size_t(c)];
        lines << QStringLiteral("%1%2  %3  %4  %5  %6")
                     .arg(ConditionName(c).leftJustified(12, QChar(0x3000)))
                     .arg(on ? QStringLiteral("是") : QStringLiteral("否"))
                     .arg(p, 8)
                     .arg(on && n ? QStringLiteral("%1%").arg(100.0 * p / n, 6, 'f', 1)
                                  : QStringLiteral("     -"))
                     .arg(on ? QStringLiteral("%1%").arg(100.0 * b.ticketShare[size_t(c)], 9, 'f', 2)
                             : QStringLiteral("         -"))
                     .arg(ConditionChanceText(b, c));
    }
    lines << ShrinkBacktestChanceSummary(b);
    lines << ShrinkBacktestChanceNote(*b.game);
    lines << QString();
    for (const ShrinkBacktestRow& r : b.rows) {
        QStringList failed;
        for (int c = 0; c < ConditionCount; ++c)
            if ((r.failed >> c) & 1) failed << ConditionName(c);
        lines << QStringLiteral("%1 %2  %3")
                     .arg(r.issue)
                     .arg(CodeToText(r.ticket, *b.game))
                     .arg(failed.isEmpty() ? QStringLiteral("全部通过")
                                           : QStringLiteral("未通过：") + failed.join(QStringLiteral("、")));
    }
    return lines;
}

H2NetModel ShrinkBacktestGrid(const ShrinkBacktest& b, const TCodeArr& history, const Game& game) {
    std::vector<int> shown;
    for (int c = 0; c < ConditionCount; ++c)
        if ((b.active >> c) & 1) shown.push_back(c);
    const int picks = game.frontPicks;
    const int backCol = picks + 1;
    QList<int> widths{66};
    for (int k = 0; k < picks; ++k)
        widths.append(28);
    // The back column is never narrower than the 40 pixels one blue always had here.
    widths.append(std::max(40, BackColumnWidth(game)));
    for (int c : shown)
        widths.append(14 * int(ConditionName(c).size()) + 14);
    const int n = std::min(b.draws(), int(history.size()));
    H2NetModel m;
    BeginTrendGrid(m, 11, n, widths);
    SetHeaderRun(m, 1, picks, 1);
    const int last = backCol + int(shown.size());
    if (shown.empty())
        SetTrendCaptions(
            m, {{"期号", 0, 0, 0, 1}, {"红球号码", 1, 0, picks, 0}, {"蓝球", backCol, 0, backCol, 1}}, game);
    else
        SetTrendCaptions(m,
                         {{"期号", 0, 0, 0, 1},
                          {"红球号码", 1, 0, picks, 0},
                          {"蓝球", backCol, 0, backCol, 1},
                          {"条件", backCol + 1, 0, last, 0}},
                         game);
    std::vector<int> totals(size_t(last + 1), 0);
    for (int i = 0; i < n; ++i) {
        const size_t d = history.size() - 1 - size_t(i);
        const ShrinkBacktestRow& r = b.rows[b.rows.size() - 1 - size_t(i)];
        const int row = i + 2;
        WriteDrawHead(m, row, history[d], true, backCol, game);
        for (size_t k = 0; k < shown.size(); ++k) {
            if (!((r.failed >> shown[k]) & 1)) continue;
            const int col = backCol + 1 + int(k);
            m.SetValue(row, col, QStringLiteral("×"));
            m.SetCellColor(row, col, BacktestFailedColor);
            ++totals[size_t(col)];
        }
    }
    for (size_t k = 0; k < shown.size(); ++k)
        m.SetValue(1, backCol + 1 + int(k), ConditionName(shown[k]));
    WriteTotalsRow(m, n, totals.data(), backCol + 1, last);
    return m;
}
