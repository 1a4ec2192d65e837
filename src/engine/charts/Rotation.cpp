#include "charts/Rotation.h"

#include "charts/RedTrend.h"

H2NetModel FillRotation(const TCodeArr& history, int n, int start) {
    return FillRedDistribution(history, n, start);
}
