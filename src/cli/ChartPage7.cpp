#include "ChartRegistry.h"
#include "charts/StatsCharts.h"

static const ChartPageRegistrar reg(7, [](const TCodeArr& h, int n, int) {
    return FillRedStats(h, n).toJson();
});
