#pragma once

// Random condition sets for the tests that compare the shrink's walks with a reference.

#include "engine/shrink/ShrinkInput.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace RandomConditions {

// A list text in any of the forms the reader accepts.
inline QString listText(QRandomGenerator& g, const QList<int>& values) {
    QStringList pieces;
    for (int v : values) {
        switch (g.bounded(6)) {
        case 0:
            pieces << QStringLiteral("0%1").arg(v);
            break;
        case 1:
            pieces << QStringLiteral(" %1").arg(v);
            break;
        case 2:
            pieces << QStringLiteral("$%1").arg(v, 0, 16);
            break;
        case 3:
            pieces << QStringLiteral("+%1").arg(v);
            break;
        default:
            pieces << QString::number(v);
        }
    }
    QString text = pieces.join(g.bounded(4) ? QStringLiteral(",") : QStringLiteral(",,"));
    if (!g.bounded(5)) text = QLatin1Char(',') + text + QLatin1Char(',');
    return text;
}

inline QList<int> someValues(QRandomGenerator& g, int count, int low, int high) {
    QList<int> v;
    for (int k = 0; k < count; ++k)
        v << low + int(g.bounded(high - low + 1));
    return v;
}

// The first count items (all of them by default) at random, the rest unchecked.
template <size_t N> inline void randomItems(QRandomGenerator& g, std::array<bool, N>& items, size_t count = N) {
    for (size_t k = 0; k < N; ++k)
        items[k] = k < count && g.bounded(2);
}

// Each condition on with some chance, values anywhere in their sets (reversed ranges too), the
// lists in every form the reader accepts.
inline ShrinkInput randomInput(QRandomGenerator& g, int candidates) {
    ShrinkInput in;
    QList<int> numbers;
    for (int n = 1; n <= 33; ++n)
        numbers << n;
    for (int k = 0; k < candidates; ++k)
        in.candidates[size_t(numbers.takeAt(int(g.bounded(numbers.size()))) - 1)] = true;
    // Few candidates leave few tickets: fewer conditions keep most results non-empty.
    const int scale = candidates < 17 ? 2 : 1;
    auto chance = [&](int percent) { return int(g.bounded(100)) < percent / scale; };
    if (chance(30)) {
        in.sumMin = 21 + int(g.bounded(100));
        in.sumMax = chance(90) ? std::min(183, in.sumMin + int(g.bounded(90))) : 21 + int(g.bounded(163));
    }
    if (chance(30)) in.excludeSums = listText(g, someValues(g, 1 + int(g.bounded(8)), 0, 183));
    if (chance(30)) randomItems(g, in.oddEven, 7);
    if (chance(30)) randomItems(g, in.repeats);
    in.linkIndex = chance(50) ? int(g.bounded(4)) : 2;
    randomItems(g, in.linkRuns);
    if (chance(25)) {
        in.tailMin = int(g.bounded(10));
        in.tailMax = int(g.bounded(10));
    }
    if (chance(25)) in.excludeTails = listText(g, someValues(g, 1 + int(g.bounded(3)), 0, 9));
    if (chance(25)) in.excludeNumbers = listText(g, someValues(g, 1 + int(g.bounded(5)), 1, 33));
    if (chance(20))
        in.requireNumbers = listText(g, someValues(g, chance(5) ? 7 : 1 + int(g.bounded(3)), 1, 33));
    if (chance(30)) randomItems(g, in.bigSmall, 7);
    if (chance(25)) in.maxCode = 1 + int(g.bounded(33));
    if (chance(25)) in.minCode = 1 + int(g.bounded(33));
    if (chance(25)) {
        in.spanMin = chance(85) ? int(g.bounded(33)) : -1;
        in.spanMax = chance(85) ? int(g.bounded(33)) : -1;
    }
    for (int k = 0; k < 3; ++k) {
        if (chance(15)) in.zones[size_t(k)] = int(g.bounded(7));
        if (chance(15)) in.mod3[size_t(k)] = int(g.bounded(7));
    }
    if (chance(25)) {
        in.acMin = chance(85) ? int(g.bounded(11)) : -1;
        in.acMax = chance(85) ? int(g.bounded(11)) : -1;
    }
    for (ShrinkHitRow& row : in.hitRows) {
        if (chance(25)) row.list = listText(g, someValues(g, 2 + int(g.bounded(12)), 1, 33));
        randomItems(g, row.items, 6);
    }
    return in;
}

