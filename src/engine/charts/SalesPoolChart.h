#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QDate>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

struct FiguresTable;

// One draw of the sales and pool chart. Money is fen; -1 is a figure the notices do not give, and a
// draw without figures at all has every figure -1 (the lines leave a gap there, never a zero).
struct SalesPoolPoint {
    int issue = 0;
    QDate date; // invalid without figures
    bool hasFigures = false;
    int64_t sales = -1;
    int64_t pool = -1; // after the draw
    int64_t firstWinners = -1;
    int64_t firstAmount = -1; // fen a basic bet

    bool firstPrizeWon() const { return firstWinners > 0; }
};

// A value axis in 亿元 from 0: `steps` grid steps of `step` fen each.
struct SalesPoolAxis {
    int64_t step = 0;
    int steps = 0;

    int64_t top() const { return step * steps; }
    // "0", "2.5", "30" of grid line k (0..steps), in 亿元.
    QString label(int k) const;
};

// The chart "奖池与销量": the latest N draws of the history, oldest first, with each draw's sales
// and the pool after it.
struct SalesPoolChart {
    std::vector<SalesPoolPoint> points;
    QString firstTierName; // the game's top tier, "一等奖"
    // Said over the chart when there is nothing to draw: no figures for the game, or none in the period.
    QString note;
    SalesPoolAxis poolAxis;
    SalesPoolAxis salesAxis;

    int drawsWithFigures() const;
    QJsonObject toJson() const;
};

// The nice axis for values up to maxFen: the smallest step of 1, 2 or 5 times a power of ten (from a
// million 元) that reaches maxFen in at most six steps; five steps of 1亿元 for no value at all.
SalesPoolAxis SalesPoolAxisFor(int64_t maxFen);

// Fills the chart for the latest n draws of the history (KelvoraError before anything is built
// when n cannot be served). Figures of another game, or none, give the chart without figures.
SalesPoolChart FillSalesPool(const TCodeArr& history, int n, const FiguresTable* figures, const Game& game);

// The hover text of a draw: issue, date and weekday; sales; pool; top-tier winners and amount.
QStringList SalesPoolPointLines(const SalesPoolChart& chart, const SalesPoolPoint& point);

// "3.48亿元" of a money amount (two decimals), "-" when not known.
QString YiText(int64_t fen);
