#include "engine/wheel/NumberGroups.h"

bool InNumberGroup(NumberGroup group, int n, const Game& game) {
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
        return n > game.smallMax;
    case NumberGroup::Small:
        return n <= game.smallMax;
    case NumberGroup::Prime:
        return n >= 0 && n < 64 && (game.primeMask >> n & 1u);
    case NumberGroup::Zone1:
        return game.zoneOf(n) == 0;
    case NumberGroup::Zone2:
        return game.zoneOf(n) == 1;
    case NumberGroup::Zone3:
        return game.zoneOf(n) == 2;
    }
    return false;
}
