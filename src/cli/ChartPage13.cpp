#include "ChartRegistry.h"
#include "charts/AnalysisTable.h"

static const ChartPageRegistrar reg(13, [](const TCodeArr& h, int n, int) {
    return FillAnalysisTable(h, n).toJson();
});
