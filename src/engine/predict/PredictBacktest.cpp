#include "engine/predict/PredictBacktest.h"

#include "engine/core/Binomial.h"
#include "engine/core/KelvoraError.h"
#include "engine/metrics/Code.h"
#include "engine/predict/HitStats.h"
#include "engine/shrink/Backtest.h"
#include "engine/shrink/Combinations.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <bit>
#include <cmath>

namespace {

uint64_t maskOf(const QList<int>& numbers) {
    uint64_t m = 0;
    for (int n : numbers)
        if (n >= 1 && n <= 63) m |= uint64_t(1) << n;
    return m;
}

uint64_t frontMask(const TCodeRec& t, const Game& game) {
    uint64_t m = 0;
    for (int k = 0; k < game.frontPicks; ++k)
        m |= uint64_t(1) << t.Red[k];
    return m;
}

uint64_t backMask(const TCodeRec& t, const Game& game) {
    uint64_t m = 0;
    for (int b = 1; b <= game.backPool; ++b)
        if (t.Blue[b - 1]) m |= uint64_t(1) << b;
    return m;
}

QList<int> numbersIn(const QString& text) {
    QList<int> numbers;
    for (const QString& piece : text.split(QRegularExpression(QStringLiteral("[ ,]")), Qt::SkipEmptyParts))
        numbers << piece.toInt();
    return numbers;
}

// The groups as the command prints them: every second line holds a group's numbers, the reds
// before a '+' and the blues after it.
std::vector<PredictBacktestGroup> printedGroups(const QStringList& lines, const TCodeRec& draw,
                                                const Game& game) {
    std::vector<PredictBacktestGroup> groups;
    const uint64_t drawn = frontMask(draw, game);
    const uint64_t drawnBacks = backMask(draw, game);
    for (qsizetype i = 1; i < lines.size(); i += 2) {
        const QStringList parts = lines[i].split(QLatin1Char('+'));
        const QList<int> reds = numbersIn(parts[0]);
        PredictBacktestGroup g;
        g.reds = int(reds.size());
        g.redHits = std::popcount(maskOf(reds) & drawn);
        g.specialHit = game.specialPicks && draw.Special && ((maskOf(reds) >> draw.Special) & 1);
        if (parts.size() > 1) {
            const QList<int> blues = numbersIn(parts[1]);
            g.blues = int(blues.size());
            g.blueHits = std::popcount(maskOf(blues) & drawnBacks);
            g.blueHit = g.blueHits > 0;
        }
        groups.push_back(g);
    }
    return groups;
}

// The single prediction without its ticket list: the j-th pick of a batch of n is the kept
// ticket with ordinal 1 + j (S - 1), S = kept div n, which counting turns into its reds.
std::vector<PredictBacktestGroup> singleGroups(const TCodeArr& window, const TCodeRec& draw,
                                               const Game& game) {
    const uint64_t drawn = frontMask(draw, game);
    std::vector<PredictBacktestGroup> groups;
    if (!game.singleListsTickets) {
        for (const std::vector<uint64_t>& batch : SingleBatchPicks(SingleRareMask(window, game), game)) {
            PredictBacktestGroup g;
            for (uint64_t t : batch) {
                ++g.tickets;
                ++g.counts[size_t(std::popcount(t & drawn))];
            }
            groups.push_back(g);
        }
        return groups;
    }
    const CandidateFlags rare = SingleRareNumbers(window);
    const int64_t kept = KeptTicketCount(rare, game);
    for (int n : SingleBatchSizes()) {
        PredictBacktestGroup g;
        const int64_t step = kept / n;
        for (int j = 1; j <= n && step > 0; ++j) {
            const int64_t ordinal = int64_t(j) * (step - 1); // 0-based
            if (ordinal >= kept) break;
            ++g.tickets;
            ++g.counts[size_t(std::popcount(frontMask(KeptTicketAt(ordinal, rare, game), game) & drawn))];
        }
        groups.push_back(g);
    }
    return groups;
}

bool isSingle(const PredictBacktest& b) {
    return b.kind == PredictKind::Single;
}

struct GroupSummary {
    int reds = 0, blues = 0, tickets = 0;
    double meanRedHits = 0, expectedRedHits = 0, redError = 0;
    double meanBlueHits = 0, expectedBlueHits = 0, blueError = 0;
    // How often the special number was among the picks, against k of the pool picked at random.
    double specialHitRate = 0, expectedSpecialHitRate = 0, specialError = 0;
    std::array<double, GameLimits::kMaxFrontPicks + 1> meanCounts{}, expectedCounts{};
};

// Mean and variance of the hits of k numbers picked at random from a pool of which drawn are drawn
// (hypergeometric); with one drawn number the mean is the hit rate.
double expectedHits(int k, int drawn, int pool) {
    return double(drawn) * k / pool;
}
double hitVariance(int k, int drawn, int pool) {
    if (pool < 2) return 0;
    return k * (double(drawn) / pool) * (double(pool - drawn) / pool) * (pool - k) / (pool - 1);
}

// Means over the draws, what random picks of the same size give, and the standard error of the
// mean under random picks.
GroupSummary summarise(const PredictBacktest& b, size_t group) {
    GroupSummary s;
    const Game& game = *b.game;
    const int picks = game.frontPicks;
    const int d = b.draws();
    if (d == 0) return s;
    const PredictBacktestGroup& first = b.rows.front().groups[group];
    s.reds = isSingle(b) ? picks : first.reds;
    s.blues = first.blues;
    s.tickets = first.tickets;
    double hits = 0, blueHits = 0, specialHits = 0;
    for (const PredictBacktestRow& r : b.rows) {
        const PredictBacktestGroup& g = r.groups[group];
        if (isSingle(b)) {
            for (int k = 0; k <= picks; ++k) {
                s.meanCounts[size_t(k)] += g.counts[size_t(k)];
                hits += double(k) * g.counts[size_t(k)] / std::max(g.tickets, 1);
            }
        } else {
            hits += g.redHits;
            blueHits += g.blueHits;
            specialHits += g.specialHit;
        }
    }
    for (double& c : s.meanCounts)
        c /= d;
    for (int k = 0; k <= picks; ++k)
        s.expectedCounts[size_t(k)] = s.tickets * Binomial(picks, k) *
                                      Binomial(game.frontPool - picks, picks - k) /
                                      double(Binomial(game.frontPool, picks));
    s.meanRedHits = hits / d;
    s.expectedRedHits = expectedHits(s.reds, picks, game.frontPool);
    s.redError = std::sqrt(hitVariance(s.reds, picks, game.frontPool) / d);
    s.meanBlueHits = blueHits / d;
    s.expectedBlueHits = expectedHits(s.blues, game.backPicks, game.backPool);
    s.blueError = std::sqrt(hitVariance(s.blues, game.backPicks, game.backPool) / d);
    if (game.specialPicks) {
        s.specialHitRate = specialHits / d;
        s.expectedSpecialHitRate = double(s.reds) / game.frontPool;
        s.specialError = std::sqrt(s.expectedSpecialHitRate * (1 - s.expectedSpecialHitRate) / d);
    }
    return s;
}

QString percent(double x) {
    return QString::number(100 * x, 'f', 1) + QLatin1Char('%');
}

} // namespace