// The same for any game: values anywhere in the game's sets, matrix items up to its picks.
inline ShrinkInput randomGameInput(QRandomGenerator& g, int candidates, const Game& game) {
    const int pool = game.frontPool;
    const int picks = game.frontPicks;
    ShrinkInput in = ShrinkInput::resetFor(game);
    QList<int> numbers;
    for (int n = 1; n <= pool; ++n)
        numbers << n;
    for (int k = 0; k < candidates; ++k)
        in.candidates[size_t(numbers.takeAt(int(g.bounded(numbers.size()))) - 1)] = true;
    const int scale = candidates < pool / 2 ? 2 : 1;
    auto chance = [&](int percent) { return int(g.bounded(100)) < percent / scale; };
    auto items = [&](bool* first, int count) {
        for (int k = 0; k < count; ++k)
            first[k] = g.bounded(2);
    };
    const int sumMin = game.sumMin(), sumMax = game.sumMax();
    if (chance(30)) {
        in.sumMin = sumMin + int(g.bounded((sumMax - sumMin) / 2));
        in.sumMax = chance(90) ? std::min(sumMax, in.sumMin + int(g.bounded(90)))
                               : sumMin + int(g.bounded(sumMax - sumMin + 1));
    }
    if (chance(30)) in.excludeSums = listText(g, someValues(g, 1 + int(g.bounded(8)), 0, sumMax));
    if (chance(30)) items(in.oddEven.data(), picks + 1);
    if (chance(30)) randomItems(g, in.repeats);
    in.linkIndex = chance(50) ? int(g.bounded(4)) : 2;
    randomItems(g, in.linkRuns);
    if (chance(25)) {
        in.tailMin = int(g.bounded(10));
        in.tailMax = int(g.bounded(10));
    }
    if (chance(25)) in.excludeTails = listText(g, someValues(g, 1 + int(g.bounded(3)), 0, 9));
    if (chance(25)) in.excludeNumbers = listText(g, someValues(g, 1 + int(g.bounded(5)), 1, pool));
    if (chance(20))
        in.requireNumbers =
            listText(g, someValues(g, chance(5) ? picks + 1 : 1 + int(g.bounded(3)), 1, pool));
    if (chance(30)) items(in.bigSmall.data(), picks + 1);
    if (chance(25)) in.maxCode = 1 + int(g.bounded(pool));
    if (chance(25)) in.minCode = 1 + int(g.bounded(pool));
    if (chance(25)) {
        in.spanMin = chance(85) ? int(g.bounded(game.spanMax() + 1)) : -1;
        in.spanMax = chance(85) ? int(g.bounded(game.spanMax() + 1)) : -1;
    }
    for (int k = 0; k < 3; ++k) {
        if (chance(15)) in.zones[size_t(k)] = int(g.bounded(picks + 1));
        if (chance(15)) in.mod3[size_t(k)] = int(g.bounded(picks + 1));
    }
    if (chance(25)) {
        in.acMin = chance(85) ? int(g.bounded(game.acMax() + 1)) : -1;
        in.acMax = chance(85) ? int(g.bounded(game.acMax() + 1)) : -1;
    }
    for (ShrinkHitRow& row : in.hitRows) {
        if (chance(25)) row.list = listText(g, someValues(g, 2 + int(g.bounded(12)), 1, pool));
        items(row.items.data(), picks);
    }
    return in;
}

} // namespace RandomConditions

inline ShrinkInput RandomShrinkInput(QRandomGenerator& g, int candidates) {
    return RandomConditions::randomInput(g, candidates);
}
