#include "engine/charts/ChartSheets.h"

#include "engine/charts/AnalysisTable.h"
#include "engine/charts/BlueTrend.h"
#include "engine/charts/ParityCharts.h"
#include "engine/charts/RedTrend.h"
#include "engine/charts/Rotation.h"
#include "engine/charts/StatsCharts.h"
#include "engine/charts/TailChart.h"
#include "engine/charts/TrendGrid.h"
#include "engine/charts/ZoneChart.h"

namespace {

// Adapts a routine of the history, N and the game to the table's signature.
template <typename Model, Model (*Fn)(const TCodeArr&, int, const Game&)>
ChartModel byPeriods(const TCodeArr& h, const ChartArgs& a, const Game& game) {
    return Fn(h, a.periods, game);
}

ChartModel rotation(const TCodeArr& h, const ChartArgs& a, const Game& game) {
    return FillRotation(h, a.periods, a.start, game);
}

ChartModel omission(const TCodeArr& h, const ChartArgs& a, const Game& game) {
    return FillOmission(h, a.periods, a.boxWidth, game);
}

ChartModel salesPool(const TCodeArr& h, const ChartArgs& a, const Game& game) {
    return FillSalesPool(h, a.periods, a.figures, game);
}

} // namespace

const std::array<ChartSheet, ChartSheetCount> ChartSheets = {{
    {1, "红球走势图", ChartKind::Grid, byPeriods<H2NetModel, FillFrontTrend>},
    {2, "区域分布图", ChartKind::Grid, byPeriods<H2NetModel, FillZoneChart>},
    {3, "尾号走势图", ChartKind::Grid, byPeriods<H2NetModel, FillTailChart>},
    {4, "奇偶走势图", ChartKind::Grid, byPeriods<H2NetModel, FillOddEvenChart>},
    {5, "大小走势图", ChartKind::Grid, byPeriods<H2NetModel, FillBigSmallChart>},
    {6, "空行空列图", ChartKind::Boards, byPeriods<B0NetBoards, FillEmptyRowCol>},
    {7, "红球统计图", ChartKind::Bars, byPeriods<G2NetModel, FillFrontStats>},
    {8, "旋转图", ChartKind::Grid, rotation},
    {9, "蓝球走势图", ChartKind::Grid, byPeriods<H2NetModel, FillBackTrend>},
    {10, "蓝球统计图", ChartKind::Bars, byPeriods<G2NetModel, FillBackStats>},
    {11, "遗漏统计图", ChartKind::Tables, omission},
    {12, "江恩图", ChartKind::Boards, byPeriods<B0NetBoards, FillGann>},
    {13, "统计分析表", ChartKind::Grid, byPeriods<H2NetModel, FillAnalysisTable>},
    {14, "奖池与销量", ChartKind::Lines, salesPool},
}};

QString ChartSheet::title(const Game& game) const {
    return ChartWords(caption, game);
}

const ChartSheet* FindChartSheet(int number) {
    return number >= 1 && number <= ChartSheetCount ? &ChartSheets[size_t(number - 1)] : nullptr;
}

QJsonObject ChartModelJson(const ChartModel& model) {
    return std::visit([](const auto& m) { return m.toJson(); }, model);
}
