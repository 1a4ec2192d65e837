#include "ChartRegistry.h"
#include "charts/BoardCharts.h"

static const ChartPageRegistrar reg(6, [](const TCodeArr& h, int n, int) {
    return FillEmptyRowCol(h, n).toJson();
});
