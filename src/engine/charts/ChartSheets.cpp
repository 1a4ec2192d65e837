#include "engine/charts/ChartSheets.h"

#include "engine/charts/AnalysisTable.h"
#include "engine/charts/BlueTrend.h"
#include "engine/charts/ParityCharts.h"
#include "engine/charts/RedTrend.h"
#include "engine/charts/Rotation.h"
#include "engine/charts/StatsCharts.h"
#include "engine/charts/TailChart.h"
#include "engine/charts/ZoneChart.h"

namespace {

// Adapts a routine of the history and N alone to the table's signature.
template <auto Fn> ChartModel byPeriods(const TCodeArr& h, const ChartArgs& a) {
    return Fn(h, a.periods);
}

ChartModel rotation(const TCodeArr& h, const ChartArgs& a) {
    return FillRotation(h, a.periods, a.start);
}

ChartModel omission(const TCodeArr& h, const ChartArgs& a) {
    return FillOmission(h, a.periods, a.boxWidth);
}

} // namespace

const std::array<ChartSheet, ChartSheetCount> ChartSheets = {{
    {1, "红球走势图", ChartKind::Grid, byPeriods<FillRedTrend>},
    {2, "区域分布图", ChartKind::Grid, byPeriods<FillZoneChart>},
    {3, "尾号走势图", ChartKind::Grid, byPeriods<FillTailChart>},
    {4, "奇偶走势图", ChartKind::Grid, byPeriods<FillOddEvenChart>},
    {5, "大小走势图", ChartKind::Grid, byPeriods<FillBigSmallChart>},
    {6, "空行空列图", ChartKind::Boards, byPeriods<FillEmptyRowCol>},
    {7, "红球统计图", ChartKind::Bars, byPeriods<FillRedStats>},
    {8, "旋转图", ChartKind::Grid, rotation},
    {9, "蓝球走势图", ChartKind::Grid, byPeriods<FillBlueTrend>},
    {10, "蓝球统计图", ChartKind::Bars, byPeriods<FillBlueStats>},
    {11, "遗漏统计图", ChartKind::Tables, omission},
    {12, "江恩图", ChartKind::Boards, byPeriods<FillGann>},
    {13, "统计分析表", ChartKind::Grid, byPeriods<FillAnalysisTable>},
}};

const ChartSheet* FindChartSheet(int number) {
    return number >= 1 && number <= ChartSheetCount ? &ChartSheets[size_t(number - 1)] : nullptr;
}

QJsonObject ChartModelJson(const ChartModel& model) {
    return std::visit([](const auto& m) { return m.toJson(); }, model);
}
