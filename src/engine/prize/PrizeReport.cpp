#include "engine/prize/PrizeReport.h"

#include "engine/io/CsvWriter.h"
#include "engine/io/JsonWriter.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace {

QString issueText(int issue) {
    return QString::number(issue);
}

void issueArray(JsonWriter& w, const std::vector<int>& issues) {
    w.beginArray();
    for (int issue : issues)
        w.value(issueText(issue));
    w.endArray();
}

// The words of "all the draw's fronts were in one bet".
QString allFrontsWord(const Game& game) {
    if (game.specialPicks) return game.allFronts();
    return game.backPicks == 1 ? QStringLiteral("六个红球")
                               : QStringLiteral("%1个%2号码").arg(game.frontPicks).arg(game.front());
}

// The tiers a history result of a game without per-version results shows.
PrizeRules resultTiers(const HistoryResult& result) {
    PrizeRules rules = HistoryTierColumnRules(*result.game);
    rules.tierCount = std::min(rules.tierCount, result.tierCount);
    return rules;
}

// Whether the draw's special number is among the ticket's numbers, or its blue or backs hit, in words.
QString sideHitText(const Game& game, const TicketPrize& p) {
    if (game.specialPicks)
        return game.special() + (p.specialHit ? QStringLiteral("中") : QStringLiteral("未中"));
    return game.backPicks == 1
               ? QStringLiteral("蓝球%1").arg(p.blueHit ? QStringLiteral("中") : QStringLiteral("未中"))
               : QStringLiteral("%1中%2个").arg(game.back()).arg(p.backHits);
}

QString sixRedText(const std::vector<int>& issues) {
    if (issues.empty()) return QStringLiteral("从未开出");
    QStringList list;
    for (int issue : issues)
        list << issueText(issue);
    return list.join(QLatin1Char(' '));
}

} // namespace

QString PrizeJson(const std::vector<PrizeTicket>& tickets, const PrizeResult& result) {
    const PrizeDraw& d = result.draw;
    const PrizeRules& rules = *result.rules;
    const Game& game = *rules.game;
    const bool pairs = game.backPicks > 1;
    const bool special = game.specialPicks > 0;
    const int tierCount = rules.tierCount;
    // The game's own keys; a single back is one number ("blue", "blueHit"), not a list.
    const QString fronts = game.jsonKey(game.jsonFronts);
    const QString backs = game.jsonKey(game.jsonBacks);
    const QString frontHits = game.jsonKey(game.jsonFrontHits);
    QString backHits = game.jsonKey(game.jsonBackHits);
    QString oneBack = backs;
    if (!pairs) {
        backHits.chop(1);
        oneBack.chop(1);
    }
    JsonWriter w(100 + qsizetype(tickets.size()) * 130);
    w.beginObject().member(u"game", game.keyText());
    if (pairs) {
        w.member(u"version", rules.version).key(u"tierNames").beginArray();
        for (int t = 1; t <= tierCount; ++t)
            w.value(rules.tierName(t));
        w.endArray().member(u"extra", result.extra);
    }
    w.key(u"draw").beginObject().key(u"issue");
    if (d.issue)
        w.value(issueText(d.issue));
    else
        w.null();
    w.key(fronts).maskNumbers(d.reds);
    if (special)
        w.member(game.jsonKey(game.jsonSpecial), d.special);
    else if (pairs)
        w.key(backs).maskNumbers(d.backMask());
    else
        w.member(oneBack, d.blue ? d.blue : std::countr_zero(d.backMask()));
    w.endObject().key(u"tickets").beginArray();
    for (size_t k = 0; k < tickets.size(); ++k) {
        const PrizeTicket& t = tickets[k];
        const TicketPrize& p = result.results[k];
        w.beginObject().member(u"line", t.line);
        w.key(fronts).maskNumbers(t.reds);
        if (t.bankers) w.key(u"bankers").maskNumbers(t.bankers);
        if (!special) w.key(backs).maskNumbers(t.blues);
        if (t.backBankers) w.key(u"backBankers").maskNumbers(t.backBankers);
        w.member(u"bets", p.bets);
        w.member(frontHits, p.redHits);
        if (special)
            w.member(game.jsonKey(game.jsonSpecialHit), p.specialHit);
        else if (pairs)
            w.member(backHits, p.backHits);
        else
            w.member(backHits, p.blueHit);
        w.key(u"tiers").numbers(p.tiers, tierCount);
        w.member(u"prize", p.prize);
        if (result.withFigures) WriteYuan(w.key(u"paid"), p.paid);
        w.endObject();
    }
    const PrizeSummary& sum = result.summary;
    w.endArray().key(u"summary").beginObject();
    w.member(u"lines", sum.lines).member(u"bets", sum.bets).member(u"cost", sum.cost);
    w.key(u"tiers").numbers(sum.tiers, tierCount);
    w.member(u"fixedPrize", sum.fixedPrize);
    if (result.withFigures) WriteYuan(w.key(u"paid"), sum.paid);
    w.endObject();
    return w.endObject().text();
}

