#include "ChartRegistry.h"
#include "charts/StatsCharts.h"

static const ChartPageRegistrar reg(10, [](const TCodeArr& h, int n, int) {
    return FillBlueStats(h, n).toJson();
});
