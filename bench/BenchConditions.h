#pragma once

#include "engine/shrink/ShrinkInput.h"

// All 33 candidates and every condition on: the heavy set the shrink benchmarks share.
inline ShrinkInput HeavyConditionSet() {
    ShrinkInput in;
    in.candidates.fill(true);
    in.sumMin = 70;
    in.sumMax = 140;
    in.excludeSums = QStringLiteral("90,100,110");
    in.oddEven = {false, false, true, true, true, false, false};
    in.repeats = {true, true, true, false, false};
    in.linkIndex = 0;
    in.linkRuns = {true, true, false, false};
    in.tailMin = 1;
    in.tailMax = 8;
    in.excludeTails = QStringLiteral("5");
    in.excludeNumbers = QStringLiteral("33");
    in.requireNumbers = QStringLiteral("07");
    in.bigSmall = {false, false, true, true, true, false, false};
    in.maxCode = 32;
    in.minCode = 2;
    in.spanMin = 15;
    in.spanMax = 30;
    in.zones = {2, -1, -1};
    in.mod3 = {-1, 2, -1};
    in.acMin = 4;
    in.acMax = 10;
    in.hitRows[0].list = QStringLiteral("1,2,3,4,5,6,7,8,9,10,11");
    in.hitRows[0].items = {false, true, true, true, false, false};
    return in;
}
