#include "engine/predict/PredictBacktest.h"

#include "engine/core/KelvoraError.h"
#include "engine/core/Pools.h"
#include "engine/metrics/Code.h"
#include "engine/predict/HitStats.h"
#include "engine/shrink/Backtest.h"
#include "engine/shrink/Combinations.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <cmath>

namespace {

uint64_t maskOf(const QList<int>& numbers) {
    uint64_t m = 0;
    for (int n : numbers)
        if (n >= 1 && n <= 63) m |= uint64_t(1) << n;
    return m;
}

uint64_t redMask(const TCodeRec& t) {
    uint64_t m = 0;
    for (int k = 0; k < 6; ++k)
        m |= uint64_t(1) << t.Red[k];
    return m;
}

int blueOf(const TCodeRec& t) {
    for (int b = 0; b < Pools::kBluePool; ++b)
        if (t.Blue[b]) return b + 1;
    return 0;
}

QList<int> numbersIn(const QString& text) {
    QList<int> numbers;
    for (const QString& piece : text.split(QRegularExpression(QStringLiteral("[ ,]")), Qt::SkipEmptyParts))
        numbers << piece.toInt();
    return numbers;
}

// The groups as the command prints them: every second line holds a group's numbers, the reds
// before a '+' and the blues after it.
std::vector<PredictBacktestGroup> printedGroups(const QStringList& lines, const TCodeRec& draw) {
    std::vector<PredictBacktestGroup> groups;
    const uint64_t drawn = redMask(draw);
    const int blue = blueOf(draw);
    for (qsizetype i = 1; i < lines.size(); i += 2) {
        const QStringList parts = lines[i].split(QLatin1Char('+'));
        const QList<int> reds = numbersIn(parts[0]);
        PredictBacktestGroup g;
        g.reds = int(reds.size());
        g.redHits = __builtin_popcountll(maskOf(reds) & drawn);
        if (parts.size() > 1) {
            const QList<int> blues = numbersIn(parts[1]);
            g.blues = int(blues.size());
            g.blueHit = blues.contains(blue);
        }
        groups.push_back(g);
    }
    return groups;
}

// The single prediction without its ticket list: the j-th pick of a batch of n is the kept
// ticket with ordinal 1 + j (S - 1), S = kept div n, which counting turns into its reds.
std::vector<PredictBacktestGroup> singleGroups(const TCodeArr& window, const TCodeRec& draw) {
    const CandidateFlags rare = SingleRareNumbers(window);
    const int64_t kept = KeptTicketCount(rare);
    const uint64_t drawn = redMask(draw);
    std::vector<PredictBacktestGroup> groups;
    for (int n : SingleBatchSizes()) {
        PredictBacktestGroup g;
        const int64_t step = kept / n;
        for (int j = 1; j <= n && step > 0; ++j) {
            const int64_t ordinal = int64_t(j) * (step - 1); // 0-based
            if (ordinal >= kept) break;
            ++g.tickets;
            ++g.counts[size_t(__builtin_popcountll(redMask(KeptTicketAt(ordinal, rare)) & drawn))];
        }
        groups.push_back(g);
    }
    return groups;
}

double binomial(int n, int k) {
    if (k < 0 || k > n) return 0;
    double r = 1;
    for (int j = 1; j <= k; ++j)
        r = r * (n - k + j) / j;
    return r;
}

bool isSingle(const PredictBacktest& b) {
    return b.kind == PredictKind::Single;
}

struct GroupSummary {
    int reds = 0, blues = 0, tickets = 0;
    double meanRedHits = 0, expectedRedHits = 0, redError = 0;
    double blueHitRate = 0, expectedBlueHitRate = 0, blueError = 0;
    std::array<double, 7> meanCounts{}, expectedCounts{};
};

// Means over the draws, what random picks of the same size give, and the standard error of the
// mean under random picks (reds: hypergeometric, 6 of 33 drawn; blue: one of 16).
GroupSummary summarise(const PredictBacktest& b, size_t group) {
    GroupSummary s;
    const int d = b.draws();
    if (d == 0) return s;
    const PredictBacktestGroup& first = b.rows.front().groups[group];
    s.reds = isSingle(b) ? 6 : first.reds;
    s.blues = first.blues;
    s.tickets = first.tickets;
    double hits = 0, blueHits = 0;
    for (const PredictBacktestRow& r : b.rows) {
        const PredictBacktestGroup& g = r.groups[group];
        if (isSingle(b)) {
            for (int k = 0; k <= 6; ++k) {
                s.meanCounts[size_t(k)] += g.counts[size_t(k)];
                hits += double(k) * g.counts[size_t(k)] / std::max(g.tickets, 1);
            }
        } else {
            hits += g.redHits;
            blueHits += g.blueHit;
        }
    }
    for (double& c : s.meanCounts)
        c /= d;
    for (int k = 0; k <= 6; ++k)
        s.expectedCounts[size_t(k)] = s.tickets * binomial(Pools::kRedPicks, k) *
                                      binomial(Pools::kRedPool - Pools::kRedPicks, Pools::kRedPicks - k) /
                                      binomial(Pools::kRedPool, Pools::kRedPicks);
    const int k = s.reds;
    s.meanRedHits = hits / d;
    s.expectedRedHits = 6.0 * k / 33;
    const double variance = k * (6.0 / 33) * (27.0 / 33) * (33.0 - k) / 32;
    s.redError = std::sqrt(variance / d);
    s.blueHitRate = blueHits / d;
    s.expectedBlueHitRate = double(s.blues) / Pools::kBluePool;
    s.blueError = std::sqrt(s.expectedBlueHitRate * (1 - s.expectedBlueHitRate) / d);
    return s;
}

QString percent(double x) {
    return QString::number(100 * x, 'f', 1) + QLatin1Char('%');
}

} // namespace

