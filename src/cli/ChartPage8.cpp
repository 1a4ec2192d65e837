#include "ChartRegistry.h"
#include "charts/Rotation.h"

namespace {
const ChartPageRegistrar reg(8, [](const TCodeArr& h, int n, int start) {
    return FillRotation(h, n, start).toJson();
});
}
