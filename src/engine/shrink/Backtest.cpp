#include "shrink/Backtest.h"

#include "KelvoraError.h"
#include "charts/TrendGrid.h"
#include "metrics/Code.h"
#include "shrink/ShrinkRun.h"

#include <QJsonArray>

QString BacktestTooManyDrawsText() {
    return QStringLiteral("设置的验证期数超过总期数!!");
}

ShrinkBacktest RunShrinkBacktest(const ShrinkInput& given, const TCodeArr& history, int draws) {
    ShrinkInput input = given;
    if (input.candidateCount() == 0)
        input.candidates.fill(true);
    else if (input.tooFewCandidates())
        throw KelvoraError(TooFewCandidatesText());
    const ShrinkConditions conditions(input);
    if (draws > int(history.size())) throw KelvoraError(BacktestTooManyDrawsText());

    ShrinkBacktest b;
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
    return b;
}

QString ToleranceDistributionText(const ShrinkBacktest& b) {
    int last = 0;
    for (int j = 0; j < ConditionCount; ++j)
        if (b.failCounts[size_t(j)]) last = j;
    QStringList parts;
    for (int j = 0; j <= last; ++j)
        parts << QStringLiteral("容错%1: %2期").arg(j).arg(b.failCounts[size_t(j)]);
    return parts.join(QStringLiteral(", "));
}

QJsonObject ShrinkBacktestJson(const ShrinkBacktest& b) {
    QJsonObject o;
    o.insert(QStringLiteral("draws"), b.draws());
    o.insert(QStringLiteral("first"), b.rows.empty() ? QJsonValue() : QString::number(b.rows.front().issue));
    o.insert(QStringLiteral("last"), b.rows.empty() ? QJsonValue() : QString::number(b.rows.back().issue));
    QJsonArray conditions, failCounts, rows;
    for (int c = 0; c < ConditionCount; ++c) {
        QJsonObject e;
        e.insert(QStringLiteral("name"), ConditionName(c));
        e.insert(QStringLiteral("active"), bool((b.active >> c) & 1));
        e.insert(QStringLiteral("passed"), b.passed[size_t(c)]);
        conditions.append(e);
        failCounts.append(b.failCounts[size_t(c)]);
    }
    for (const ShrinkBacktestRow& r : b.rows) {
        QJsonObject e;
        e.insert(QStringLiteral("issue"), QString::number(r.issue));
        QJsonArray reds, failed;
        for (int k = 0; k < 6; ++k)
            reds.append(int(r.ticket.Red[k]));
        for (int c = 0; c < ConditionCount; ++c)
            if ((r.failed >> c) & 1) failed.append(ConditionName(c));
        e.insert(QStringLiteral("reds"), reds);
        e.insert(QStringLiteral("failed"), failed);
        rows.append(e);
    }
    o.insert(QStringLiteral("conditions"), conditions);
    o.insert(QStringLiteral("kept"), b.kept);
    o.insert(QStringLiteral("failCounts"), failCounts);
    o.insert(QStringLiteral("rows"), rows);
    return o;
}

QStringList ShrinkBacktestText(const ShrinkBacktest& b) {
    QStringList lines;
    const int n = b.draws();
    lines << QStringLiteral("历史验证：最近%1期（%2 至 %3）")
                 .arg(n)
                 .arg(b.rows.empty() ? 0 : b.rows.front().issue)
                 .arg(b.rows.empty() ? 0 : b.rows.back().issue);
    lines << QStringLiteral("全部条件同时满足：%1期（%2%）")
                 .arg(b.kept)
                 .arg(n ? 100.0 * b.kept / n : 0.0, 0, 'f', 1);
    lines << ToleranceDistributionText(b);
    lines << QString();
    lines << QStringLiteral("条件            启用  通过期数  通过率");
    for (int c = 0; c < ConditionCount; ++c) {
        const bool on = (b.active >> c) & 1;
        const int p = b.passed[size_t(c)];
        lines << QStringLiteral("%1%2  %3  %4")
                     .arg(ConditionName(c).leftJustified(12, QChar(0x3000)))
                     .arg(on ? QStringLiteral("是") : QStringLiteral("否"))
                     .arg(p, 8)
                     .arg(on && n ? QStringLiteral("%1%").arg(100.0 * p / n, 6, 'f', 1)
                                  : QStringLiteral("     -"));
    }
    lines << QString();
    for (const ShrinkBacktestRow& r : b.rows) {
        QStringList failed;
        for (int c = 0; c < ConditionCount; ++c)
            if ((r.failed >> c) & 1) failed << ConditionName(c);
        lines << QStringLiteral("%1 %2  %3")
                     .arg(r.issue)
                     .arg(CodeToText(r.ticket))
                     .arg(failed.isEmpty() ? QStringLiteral("全部通过")
                                           : QStringLiteral("未通过：") + failed.join(QStringLiteral("、")));
    }
    return lines;
}

H2NetModel ShrinkBacktestGrid(const ShrinkBacktest& b, const TCodeArr& history) {
    std::vector<int> shown;
    for (int c = 0; c < ConditionCount; ++c)
        if ((b.active >> c) & 1) shown.push_back(c);
    QList<int> widths{66, 28, 28, 28, 28, 28, 28, 40};
    for (int c : shown)
        widths.append(14 * int(ConditionName(c).size()) + 14);
    const int n = std::min(b.draws(), int(history.size()));
    H2NetModel m;
    BeginTrendGrid(m, 11, n, widths);
    SetHeaderRun(m, 1, 6, 1);
    const int last = 7 + int(shown.size());
    if (shown.empty())
        SetTrendCaptions(m, {{"期号", 0, 0, 0, 1}, {"红球号码", 1, 0, 6, 0}, {"蓝球", 7, 0, 7, 1}});
    else
        SetTrendCaptions(
            m,
            {{"期号", 0, 0, 0, 1}, {"红球号码", 1, 0, 6, 0}, {"蓝球", 7, 0, 7, 1}, {"条件", 8, 0, last, 0}});
    std::vector<int> totals(size_t(last + 1), 0);
    for (int i = 0; i < n; ++i) {
        const size_t d = history.size() - 1 - size_t(i);
        const ShrinkBacktestRow& r = b.rows[b.rows.size() - 1 - size_t(i)];
        const int row = i + 2;
        WriteDrawHead(m, row, history[d], true, 7);
        for (size_t k = 0; k < shown.size(); ++k) {
            if (!((r.failed >> shown[k]) & 1)) continue;
            const int col = 8 + int(k);
            m.SetValue(row, col, QStringLiteral("×"));
            m.SetCellColor(row, col, BacktestFailedColor);
            ++totals[size_t(col)];
        }
    }
    for (size_t k = 0; k < shown.size(); ++k)
        m.SetValue(1, 8 + int(k), ConditionName(shown[k]));
    WriteTotalsRow(m, n, totals.data(), 8, last);
    return m;
}
