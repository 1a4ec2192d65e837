#include "ChartRegistry.h"
#include "charts/OmissionChart.h"

// Without a window the tables are centred in a box exactly as wide as they are (left 0).
static const ChartPageRegistrar reg(11, [](const TCodeArr& h, int n, int) {
    return FillOmission(h, n, OmissionTableWidth).toJson();
});