PredictBacktest RunPredictBacktest(const TCodeArr& history, PredictKind kind, int draws) {
    if (draws > int(history.size()) - PredictWindow) throw KelvoraError(BacktestTooManyDrawsText());
    PredictBacktest b;
    b.kind = kind;
    b.rows.reserve(size_t(std::max(draws, 0)));
    for (size_t i = history.size() - size_t(std::max(draws, 0)); i < history.size(); ++i) {
        // Every command reads only the last PredictWindow draws of its history.
        const TCodeArr window(history.begin() + ptrdiff_t(i) - PredictWindow, history.begin() + ptrdiff_t(i));
        PredictBacktestRow row;
        row.issue = history[i].code();
        row.draw = history[i].Ticket;
        row.groups = kind == PredictKind::Single ? singleGroups(window, row.draw)
                                                 : printedGroups(RunPredict(window, kind).lines, row.draw);
        b.rows.push_back(std::move(row));
    }
    return b;
}

QJsonObject PredictBacktestJson(const PredictBacktest& b, const QString& kindName) {
    QJsonObject o;
    o.insert(QStringLiteral("kind"), kindName);
    o.insert(QStringLiteral("draws"), b.draws());
    const bool compound = b.kind == PredictKind::Compound;
    QJsonArray rows;
    for (const PredictBacktestRow& r : b.rows) {
        QJsonArray groups;
        for (const PredictBacktestGroup& g : r.groups) {
            QJsonObject e;
            if (isSingle(b)) {
                e.insert(QStringLiteral("tickets"), g.tickets);
                QJsonArray counts;
                for (int c : g.counts)
                    counts.append(c);
                e.insert(QStringLiteral("counts"), counts);
            } else {
                e.insert(QStringLiteral("reds"), g.reds);
                e.insert(QStringLiteral("redHits"), g.redHits);
                if (compound) {
                    e.insert(QStringLiteral("blues"), g.blues);
                    e.insert(QStringLiteral("blueHit"), g.blueHit);
                }
            }
            groups.append(e);
        }
        QJsonObject row;
        row.insert(QStringLiteral("issue"), QString::number(r.issue));
        row.insert(QStringLiteral("groups"), groups);
        rows.append(row);
    }
    QJsonArray summaries;
    const size_t groupCount = b.rows.empty() ? 0 : b.rows.front().groups.size();
    for (size_t g = 0; g < groupCount; ++g) {
        const GroupSummary s = summarise(b, g);
        QJsonObject e;
        if (isSingle(b)) {
            e.insert(QStringLiteral("tickets"), s.tickets);
            QJsonArray mean, expected;
            for (int k = 0; k <= 6; ++k) {
                mean.append(s.meanCounts[size_t(k)]);
                expected.append(s.expectedCounts[size_t(k)]);
            }
            e.insert(QStringLiteral("meanCounts"), mean);
            e.insert(QStringLiteral("expectedCounts"), expected);
        } else {
            e.insert(QStringLiteral("reds"), s.reds);
            if (compound) e.insert(QStringLiteral("blues"), s.blues);
            e.insert(QStringLiteral("meanRedHits"), s.meanRedHits);
            e.insert(QStringLiteral("expectedRedHits"), s.expectedRedHits);
            if (compound) {
                e.insert(QStringLiteral("blueHitRate"), s.blueHitRate);
                e.insert(QStringLiteral("expectedBlueHitRate"), s.expectedBlueHitRate);
            }
        }
        summaries.append(e);
    }
    o.insert(QStringLiteral("rows"), rows);
    o.insert(QStringLiteral("summary"), QJsonObject{{QStringLiteral("groups"), summaries}});
    return o;
}

