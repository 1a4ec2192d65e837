#include "ChartRegistry.h"
#include "charts/BoardCharts.h"

static const ChartPageRegistrar reg(12,
                                    [](const TCodeArr& h, int n, int) { return FillGann(h, n).toJson(); });
