#pragma once

#include "engine/charts/H2NetModel.h"
#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QList>
#include <QString>
#include <initializer_list>

// The frame shared by the trend-chart fill routines: two fixed header rows with merged captions,
// one row per draw (newest first, grid row 2 + i) and a grey totals row headed "合计".

constexpr TColor TrendTotalsColor = 0x808080;
constexpr TColor TrendRedHitColor = 0x8486FF;

// "00".."99" with a leading zero, and plain decimals, shared so that big grids copy instead of
// formatting each cell.
const QString& TwoDigitText(int value);
QString PlainText(int value);

// Issue code of a draw: four-digit year and three-digit running number ("2005013").
QString IssueText(const TDrawRec& draw);
// The numbers a draw shows beside its fronts, ascending, into side; returns how many (at most
// sidePicks): the game's flagged back numbers, or the draw's special number.
constexpr int MaxSidePicks = GameLimits::kMaxBackPicks;
int SideNumbers(const TCodeRec& ticket, const Game& game, int (&side)[MaxSidePicks]);
// The text of the column beside the fronts: "07", or "06 07" for two backs; empty without one.
QString SideText(const TCodeRec& ticket, const Game& game);
// Width of that column: room for every side number of a draw.
inline int BackColumnWidth(const Game& game) {
    return 16 + 16 * game.sidePicks();
}
// A caption in the game's words: 红球 becomes the game's front word, 蓝球 what stands beside the
// fronts (the backs, or the special number).
QString ChartWords(const char* utf8, const Game& game);

struct TrendCaption {
    const char* text;
    int left, top, right, bottom; // corner cells as (column, row)
};

// Sets the font size and sizes the grid for n draws: widths.size() columns, n + 1 data rows,
// 2 fixed rows. Call after the period check.
void BeginTrendGrid(H2NetModel& model, int fontSize, int n, const QList<int>& widths);
// One active merged caption per entry, all in the grid's fixed-row colour, in the game's words.
void SetTrendCaptions(H2NetModel& model, std::initializer_list<TrendCaption> captions, const Game& game);
// Row 1 texts: value first + k in column firstCol + k, for count columns, in plain decimal.
void SetHeaderRun(H2NetModel& model, int firstCol, int count, int first);
// Issue code in column 0; with reds, the front numbers in columns 1..picks; the side numbers in
// blueCol (left empty for a draw without one).
void WriteDrawHead(H2NetModel& model, int row, const TDrawRec& draw, bool reds, int blueCol,
                   const Game& game);
// Totals row (grid row n + 2): "合计", every cell grey, totals[c] in columns from..to.
void WriteTotalsRow(H2NetModel& model, int n, const int* totals, int from, int to);