QStringList PredictBacktestText(const PredictBacktest& b) {
    QStringList lines;
    const int d = b.draws();
    if (d == 0) return lines;
    lines << QStringLiteral("历史回测：%1，最近%2期（%3 至 %4），每期只用它之前的开奖数据预测")
                 .arg(PredictCommandName(b.kind))
                 .arg(d)
                 .arg(b.rows.front().issue)
                 .arg(b.rows.back().issue);
    const size_t groupCount = b.rows.front().groups.size();
    bool anyBetter = false, anyWorse = false;
    for (size_t g = 0; g < groupCount; ++g) {
        const GroupSummary s = summarise(b, g);
        // Better or worse than chance only beyond three standard errors: with six comparisons on
        // one page, two would be passed by luck too often.
        const ChanceVerdict red = CompareWithChance(s.meanRedHits, s.expectedRedHits, s.redError);
        const ChanceVerdict blue = s.blues > 0
                                       ? CompareWithChance(s.blueHitRate, s.expectedBlueHitRate, s.blueError)
                                       : ChanceVerdict::Within;
        anyBetter = anyBetter || red == ChanceVerdict::Better || blue == ChanceVerdict::Better;
        anyWorse = anyWorse || red == ChanceVerdict::Worse || blue == ChanceVerdict::Worse;
        if (isSingle(b)) {
            QStringList counts;
            for (int k = 0; k <= 6; ++k)
                counts << QStringLiteral("中%1红 %2注（随机%3注）")
                              .arg(k)
                              .arg(s.meanCounts[size_t(k)], 0, 'f', 2)
                              .arg(s.expectedCounts[size_t(k)], 0, 'f', 2);
            lines << QStringLiteral("第%1组 %2注：每期平均 %3")
                         .arg(g + 1)
                         .arg(s.tickets)
                         .arg(counts.join(QStringLiteral("，")));
            lines << QStringLiteral("    每注平均命中红球%1个，随机号码%2个 —— %3")
                         .arg(s.meanRedHits, 0, 'f', 3)
                         .arg(s.expectedRedHits, 0, 'f', 3)
                         .arg(ChanceVerdictText(red));
            continue;
        }
        lines << QStringLiteral("第%1组 %2个红球：平均命中%3个，随机号码%4个 —— %5")
                     .arg(g + 1)
                     .arg(s.reds)
                     .arg(s.meanRedHits, 0, 'f', 3)
                     .arg(s.expectedRedHits, 0, 'f', 3)
                     .arg(ChanceVerdictText(red));
        if (s.blues > 0)
            lines << QStringLiteral("      %1个蓝球：命中率%2，随机号码%3 —— %4")
                         .arg(s.blues)
                         .arg(percent(s.blueHitRate), percent(s.expectedBlueHitRate),
                              ChanceVerdictText(blue));
    }
    if (anyBetter)
        lines << QStringLiteral(
            "结论：标为“好于随机”的组超出了随机波动（三倍标准误）；其余的不比随机号码好。");
    else if (anyWorse)
        lines << QStringLiteral(
            "结论：这个预测不比随机选号好；标为“差于随机”的组低于随机波动（三倍标准误）。");
    else
        lines << QStringLiteral("结论：这个预测不比随机选号好，命中数都在随机波动之内。");
    lines << QString();
    lines << (isSingle(b) ? QStringLiteral("逐期结果（每组依次为命中0至6个红球的注数）：")
                          : QStringLiteral("逐期结果："));
    for (const PredictBacktestRow& r : b.rows) {
        QString line =
            QStringLiteral("%1 %2+%3").arg(r.issue).arg(CodeToText(r.draw)).arg(NumToText(blueOf(r.draw)));
        for (size_t g = 0; g < r.groups.size(); ++g) {
            const PredictBacktestGroup& e = r.groups[g];
            if (isSingle(b)) {
                QStringList c;
                for (int k = 0; k <= 6; ++k)
                    c << QString::number(e.counts[size_t(k)]);
                line += QStringLiteral("  第%1组 %2").arg(g + 1).arg(c.join(QLatin1Char('/')));
            } else {
                line += QStringLiteral("  第%1组 红%2").arg(g + 1).arg(e.redHits);
                if (e.blues > 0) line += e.blueHit ? QStringLiteral(" 蓝中") : QStringLiteral(" 蓝-");
            }
        }
        lines << line;
    }
    return lines;
}
