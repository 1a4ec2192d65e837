#pragma once

#include "history/CodeRec.h"

#include <QJsonObject>

// Builds the JSON of one chart sheet for the latest n draws (start: the rotation chart's start
// number, ignored by the other sheets). Throws KelvoraError when the sheet refuses n.
using ChartJsonFn = QJsonObject (*)(const TCodeArr& history, int n, int start);

// Each chart sheet registers itself from its own file ChartPage<N>.cpp:
//     static const ChartPageRegistrar reg(6, [](const TCodeArr& h, int n, int) { return ...toJson(); });
struct ChartPageRegistrar {
    ChartPageRegistrar(int page, ChartJsonFn fn);
};

// The function of sheet 1..13, or nullptr when none is registered.
ChartJsonFn FindChartPage(int page);
