#pragma once

#include "engine/charts/B0NetModel.h"
#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QJsonObject>
#include <vector>

// The boards of a board page, entry i for the i-th most recent draw.
struct B0NetBoards {
    std::vector<B0NetModel> boards;

    // {"kind":"boards","boards":[TABLE,...]}, newest draw first.
    QJsonObject toJson() const;
};

// Colours of the boards.
constexpr TColor BoardBlankColor = 0xFFFFFF;
constexpr TColor BoardRedColor = 0x0000FF;
constexpr TColor BoardBlueColor = 0xF07658;
constexpr TColor BoardShadeColor = 0xA8A9A9;
constexpr TColor BoardLineColor = 0xFF0000;

// Both board kinds are 6 columns wide and at most 6 rows tall: room for every front number of any
// game (33 leave three cells empty, 35 one). A board keeps only the rows that hold numbers, so 30
// numbers fill a board of 6 x 5 exactly.
constexpr int BoardSide = 6;

// The cell (column, row) of a front number on each board kind. The empty-row board writes the
// numbers row by row, six to a row. The Gann board winds them outward from the centre cell: 1 in
// the centre, then clockwise ring by ring, the outer ring ending on the top row (31 in the top-left
// corner, 35 fifth along the top row); a number beyond the spiral has no cell (QPoint()).
QPoint EmptyRowColCell(int number);
QPoint GannCell(int number);

// One board for draw `draw`, placed as board `index` of its page. The Gann board marks the fronts
// in red and every side number (the backs, or the special number) in blue on the same spiral.
B0NetModel EmptyRowColBoard(const TDrawRec& draw, int index, const Game& game);
B0NetModel GannBoard(const TDrawRec& draw, int index, const Game& game);

// All boards of the latest n draws; an n the history cannot serve is refused (KelvoraError).
B0NetBoards FillEmptyRowCol(const TCodeArr& history, int n, const Game& game);
B0NetBoards FillEmptyRowCol(const TCodeArr& history, int n);
B0NetBoards FillGann(const TCodeArr& history, int n, const Game& game);
B0NetBoards FillGann(const TCodeArr& history, int n);