QString HistoryJson(const std::vector<PrizeTicket>& tickets, const HistoryResult& result) {
    const Game& game = *result.game;
    JsonWriter w(60 + qsizetype(tickets.size()) * 110);
    w.beginObject().member(u"game", game.keyText()).member(u"draws", result.draws);
    if (game.backPicks > 1) {
        w.member(u"extra", result.extra).key(u"tickets").beginArray();
        for (size_t k = 0; k < tickets.size(); ++k) {
            const HistoryPrize& p = result.results[k];
            w.beginObject().member(u"line", tickets[k].line).key(u"byVersion").beginArray();
            for (const VersionTiers& vt : p.byVersion) {
                w.beginObject().member(u"version", vt.version).member(u"draws", vt.draws);
                w.key(u"tiers").numbers(vt.tiers, PrizeVersions(game)[size_t(vt.version - 1)].tierCount);
                w.endObject();
            }
            w.endArray().member(u"fixedPrize", p.fixedPrize);
            if (result.withFigures) WriteYuan(w.key(u"paid"), p.paid);
            w.member(u"cost", p.cost).key(u"best");
            if (p.best)
                w.beginObject()
                    .member(u"version", p.bestVersion)
                    .member(u"tier", p.best)
                    .member(u"issue", issueText(p.bestIssue))
                    .endObject();
            else
                w.null();
            w.key(u"fiveFrontIssues");
            issueArray(w, p.sixRedIssues);
            w.endObject();
        }
        return w.endArray().endObject().text();
    }
    // All the draw's fronts in one bet: "sixRedIssues", and "sevenRedIssues" for seven of them.
    const QString drawnKey = game.specialPicks ? QStringLiteral("sevenRedIssues") : QStringLiteral("sixRedIssues");
    w.key(u"tickets").beginArray();
    for (size_t k = 0; k < tickets.size(); ++k) {
        const HistoryPrize& p = result.results[k];
        w.beginObject().member(u"line", tickets[k].line);
        w.key(u"tiers").numbers(p.tiers, result.tierCount);
        w.member(u"fixedPrize", p.fixedPrize);
        if (result.withFigures) WriteYuan(w.key(u"paid"), p.paid);
        w.member(u"cost", p.cost).member(u"best", p.best).key(u"bestIssue");
        if (p.bestIssue)
            w.value(issueText(p.bestIssue));
        else
            w.null();
        w.key(drawnKey);
        issueArray(w, p.sixRedIssues);
        w.endObject();
    }
    return w.endArray().endObject().text();
}

QString TierListText(const TierCounts& tiers, int64_t bets, const PrizeRules& rules) {
    QStringList parts;
    for (int t = 0; t < rules.tierCount; ++t)
        if (tiers[size_t(t)])
            parts << (bets == 1 ? rules.tierName(t + 1)
                                : QStringLiteral("%1%2注").arg(rules.tierName(t + 1)).arg(tiers[size_t(t)]));
    return parts.isEmpty() ? rules.tierName(0) : parts.join(QLatin1Char(' '));
}

QString TierCountsText(const TierCounts& tiers, const QString& unit, const PrizeRules& rules) {
    QStringList parts;
    for (int t = 0; t < rules.tierCount; ++t)
        parts << rules.tierName(t + 1) + QString::number(tiers[size_t(t)]) + unit;
    return parts.join(QLatin1Char(' '));
}

