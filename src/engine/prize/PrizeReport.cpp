#include "engine/prize/PrizeReport.h"

namespace {

QString jsonNumbers(uint64_t mask) {
    QString s = QStringLiteral("[");
    bool first = true;
    for (int n = 1; n < 64; ++n) {
        if (!(mask & (uint64_t(1) << n))) continue;
        if (!first) s += QLatin1Char(',');
        s += QString::number(n);
        first = false;
    }
    return s + QLatin1Char(']');
}

QString jsonTiers(const TierCounts& tiers) {
    QString s = QStringLiteral("[");
    for (int t = 0; t < 6; ++t) {
        if (t) s += QLatin1Char(',');
        s += QString::number(tiers[t]);
    }
    return s + QLatin1Char(']');
}

QString issueText(int issue) {
    return QString::number(issue);
}

QString sixRedText(const std::vector<int>& issues) {
    if (issues.empty()) return QStringLiteral("从未开出");
    QStringList list;
    for (int issue : issues)
        list << issueText(issue);
    return list.join(QLatin1Char(' '));
}

QString csvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))) return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString PrizeJson(const std::vector<PrizeTicket>& tickets, const PrizeResult& result) {
    const PrizeDraw& d = result.draw;
    QString s;
    s.reserve(80 + qsizetype(tickets.size()) * 130);
    s += QStringLiteral("{\"draw\":{\"issue\":");
    s += d.issue ? QLatin1Char('"') + issueText(d.issue) + QLatin1Char('"') : QStringLiteral("null");
    s += QStringLiteral(",\"reds\":") + jsonNumbers(d.reds) + QStringLiteral(",\"blue\":") +
         QString::number(d.blue);
    s += QStringLiteral("},\"tickets\":[");
    for (size_t k = 0; k < tickets.size(); ++k) {
        const PrizeTicket& t = tickets[k];
        const TicketPrize& p = result.results[k];
        if (k) s += QLatin1Char(',');
        s += QStringLiteral("{\"line\":") + QString::number(t.line);
        s += QStringLiteral(",\"reds\":") + jsonNumbers(t.reds);
        if (t.bankers) s += QStringLiteral(",\"bankers\":") + jsonNumbers(t.bankers);
        s += QStringLiteral(",\"blues\":") + jsonNumbers(t.blues);
        s += QStringLiteral(",\"bets\":") + QString::number(p.bets);
        s += QStringLiteral(",\"redHits\":") + QString::number(p.redHits);
        s += QStringLiteral(",\"blueHit\":") + (p.blueHit ? QStringLiteral("true") : QStringLiteral("false"));
        s += QStringLiteral(",\"tiers\":") + jsonTiers(p.tiers);
        s += QStringLiteral(",\"prize\":") + QString::number(p.prize) + QLatin1Char('}');
    }
    const PrizeSummary& sum = result.summary;
    s += QStringLiteral("],\"summary\":{\"lines\":") + QString::number(sum.lines);
    s += QStringLiteral(",\"bets\":") + QString::number(sum.bets);
    s += QStringLiteral(",\"cost\":") + QString::number(sum.cost);
    s += QStringLiteral(",\"tiers\":") + jsonTiers(sum.tiers);
    s += QStringLiteral(",\"fixedPrize\":") + QString::number(sum.fixedPrize) + QStringLiteral("}}");
    return s;
}

QString HistoryJson(const std::vector<PrizeTicket>& tickets, const HistoryResult& result) {
    QString s;
    s.reserve(40 + qsizetype(tickets.size()) * 110);
    s += QStringLiteral("{\"draws\":") + QString::number(result.draws) + QStringLiteral(",\"tickets\":[");
    for (size_t k = 0; k < tickets.size(); ++k) {
        const HistoryPrize& p = result.results[k];
        if (k) s += QLatin1Char(',');
        s += QStringLiteral("{\"line\":") + QString::number(tickets[k].line);
        s += QStringLiteral(",\"tiers\":") + jsonTiers(p.tiers);
        s += QStringLiteral(",\"fixedPrize\":") + QString::number(p.fixedPrize);
        s += QStringLiteral(",\"cost\":") + QString::number(p.cost);
        s += QStringLiteral(",\"best\":") + QString::number(p.best);
        s += QStringLiteral(",\"bestIssue\":");
        s += p.bestIssue ? QLatin1Char('"') + issueText(p.bestIssue) + QLatin1Char('"')
                         : QStringLiteral("null");
        s += QStringLiteral(",\"sixRedIssues\":[");
        for (size_t i = 0; i < p.sixRedIssues.size(); ++i) {
            if (i) s += QLatin1Char(',');
            s += QLatin1Char('"') + issueText(p.sixRedIssues[i]) + QLatin1Char('"');
        }
        s += QStringLiteral("]}");
    }
    return s + QStringLiteral("]}");
}

QString TierListText(const TierCounts& tiers, int64_t bets) {
    QStringList parts;
    for (int t = 0; t < 6; ++t)
        if (tiers[t])
            parts << (bets == 1 ? TierName(t + 1)
                                : QStringLiteral("%1%2注").arg(TierName(t + 1)).arg(tiers[t]));
    return parts.isEmpty() ? TierName(0) : parts.join(QLatin1Char(' '));
}

QString TierCountsText(const TierCounts& tiers, const QString& unit) {
    QStringList parts;
    for (int t = 0; t < 6; ++t)
        parts << TierName(t + 1) + QString::number(tiers[t]) + unit;
    return parts.join(QLatin1Char(' '));
}

QString DrawCaption(const PrizeDraw& draw) {
    const QString numbers = DrawText(draw);
    return draw.issue ? QStringLiteral("第%1期 %2").arg(draw.issue).arg(numbers) : numbers;
}