PredictBacktest RunPredictBacktest(const TCodeArr& history, PredictKind kind, int draws, const Game& game) {
    if (draws > int(history.size()) - PredictWindow) throw KelvoraError(BacktestTooManyDrawsText());
    PredictBacktest b;
    b.game = &game;
    b.kind = kind;
    b.rows.reserve(size_t(std::max(draws, 0)));
    for (size_t i = history.size() - size_t(std::max(draws, 0)); i < history.size(); ++i) {
        // Every command reads only the last PredictWindow draws of its history.
        const TCodeArr window(history.begin() + ptrdiff_t(i) - PredictWindow, history.begin() + ptrdiff_t(i));
        PredictBacktestRow row;
        row.issue = history[i].code();
        row.draw = history[i].Ticket;
        row.groups = kind == PredictKind::Single
                         ? singleGroups(window, row.draw, game)
                         : printedGroups(RunPredict(window, kind, game).lines, row.draw, game);
        b.rows.push_back(std::move(row));
    }
    return b;
}

QJsonObject PredictBacktestJson(const PredictBacktest& b, const QString& kindName) {
    const Game& game = *b.game;
    const int picks = game.frontPicks;
    // One back is hit or not ("blueHit", a rate); two or more are hit a number of times ("backHits", a mean).
    const bool oneBack = game.backPicks == 1;
    const QString fronts = game.jsonKey(game.jsonFronts);
    const QString frontHits = game.jsonKey(game.jsonFrontHits);
    const QString backs = game.jsonKey(game.jsonBacks);
    QString backHit = game.jsonKey(game.jsonBackHits);
    if (oneBack) backHit.chop(1);
    const auto capital = [](QString key) { return key.replace(0, 1, key[0].toUpper()); };
    QJsonObject o;
    o.insert(QStringLiteral("game"), game.keyText());
    o.insert(QStringLiteral("kind"), kindName);
    o.insert(QStringLiteral("draws"), b.draws());
    // Games of one pool have no back group; a game with a special number says whether it was picked.
    const bool compound = b.kind == PredictKind::Compound && game.backPicks > 0;
    const QString specialHit = game.jsonSpecialHit ? game.jsonKey(game.jsonSpecialHit) : QString();
    QJsonArray rows;
    for (const PredictBacktestRow& r : b.rows) {
        QJsonArray groups;
        for (const PredictBacktestGroup& g : r.groups) {
            QJsonObject e;
            if (isSingle(b)) {
                e.insert(QStringLiteral("tickets"), g.tickets);
                QJsonArray counts;
                for (int k = 0; k <= picks; ++k)
                    counts.append(g.counts[size_t(k)]);
                e.insert(QStringLiteral("counts"), counts);
            } else {
                e.insert(fronts, g.reds);
                e.insert(frontHits, g.redHits);
                if (!specialHit.isEmpty()) e.insert(specialHit, g.specialHit);
                if (compound) {
                    e.insert(backs, g.blues);
                    if (oneBack)
                        e.insert(backHit, g.blueHit);
                    else
                        e.insert(backHit, g.blueHits);
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
            for (int k = 0; k <= picks; ++k) {
                mean.append(s.meanCounts[size_t(k)]);
                expected.append(s.expectedCounts[size_t(k)]);
            }
            e.insert(QStringLiteral("meanCounts"), mean);
            e.insert(QStringLiteral("expectedCounts"), expected);
        } else {
            e.insert(fronts, s.reds);
            if (compound) e.insert(backs, s.blues);
            e.insert(QStringLiteral("mean") + capital(frontHits), s.meanRedHits);
            e.insert(QStringLiteral("expected") + capital(frontHits), s.expectedRedHits);
            if (!specialHit.isEmpty()) {
                e.insert(specialHit + QStringLiteral("Rate"), s.specialHitRate);
                e.insert(QStringLiteral("expected") + capital(specialHit) + QStringLiteral("Rate"),
                         s.expectedSpecialHitRate);
            }
            if (compound && oneBack) {
                e.insert(backHit + QStringLiteral("Rate"), s.meanBlueHits);
                e.insert(QStringLiteral("expected") + capital(backHit) + QStringLiteral("Rate"), s.expectedBlueHits);
            } else if (compound) {
                e.insert(QStringLiteral("mean") + capital(backHit), s.meanBlueHits);
                e.insert(QStringLiteral("expected") + capital(backHit), s.expectedBlueHits);
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
    const Game& game = *b.game;
    const int picks = game.frontPicks;
    const bool oneBack = game.backPicks == 1;
    // "红"/"蓝" or "前"/"后" where the text is short.
    const QString frontShort = game.front().left(1);
    const QString backShort = game.back().left(1);
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
                                       ? CompareWithChance(s.meanBlueHits, s.expectedBlueHits, s.blueError)
                                       : ChanceVerdict::Within;
        const ChanceVerdict special =
            game.specialPicks && !isSingle(b)
                ? CompareWithChance(s.specialHitRate, s.expectedSpecialHitRate, s.specialError)
                : ChanceVerdict::Within;
        anyBetter = anyBetter || red == ChanceVerdict::Better || blue == ChanceVerdict::Better ||
                    special == ChanceVerdict::Better;
        anyWorse = anyWorse || red == ChanceVerdict::Worse || blue == ChanceVerdict::Worse ||
                   special == ChanceVerdict::Worse;
        if (isSingle(b)) {
            QStringList counts;
            for (int k = 0; k <= picks; ++k)
                counts << QStringLiteral("中%1%2 %3注（随机%4注）")
                              .arg(k)
                              .arg(frontShort)
                              .arg(s.meanCounts[size_t(k)], 0, 'f', 2)
                              .arg(s.expectedCounts[size_t(k)], 0, 'f', 2);
            lines << QStringLiteral("第%1组 %2注：每期平均 %3")
                         .arg(g + 1)
                         .arg(s.tickets)
                         .arg(counts.join(QStringLiteral("，")));
            lines << QStringLiteral("    每注平均命中%1%2个，随机号码%3个 —— %4")
                         .arg(game.front())
                         .arg(s.meanRedHits, 0, 'f', 3)
                         .arg(s.expectedRedHits, 0, 'f', 3)
                         .arg(ChanceVerdictText(red));
            continue;
        }
        lines << QStringLiteral("第%1组 %2个%3：平均命中%4个，随机号码%5个 —— %6")
                     .arg(g + 1)
                     .arg(s.reds)
                     .arg(game.front())
                     .arg(s.meanRedHits, 0, 'f', 3)
                     .arg(s.expectedRedHits, 0, 'f', 3)
                     .arg(ChanceVerdictText(red));
        if (game.specialPicks)
            lines << QStringLiteral("      含%1：%2，随机号码%3 —— %4")
                         .arg(game.special(), percent(s.specialHitRate), percent(s.expectedSpecialHitRate),
                              ChanceVerdictText(special));
        if (s.blues > 0 && oneBack)
            lines << QStringLiteral("      %1个%2：命中率%3，随机号码%4 —— %5")
                         .arg(s.blues)
                         .arg(game.back(), percent(s.meanBlueHits), percent(s.expectedBlueHits),
                              ChanceVerdictText(blue));
        else if (s.blues > 0)
            lines << QStringLiteral("      %1个%2：平均命中%3个，随机号码%4个 —— %5")
                         .arg(s.blues)
                         .arg(game.back())
                         .arg(s.meanBlueHits, 0, 'f', 3)
                         .arg(s.expectedBlueHits, 0, 'f', 3)
                         .arg(ChanceVerdictText(blue));
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
    lines << (isSingle(b)
                  ? QStringLiteral("逐期结果（每组依次为命中0至%1个%2的注数）：").arg(picks).arg(game.front())
                  : QStringLiteral("逐期结果："));
    for (const PredictBacktestRow& r : b.rows) {
        QString line = QStringLiteral("%1 %2").arg(r.issue).arg(DrawToText(r.draw, game));
        for (size_t g = 0; g < r.groups.size(); ++g) {
            const PredictBacktestGroup& e = r.groups[g];
            if (isSingle(b)) {
                QStringList c;
                for (int k = 0; k <= picks; ++k)
                    c << QString::number(e.counts[size_t(k)]);
                line += QStringLiteral("  第%1组 %2").arg(g + 1).arg(c.join(QLatin1Char('/')));
            } else {
                line += QStringLiteral("  第%1组 %2%3").arg(g + 1).arg(frontShort).arg(e.redHits);
                if (game.specialPicks)
                    line += QLatin1Char(' ') + game.special().left(1) +
                            (e.specialHit ? QStringLiteral("中") : QStringLiteral("-"));
                if (e.blues > 0 && oneBack)
                    line += QLatin1Char(' ') + backShort + (e.blueHit ? QStringLiteral("中") : QStringLiteral("-"));
                else if (e.blues > 0)
                    line += QStringLiteral(" %1%2").arg(backShort).arg(e.blueHits);
            }
        }
        lines << line;
    }
    return lines;
}