QString FloatingTiersText(const PrizeRules& rules) {
    QStringList numerals;
    for (int t = 1; t <= rules.tierCount; ++t)
        if (rules.floating[t]) numerals << rules.tierName(t).left(1);
    return numerals.join(QStringLiteral("、")) + QStringLiteral("等奖");
}

QStringList PrizeVersionLines(const PrizeRules& rules, bool extra) {
    QStringList lines;
    // The version is named where the result names it: a game whose versions change what a match wins.
    if (extra || (PrizeVersions(*rules.game).size() > 1 && rules.game->backPicks > 1)) {
        const QString range = rules.lastIssue
                                  ? QStringLiteral("%1-%2期").arg(rules.firstIssue).arg(rules.lastIssue)
                                  : QStringLiteral("%1期起").arg(rules.firstIssue);
        lines << QStringLiteral("奖级规则：第%1版（%2）%3")
                     .arg(rules.version)
                     .arg(range, extra ? QStringLiteral("，追加投注") : QString());
    }
    if (!rules.noteText().isEmpty()) lines << rules.noteText();
    return lines;
}

JsonWriter& WriteYuan(JsonWriter& w, int64_t fen) {
    if (fen < 0) return w.null();
    return fen % 100 ? w.value(double(fen) / 100.0) : w.value(fen / 100);
}

QString PaidText(int64_t fen) {
    return fen < 0 ? QStringLiteral("未知") : YuanText(fen) + QStringLiteral("元");
}

QString HistoryPaidLine(const HistoryResult& result) {
    int64_t paid = 0;
    for (const HistoryPrize& p : result.results)
        paid = p.paid < 0 || paid < 0 ? -1 : paid + p.paid;
    return QStringLiteral("按各期实付奖金合计：%1").arg(PaidText(paid)) +
           (paid < 0 ? QStringLiteral("（有浮动奖级缺少当期公告数据）") : QString());
}

QString DrawCaption(const PrizeDraw& draw) {
    const QString numbers = DrawText(draw);
    return draw.issue ? QStringLiteral("第%1期 %2").arg(draw.issue).arg(numbers) : numbers;
}

QStringList PrizeSummaryLines(const PrizeSummary& s, const PrizeRules& rules) {
    return {QStringLiteral("共%1行，%2注，投入%3元").arg(s.lines).arg(s.bets).arg(s.cost),
            TierCountsText(s.tiers, QStringLiteral("注"), rules),
            QStringLiteral("固定奖金合计%1元（%2为浮动奖金，未计入）")
                .arg(s.fixedPrize)
                .arg(FloatingTiersText(rules))};
}

QStringList HistorySummaryLines(const std::vector<PrizeTicket>& tickets, const HistoryResult& result) {
    const Game& game = *result.game;
    const bool pairs = game.backPicks > 1;
    int64_t bets = 0, cost = 0, prize = 0, won = 0, drawn = 0;
    TierCounts tiers{};
    std::vector<TierCounts> byVersion(PrizeVersions(game).size());
    for (size_t k = 0; k < tickets.size(); ++k) {
        const HistoryPrize& p = result.results[k];
        bets += TicketBets(tickets[k], game);
        cost += p.cost;
        prize += p.fixedPrize;
        won += p.best ? 1 : 0;
        drawn += p.sixRedIssues.empty() ? 0 : 1;
        for (int t = 0; t < kMaxPrizeTiers; ++t)
            tiers[size_t(t)] += p.tiers[size_t(t)];
        for (const VersionTiers& vt : p.byVersion)
            for (int t = 0; t < kMaxPrizeTiers; ++t)
                byVersion[size_t(vt.version - 1)][size_t(t)] += vt.tiers[size_t(t)];
    }
    QStringList lines{QStringLiteral("历史核对%1期：共%2行，%3注，每期投入%4元，共投入%5元")
                          .arg(result.draws)
                          .arg(tickets.size())
                          .arg(bets)
                          .arg(bets * PriceOfBet(game, result.extra))
                          .arg(cost)};
    if (pairs) {
        for (size_t v = 0; v < byVersion.size(); ++v)
            if (!tickets.empty() && !result.results.front().byVersion.empty())
                for (const VersionTiers& vt : result.results.front().byVersion)
                    if (vt.version == int(v + 1))
                        lines << QStringLiteral("第%1版（%2期）：").arg(vt.version).arg(vt.draws) +
                                     TierCountsText(byVersion[v], QStringLiteral("次"),
                                                    PrizeVersions(game)[v]);
    } else {
        lines << TierCountsText(tiers, QStringLiteral("次"), resultTiers(result));
    }
    lines << QStringLiteral("固定奖金合计%1元；中过奖的%2行，%3曾开出的%4行")
                 .arg(prize)
                 .arg(won)
                 .arg(allFrontsWord(game))
                 .arg(drawn);
    if (result.withFigures) lines << HistoryPaidLine(result);
    const QString newestNote = PrizeRulesFor(game, 0).noteText();
    if (pairs && result.draws > 0 && !result.withFigures && !newestNote.isEmpty()) lines << newestNote;
    return lines;
}

