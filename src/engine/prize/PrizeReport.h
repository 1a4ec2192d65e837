#pragma once

#include "engine/prize/PrizeCheck.h"

#include <QStringList>

// The texts of a prize check, shared by kelvora-cli and the window's exports.

// Compact JSON in the order the contract lists its keys.
QString PrizeJson(const std::vector<PrizeTicket>& tickets, const PrizeResult& result);
QString HistoryJson(const std::vector<PrizeTicket>& tickets, const HistoryResult& result);

// "四等奖" for one bet, "四等奖1注 五等奖10注" for several, "未中奖" for none.
QString TierListText(const TierCounts& tiers, int64_t bets);
// "一等奖0注 二等奖0注 ..." with every tier.
QString TierCountsText(const TierCounts& tiers, const QString& unit = QStringLiteral("注"));
QString DrawCaption(const PrizeDraw& draw);

// A readable report: the draw, one line per ticket, the summary.
QStringList PrizeReportLines(const std::vector<PrizeTicket>& tickets, const PrizeResult& result);
QStringList HistoryReportLines(const std::vector<PrizeTicket>& tickets, const HistoryResult& result);
QStringList PrizeSummaryLines(const PrizeSummary& summary);
QStringList HistorySummaryLines(const std::vector<PrizeTicket>& tickets, const HistoryResult& result);

// Table rows as CSV (a header row first), for the window's export.
QStringList PrizeCsvLines(const std::vector<PrizeTicket>& tickets, const PrizeResult& result);
QStringList HistoryCsvLines(const std::vector<PrizeTicket>& tickets, const HistoryResult& result);
