#include "ChartRegistry.h"
#include "charts/ParityCharts.h"

namespace {
const ChartPageRegistrar reg(4,
                             [](const TCodeArr& h, int n, int) { return FillOddEvenChart(h, n).toJson(); });
}
