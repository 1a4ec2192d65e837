#pragma once

#include "engine/charts/BoardCharts.h"
#include "engine/charts/G2NetModel.h"
#include "engine/charts/H2NetModel.h"
#include "engine/charts/OmissionChart.h"
#include "engine/charts/SalesPoolChart.h"
#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QJsonObject>
#include <array>
#include <variant>

// What a sheet shows, and so which control draws it.
enum class ChartKind {
    Grid,   // a trend grid (H2NetModel)
    Bars,   // a bar statistics chart (G2NetModel)
    Boards, // one small board per draw (B0NetBoards)
    Tables, // the two omission tables (OmissionTables)
    Lines,  // lines over the draws from the draw figures (SalesPoolChart)
};

// What a fill routine reads besides the history.
struct ChartArgs {
    int periods = 30;
    int start = 1;                         // the rotation chart's start number
    int boxWidth = OmissionTableWidth;     // the omission tables are centred in a box this wide
    const FiguresTable* figures = nullptr; // the draw figures of the game, for the sheets that read them
};

using ChartModel = std::variant<H2NetModel, G2NetModel, B0NetBoards, OmissionTables, SalesPoolChart>;

// One chart sheet: its 1-based number (page index + 1), caption, kind and fill routine. The fill
// routine throws KelvoraError for an N it refuses, before building anything.
struct ChartSheet {
    int number;
    const char* caption; // UTF-8, in the two-colour ball's words
    ChartKind kind;
    ChartModel (*fillRoutine)(const TCodeArr& history, const ChartArgs& args, const Game& game);

    ChartModel fill(const TCodeArr& history, const ChartArgs& args, const Game& game) const {
        return fillRoutine(history, args, game);
    }

    // The caption in the game's words ("红球走势图", "前区走势图").
    QString title(const Game& game) const;
    // Whether the fill routine reads the draw figures (ChartArgs::figures).
    bool readsFigures() const { return kind == ChartKind::Lines; }
};

constexpr int ChartSheetCount = 14;
// The sheets in page-index order.
extern const std::array<ChartSheet, ChartSheetCount> ChartSheets;
// Sheet 1..ChartSheetCount, or nullptr outside.
const ChartSheet* FindChartSheet(int number);

// The chart JSON of any model ({"kind":...} as each model writes it).
QJsonObject ChartModelJson(const ChartModel& model);