QStringList PrizeReportLines(const std::vector<PrizeTicket>& tickets, const PrizeResult& result) {
    const PrizeRules& rules = *result.rules;
    const Game& game = *rules.game;
    QStringList lines;
    lines.reserve(qsizetype(tickets.size()) + 8);
    lines << QStringLiteral("开奖号码：") + DrawCaption(result.draw);
    lines << PrizeVersionLines(rules, result.extra) << QString();
    for (size_t k = 0; k < tickets.size(); ++k) {
        const PrizeTicket& t = tickets[k];
        const TicketPrize& p = result.results[k];
        const QString backText = sideHitText(game, p);
        lines << QStringLiteral("第%1行 %2：%3注，%4中%5个，%6，%7，奖金%8元")
                     .arg(t.line)
                     .arg(TicketText(t))
                     .arg(p.bets)
                     .arg(game.front())
                     .arg(p.redHits)
                     .arg(backText)
                     .arg(TierListText(p.tiers, p.bets, rules))
                     .arg(p.prize) +
                     (result.withFigures && p.best() ? QStringLiteral("，实付%1").arg(PaidText(p.paid)) : QString());
    }
    lines << QString() << PrizeSummaryLines(result.summary, rules);
    if (result.withFigures) lines << QStringLiteral("按本期实付奖金合计：%1").arg(PaidText(result.summary.paid));
    return lines;
}

QStringList HistoryReportLines(const std::vector<PrizeTicket>& tickets, const HistoryResult& result) {
    const Game& game = *result.game;
    const bool pairs = game.backPicks > 1;
    const PrizeRules shownTiers = resultTiers(result);
    QStringList lines;
    lines.reserve(qsizetype(tickets.size()) * 2 + 2);
    lines << QStringLiteral("历史核对：共%1期").arg(result.draws) << QString();
    for (size_t k = 0; k < tickets.size(); ++k) {
        const PrizeTicket& t = tickets[k];
        const HistoryPrize& p = result.results[k];
        const PrizeRules& bestRules = PrizeVersions(game)[size_t(std::max(p.bestVersion, 1) - 1)];
        QString best = QStringLiteral("从未中奖");
        if (p.best && pairs)
            best = QStringLiteral("最高%1（首次第%2期，第%3版规则）")
                       .arg(bestRules.tierName(p.best))
                       .arg(p.bestIssue)
                       .arg(p.bestVersion);
        else if (p.best)
            best = QStringLiteral("最高%1（首次第%2期）").arg(bestRules.tierName(p.best)).arg(p.bestIssue);
        lines << QStringLiteral("第%1行 %2：%3，固定奖金%4元，投入%5元，%6曾开出：%7")
                     .arg(t.line)
                     .arg(TicketText(t), best)
                     .arg(p.fixedPrize)
                     .arg(p.cost)
                     .arg(allFrontsWord(game), sixRedText(p.sixRedIssues)) +
                 (result.withFigures ? QStringLiteral("，实付%1").arg(PaidText(p.paid)) : QString());
        if (pairs)
            for (const VersionTiers& vt : p.byVersion)
                lines << QStringLiteral("    第%1版（%2期）：").arg(vt.version).arg(vt.draws) +
                             TierCountsText(vt.tiers, QStringLiteral("次"),
                                            PrizeVersions(game)[size_t(vt.version - 1)]);
        else
            lines << QStringLiteral("    ") + TierCountsText(p.tiers, QStringLiteral("次"), shownTiers);
    }
    lines << QString() << HistorySummaryLines(tickets, result);
    return lines;
}

