#include "ChartRegistry.h"
#include "charts/ZoneChart.h"

namespace {
const ChartPageRegistrar reg(2, [](const TCodeArr& h, int n, int) { return FillZoneChart(h, n).toJson(); });
}
