#include "engine/charts/Rotation.h"

#include "engine/charts/RedTrend.h"

H2NetModel FillRotation(const TCodeArr& history, int n, int start, const Game& game) {
    return FillFrontDistribution(history, n, start, game);
}