QStringList PrizeSummaryLines(const PrizeSummary& s) {
    return {QStringLiteral("共%1行，%2注，投入%3元").arg(s.lines).arg(s.bets).arg(s.cost),
            TierCountsText(s.tiers),
            QStringLiteral("固定奖金合计%1元（一、二等奖为浮动奖金，未计入）").arg(s.fixedPrize)};
}

QStringList HistorySummaryLines(const std::vector<PrizeTicket>& tickets, const HistoryResult& result) {
    int64_t bets = 0, cost = 0, prize = 0, won = 0, drawn = 0;
    TierCounts tiers{};
    for (size_t k = 0; k < tickets.size(); ++k) {
        const HistoryPrize& p = result.results[k];
        bets += TicketBets(tickets[k]);
        cost += p.cost;
        prize += p.fixedPrize;
        won += p.best ? 1 : 0;
        drawn += p.sixRedIssues.empty() ? 0 : 1;
        for (int t = 0; t < 6; ++t)
            tiers[t] += p.tiers[t];
    }
    return {QStringLiteral("历史核对%1期：共%2行，%3注，每期投入%4元，共投入%5元")
                .arg(result.draws)
                .arg(tickets.size())
                .arg(bets)
                .arg(bets * BetCost)
                .arg(cost),
            TierCountsText(tiers, QStringLiteral("次")),
            QStringLiteral("固定奖金合计%1元；中过奖的%2行，六个红球曾开出的%3行")
                .arg(prize)
                .arg(won)
                .arg(drawn)};
}

QStringList PrizeReportLines(const std::vector<PrizeTicket>& tickets, const PrizeResult& result) {
    QStringList lines;
    lines.reserve(qsizetype(tickets.size()) + 6);
    lines << QStringLiteral("开奖号码：") + DrawCaption(result.draw) << QString();
    for (size_t k = 0; k < tickets.size(); ++k) {
        const PrizeTicket& t = tickets[k];
        const TicketPrize& p = result.results[k];
        lines << QStringLiteral("第%1行 %2：%3注，红球中%4个，蓝球%5，%6，奖金%7元")
                     .arg(t.line)
                     .arg(TicketText(t))
                     .arg(p.bets)
                     .arg(p.redHits)
                     .arg(p.blueHit ? QStringLiteral("中") : QStringLiteral("未中"))
                     .arg(TierListText(p.tiers, p.bets))
                     .arg(p.prize);
    }
    lines << QString() << PrizeSummaryLines(result.summary);
    return lines;
}

QStringList HistoryReportLines(const std::vector<PrizeTicket>& tickets, const HistoryResult& result) {
    QStringList lines;
    lines.reserve(qsizetype(tickets.size()) * 2 + 2);
    lines << QStringLiteral("历史核对：共%1期").arg(result.draws) << QString();
    for (size_t k = 0; k < tickets.size(); ++k) {
        const PrizeTicket& t = tickets[k];
        const HistoryPrize& p = result.results[k];
        const QString best =
            p.best ? QStringLiteral("最高%1（首次第%2期）").arg(TierName(p.best)).arg(p.bestIssue)
                   : QStringLiteral("从未中奖");
        lines << QStringLiteral("第%1行 %2：%3，固定奖金%4元，投入%5元，六个红球曾开出：%6")
                     .arg(t.line)
                     .arg(TicketText(t), best)
                     .arg(p.fixedPrize)
                     .arg(p.cost)
                     .arg(sixRedText(p.sixRedIssues));
        lines << QStringLiteral("    ") + TierCountsText(p.tiers, QStringLiteral("次"));
    }
    lines << QString() << HistorySummaryLines(tickets, result);
    return lines;
}

QStringList PrizeCsvLines(const std::vector<PrizeTicket>& tickets, const PrizeResult& result) {
    QStringList lines;
    lines.reserve(qsizetype(tickets.size()) + 2);
    lines << QStringLiteral("行号,投注号码,注数,红球命中,蓝球命中,奖级,奖金");
    for (size_t k = 0; k < tickets.size(); ++k) {
        const PrizeTicket& t = tickets[k];
        const TicketPrize& p = result.results[k];
        lines << QStringLiteral("%1,%2,%3,%4,%5,%6,%7")
                     .arg(t.line)
                     .arg(csvField(TicketText(t)))
                     .arg(p.bets)
                     .arg(p.redHits)
                     .arg(p.blueHit ? QStringLiteral("是") : QStringLiteral("否"))
                     .arg(csvField(TierListText(p.tiers, p.bets)))
                     .arg(p.prize);
    }
    return lines;
}

QStringList HistoryCsvLines(const std::vector<PrizeTicket>& tickets, const HistoryResult& result) {
    QStringList lines;
    lines.reserve(qsizetype(tickets.size()) + 2);
    lines << QStringLiteral(
        "行号,投注号码,注数,最高奖级,首次期号,六个红球曾开出,一等奖,二等奖,三等奖,四等奖,五等奖,"
        "六等奖,固定奖金,投入");
    for (size_t k = 0; k < tickets.size(); ++k) {
        const PrizeTicket& t = tickets[k];
        const HistoryPrize& p = result.results[k];
        QStringList row{QString::number(t.line),
                        csvField(TicketText(t)),
                        QString::number(TicketBets(t)),
                        TierName(p.best),
                        p.bestIssue ? issueText(p.bestIssue) : QString(),
                        sixRedText(p.sixRedIssues)};
        for (int64_t n : p.tiers)
            row << QString::number(n);
        row << QString::number(p.fixedPrize) << QString::number(p.cost);
        lines << row.join(QLatin1Char(','));
    }
    return lines;
}