const PrizeRules& HistoryTierColumnRules(const Game& game) {
    const std::vector<PrizeRules>& versions = PrizeVersions(game);
    return *std::max_element(versions.begin(), versions.end(), [](const PrizeRules& a, const PrizeRules& b) {
        return a.tierCount < b.tierCount;
    });
}

QStringList PrizeColumnTitles(const Game& game) {
    return {QStringLiteral("行号"),
            QStringLiteral("投注号码"),
            QStringLiteral("注数"),
            game.front() + QStringLiteral("命中"),
            game.side() + QStringLiteral("命中"),
            QStringLiteral("奖级"),
            QStringLiteral("奖金")};
}

QStringList HistoryColumnTitles(const Game& game, int tierCount) {
    const QString allFronts = game.allFronts() + QStringLiteral("曾开出");
    QStringList titles{QStringLiteral("行号"),     QStringLiteral("投注号码"), QStringLiteral("注数"),
                       QStringLiteral("最高奖级"), QStringLiteral("首次期号"), allFronts};
    titles << HistoryTierColumnRules(game).tierNames().mid(0, tierCount);
    titles << QStringLiteral("固定奖金") << QStringLiteral("投入");
    return titles;
}

namespace {

// Header and rows from the one list of column titles and a field maker that follows it, so that no
// row can have more or fewer fields than the header.
QStringList csvTable(const QStringList& titles, size_t rows,
                     const std::function<QStringList(size_t)>& fields) {
    QStringList lines;
    lines.reserve(qsizetype(rows) + 1);
    lines << CsvLine(titles);
    for (size_t k = 0; k < rows; ++k) {
        const QStringList row = fields(k);
        Q_ASSERT(row.size() == titles.size());
        lines << CsvLine(row);
    }
    return lines;
}

} // namespace

QStringList PrizeCsvLines(const std::vector<PrizeTicket>& tickets, const PrizeResult& result) {
    const PrizeRules& rules = *result.rules;
    const Game& game = *rules.game;
    return csvTable(PrizeColumnTitles(game), tickets.size(), [&](size_t k) {
        const PrizeTicket& t = tickets[k];
        const TicketPrize& p = result.results[k];
        const QString backs = game.backPicks > 1         ? QString::number(p.backHits)
                              : p.blueHit || p.specialHit ? QStringLiteral("是")
                                                          : QStringLiteral("否");
        return QStringList{QString::number(t.line),    TicketText(t), QString::number(p.bets),
                           QString::number(p.redHits), backs,         TierListText(p.tiers, p.bets, rules),
                           QString::number(p.prize)};
    });
}

QStringList HistoryCsvLines(const std::vector<PrizeTicket>& tickets, const HistoryResult& result) {
    const Game& game = *result.game;
    const int tierCount = result.tierCount;
    return csvTable(HistoryColumnTitles(game, tierCount), tickets.size(), [&](size_t k) {
        const PrizeTicket& t = tickets[k];
        const HistoryPrize& p = result.results[k];
        const QString best =
            p.best
                ? PrizeVersions(game)[size_t(std::max(p.bestVersion, 1) - 1)].tierName(p.best)
                : TierName(p.best);
        QStringList row{QString::number(t.line),
                        TicketText(t),
                        QString::number(TicketBets(t, game)),
                        best,
                        p.bestIssue ? issueText(p.bestIssue) : QString(),
                        sixRedText(p.sixRedIssues)};
        for (int tier = 0; tier < tierCount; ++tier)
            row << QString::number(p.tiers[size_t(tier)]);
        row << QString::number(p.fixedPrize) << QString::number(p.cost);
        return row;
    });
}
