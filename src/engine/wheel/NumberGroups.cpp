#include "engine/wheel/NumberGroups.h"

#include "engine/core/Pools.h"

bool InNumberGroup(NumberGroup group, int n, int pool) {
    const int zone = (pool + 2) / 3;
    switch (group) {
    case NumberGroup::All:
        return true;
    case NumberGroup::None:
        return false;
    case NumberGroup::Odd:
        return n % 2 == 1;
    case NumberGroup::Even:
        return n % 2 == 0;
    case NumberGroup::Big:
        return n > Pools::kSmallMax;
    case NumberGroup::Small:
        return n <= Pools::kSmallMax;
    case NumberGroup::Prime: {
        if (n == 1) return true;
        for (int d = 2; d * d <= n; ++d)
            if (n % d == 0) return false;
        return true;
    }
    case NumberGroup::Zone1:
        return n <= zone;
    case NumberGroup::Zone2:
        return n > zone && n <= 2 * zone;
    case NumberGroup::Zone3:
        return n > 2 * zone;
    }
    return false;
}
