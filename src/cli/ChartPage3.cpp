#include "ChartRegistry.h"
#include "charts/TailChart.h"

namespace {
const ChartPageRegistrar reg(3, [](const TCodeArr& h, int n, int) { return FillTailChart(h, n).toJson(); });
}
