#include "engine/charts/SalesPoolChart.h"

#include "engine/charts/Periods.h"
#include "engine/prize/DrawFigures.h"
#include "engine/prize/PrizeTiers.h"

#include <QJsonArray>
#include <algorithm>

namespace {

constexpr int64_t FenPerYi = 10'000'000'000; // 1亿元
constexpr int MaxAxisSteps = 6;

// Money in 元 for the JSON: whole 元 as an integer, null when not known.
QJsonValue yuanJson(int64_t fen) {
    if (fen < 0) return QJsonValue(QJsonValue::Null);
    return fen % 100 ? QJsonValue(double(fen) / 100.0) : QJsonValue(qint64(fen / 100));
}

QJsonValue countJson(int64_t n) {
    return n < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(qint64(n));
}

QJsonObject axisJson(const SalesPoolAxis& axis) {
    return QJsonObject{{"step", yuanJson(axis.step)}, {"steps", axis.steps}};
}

// Decimals an axis of this step needs in 亿元.
int decimalsOf(int64_t step) {
    int decimals = 0;
    for (int64_t unit = FenPerYi; step % unit != 0 && decimals < 4; unit /= 10)
        ++decimals;
    return decimals;
}

} // namespace

QString SalesPoolAxis::label(int k) const {
    const int64_t fen = step * k;
    return QString::number(double(fen) / double(FenPerYi), 'f', decimalsOf(step));
}

SalesPoolAxis SalesPoolAxisFor(int64_t maxFen) {
    // Nothing to show: a plain axis of whole 亿元.
    if (maxFen <= 0) return {FenPerYi, 5};
    // From 100万元 (0.01亿) upwards: 1, 2, 5 times a power of ten.
    for (int64_t power = FenPerYi / 100;; power *= 10)
        for (const int k : {1, 2, 5}) {
            const int64_t step = power * k;
            const int64_t steps = (maxFen + step - 1) / step;
            if (steps <= MaxAxisSteps) return {step, int(steps)};
        }
}

int SalesPoolChart::drawsWithFigures() const {
    return int(
        std::count_if(points.begin(), points.end(), [](const SalesPoolPoint& p) { return p.hasFigures; }));
}

QJsonObject SalesPoolChart::toJson() const {
    QJsonArray draws;
    for (const SalesPoolPoint& p : points)
        draws.append(QJsonObject{
            {"issue", p.issue},
            {"date",
             p.date.isValid() ? QJsonValue(p.date.toString(Qt::ISODate)) : QJsonValue(QJsonValue::Null)},
            {"sales", yuanJson(p.sales)},
            {"pool", yuanJson(p.pool)},
            {"firstWinners", countJson(p.firstWinners)},
            {"firstAmount", yuanJson(p.firstAmount)},
        });
    return QJsonObject{{"kind", "salesPool"},
                       {"firstTier", firstTierName},
                       {"note", note},
                       {"poolAxis", axisJson(poolAxis)},
                       {"salesAxis", axisJson(salesAxis)},
                       {"draws", draws}};
}

SalesPoolChart FillSalesPool(const TCodeArr& history, int n, const FiguresTable* figures, const Game& game) {
    CheckPeriods(history, n);
    SalesPoolChart chart;
    chart.firstTierName = PrizeRulesFor(game, 0).tierName(1);
    // Figures of the game held before a switch are no figures of this one.
    const FiguresTable* held = figures && figures->game == &game && !figures->empty() ? figures : nullptr;
    int64_t maxSales = 0, maxPool = 0;
    for (size_t k = FirstOfLatest(history, n); k < history.size(); ++k) {
        SalesPoolPoint point;
        point.issue = history[k].code();
        if (const DrawFigures* d = held ? held->find(point.issue) : nullptr) {
            point.hasFigures = true;
            point.date = d->date;
            point.sales = d->sales;
            point.pool = d->pool;
            if (!d->tiers.empty()) {
                point.firstWinners = d->tiers.front().winners;
                point.firstAmount = d->tiers.front().amount;
            }
            maxSales = std::max(maxSales, point.sales);
            maxPool = std::max(maxPool, point.pool);
        }
        chart.points.push_back(point);
    }
    chart.poolAxis = SalesPoolAxisFor(maxPool);
    chart.salesAxis = SalesPoolAxisFor(maxSales);
    // Both axes take the same grid lines: the shorter one reaches a little higher.
    chart.poolAxis.steps = chart.salesAxis.steps = std::max(chart.poolAxis.steps, chart.salesAxis.steps);
    if (!held)
        chart.note =
            QStringLiteral("没有%1的开奖公告数据（销量、奖池），本图无可显示的内容。").arg(game.nameText());
    else if (chart.drawsWithFigures() == 0)
        chart.note = QStringLiteral("所选的%1期没有开奖公告数据（销量、奖池）。").arg(n);
    return chart;
}

QString YiText(int64_t fen) {
    if (fen < 0) return QStringLiteral("-");
    return QStringLiteral("%1亿元").arg(QString::number(double(fen) / double(FenPerYi), 'f', 2));
}

QStringList SalesPoolPointLines(const SalesPoolChart& chart, const SalesPoolPoint& p) {
    QString head = QStringLiteral("第%1期").arg(p.issue);
    if (p.date.isValid())
        head += QStringLiteral(" %1 %2").arg(p.date.toString(Qt::ISODate), WeekdayText(p.date));
    if (!p.hasFigures) return {head, QStringLiteral("没有本期的开奖公告数据")};
    const auto money = [](int64_t fen) {
        return fen < 0 ? QStringLiteral("未知")
                       : QStringLiteral("%1（%2元）").arg(YiText(fen), YuanText(fen));
    };
    QString first;
    if (p.firstWinners < 0)
        first = QStringLiteral("未知");
    else if (p.firstWinners == 0)
        first = QStringLiteral("无人中奖");
    else
        first = QStringLiteral("%1注，每注%2元").arg(p.firstWinners).arg(YuanText(p.firstAmount));
    return {head, QStringLiteral("销量：%1").arg(money(p.sales)),
            QStringLiteral("奖池：%1").arg(money(p.pool)),
            QStringLiteral("%1：%2").arg(chart.firstTierName, first)};
}
