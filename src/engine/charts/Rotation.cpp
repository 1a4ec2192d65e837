#include "engine/charts/Rotation.h"

#include "engine/charts/RedTrend.h"

H2NetModel FillRotation(const TCodeArr& history, int n, int start) {
    return FillRedDistribution(history, n, start);
}
