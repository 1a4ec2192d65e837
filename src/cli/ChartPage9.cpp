#include "ChartRegistry.h"
#include "charts/BlueTrend.h"

namespace {
const ChartPageRegistrar reg(9, [](const TCodeArr& h, int n, int) { return FillBlueTrend(h, n).toJson(); });
}
