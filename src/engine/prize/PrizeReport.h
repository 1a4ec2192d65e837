#pragma once

#include "engine/prize/PrizeCheck.h"

#include <QStringList>

class JsonWriter;

// The texts of a prize check, shared by kelvora-cli and the window's exports.

// Compact JSON in the order the contract lists its keys; the game is that of the result.
QString PrizeJson(const std::vector<PrizeTicket>& tickets, const PrizeResult& result);
QString HistoryJson(const std::vector<PrizeTicket>& tickets, const HistoryResult& result);

// "四等奖" for one bet, "四等奖1注 五等奖10注" for several, "未中奖" for none.
QString TierListText(const TierCounts& tiers, int64_t bets, const PrizeRules& rules = SsqPrizeRules());
// "一等奖0注 二等奖0注 ..." with every tier.
QString TierCountsText(const TierCounts& tiers, const QString& unit = QStringLiteral("注"),
                       const PrizeRules& rules = SsqPrizeRules());
// "一、二等奖": the tiers of the version whose prize floats.
QString FloatingTiersText(const PrizeRules& rules);
// Which rule version priced a check, with 追加 and what its amounts leave out; empty for a game with one.
QStringList PrizeVersionLines(const PrizeRules& rules, bool extra);
QString DrawCaption(const PrizeDraw& draw);
// Money in 元 from fen: a number (with its fen as decimals), null when not known (-1).
JsonWriter& WriteYuan(JsonWriter& w, int64_t fen);
// "1,234元", or "未知".
QString PaidText(int64_t fen);
// The prizes of a history check as paid, summed over every ticket.
QString HistoryPaidLine(const HistoryResult& result);

// A readable report: the draw, one line per ticket, the summary.
QStringList PrizeReportLines(const std::vector<PrizeTicket>& tickets, const PrizeResult& result);
QStringList HistoryReportLines(const std::vector<PrizeTicket>& tickets, const HistoryResult& result);
QStringList PrizeSummaryLines(const PrizeSummary& summary, const PrizeRules& rules = SsqPrizeRules());
QStringList HistorySummaryLines(const std::vector<PrizeTicket>& tickets, const HistoryResult& result);

// The columns of the window's table and of its CSV, in the game's words: against one draw, and against
// every draw (tierCount tier columns, named after the rule version with the most tiers).
QStringList PrizeColumnTitles(const Game& game);
QStringList HistoryColumnTitles(const Game& game, int tierCount);
const PrizeRules& HistoryTierColumnRules(const Game& game);

// Table rows as CSV (a header row first), for the window's export; the game is that of the result.
QStringList PrizeCsvLines(const std::vector<PrizeTicket>& tickets, const PrizeResult& result);
QStringList HistoryCsvLines(const std::vector<PrizeTicket>& tickets, const HistoryResult& result);
