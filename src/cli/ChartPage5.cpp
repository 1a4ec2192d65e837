#include "ChartRegistry.h"
#include "charts/ParityCharts.h"

namespace {
const ChartPageRegistrar reg(5,
                             [](const TCodeArr& h, int n, int) { return FillBigSmallChart(h, n).toJson(); });
}
