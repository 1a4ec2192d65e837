#pragma once

#include "engine/charts/B0NetModel.h"
#include "engine/core/CodeRec.h"

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

// The cell (column, row) of number 1..33 on each board kind.
QPoint EmptyRowColCell(int number);
QPoint GannCell(int number);

// One board for draw `draw`, placed as board `index` of its page.
B0NetModel EmptyRowColBoard(const TDrawRec& draw, int index);
B0NetModel GannBoard(const TDrawRec& draw, int index);

// All boards of the latest n draws; an n the history cannot serve is refused (KelvoraError).
B0NetBoards FillEmptyRowCol(const TCodeArr& history, int n);
B0NetBoards FillGann(const TCodeArr& history, int n);
