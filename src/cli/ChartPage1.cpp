#include "ChartRegistry.h"
#include "charts/RedTrend.h"

namespace {
const ChartPageRegistrar reg(1, [](const TCodeArr& h, int n, int) { return FillRedTrend(h, n).toJson(); });
}
