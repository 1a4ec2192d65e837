#include "engine/charts/BoardCharts.h"

#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"
#include "engine/metrics/Code.h"

#include <QJsonArray>
#include <algorithm>
#include <iterator>

namespace {

constexpr int BoardPitch = 200; // four boards to a line, 200 pixels apart both ways
constexpr int BoardsPerLine = 4;

// Gann spiral around the centre, (column, row) of numbers 1..35; index 0 is unused.
constexpr QPoint GannCells[] = {{0, 0}, {3, 3}, {2, 3}, {2, 2}, {3, 2}, {4, 2}, {4, 3}, {4, 4}, {3, 4},
                                {2, 4}, {1, 4}, {1, 3}, {1, 2}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1},
                                {5, 2}, {5, 3}, {5, 4}, {5, 5}, {4, 5}, {3, 5}, {2, 5}, {1, 5}, {0, 5},
                                {0, 4}, {0, 3}, {0, 2}, {0, 1}, {0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}};
constexpr int GannNumbers = int(std::size(GannCells)) - 1;
static_assert(GannNumbers >= GameLimits::kMaxFrontPool);

// The rows of a board kind that hold the game's numbers: a board is cut to them (30 numbers fill
// five rows of either kind; 33 and 35 need all six).
struct BoardRows {
    int top = 0;
    int count = BoardSide;
};

BoardRows RowsOf(QPoint (*cellOf)(int), const Game& game) {
    int top = BoardSide, bottom = -1;
    for (int j = 1; j <= game.frontPool; ++j) {
        top = std::min(top, cellOf(j).y());
        bottom = std::max(bottom, cellOf(j).y());
    }
    return bottom < top ? BoardRows{} : BoardRows{top, bottom - top + 1};
}

// Where number j stands on the board cut to `rows`.
QPoint BoardCell(QPoint (*cellOf)(int), int j, const BoardRows& rows) {
    return cellOf(j) - QPoint(0, rows.top);
}

// A white board with the game's numbers written by `cellOf`, not yet titled or placed. The boards of
// a page are copies of one such board, sharing its texts.
B0NetModel BlankBoard(QPoint (*cellOf)(int), const Game& game) {
    const BoardRows rows = RowsOf(cellOf, game);
    B0NetModel b;
    b.SetDimension(BoardSide, rows.count, QList<int>(8, 24));
    for (int j = 1; j <= game.frontPool; ++j) {
        const QPoint p = BoardCell(cellOf, j, rows);
        b.SetValue(p.x(), p.y(), QString::number(j));
    }
    for (int r = 0; r < rows.count; ++r)
        for (int c = 0; c < BoardSide; ++c)
            b.SetCellColor(c, r, BoardBlankColor);
    return b;
}

// Titles the board with the draw's issue code and places it as board `index` of its page.
void PlaceBoard(B0NetModel& b, const TDrawRec& draw, int index) {
    b.FTitle = NumToText(draw.Year, 4) + NumToText(draw.Issue, 3) + QStringLiteral("期");
    b.setBounds((index % BoardsPerLine) * BoardPitch + 10, (index / BoardsPerLine) * BoardPitch, BoardPitch,
                BoardPitch);
}

void FinishBoard(B0NetModel& b) {
    b.FLineColor = BoardLineColor;
    b.Resize();
}

bool IsMark(TColor c) {
    return c == BoardRedColor || c == BoardBlueColor;
}
int MarkWeight(TColor c) {
    return c == BoardRedColor ? 1 : c == BoardBlueColor ? 2 : 0;
}

// Shades the unmarked cells of every line (row when byRow, else column) whose marks weigh 2 or more.
void ShadeHeavyLines(B0NetModel& b, bool byRow) {
    const int lines = byRow ? b.rowCount() : b.colCount(), length = byRow ? b.colCount() : b.rowCount();
    for (int line = 0; line < lines; ++line) {
        int weight = 0;
        for (int k = 0; k < length; ++k)
            weight += MarkWeight(byRow ? b.GetCellColor(k, line) : b.GetCellColor(line, k));
        if (weight < 2) continue;
        for (int k = 0; k < length; ++k) {
            const int c = byRow ? k : line, r = byRow ? line : k;
            if (!IsMark(b.GetCellColor(c, r))) b.SetCellColor(c, r, BoardShadeColor);
        }
    }
}

// Every board of the latest n draws: copies of the blank board, each marked by `mark`.
B0NetBoards FillBoards(const TCodeArr& history, int n, QPoint (*cellOf)(int),
                       void (*mark)(B0NetModel&, const TDrawRec&, const Game&), const Game& game) {
    CheckPeriods(history, n);
    const B0NetModel blank = BlankBoard(cellOf, game);
    B0NetBoards result;
    result.boards.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        const TDrawRec& draw = history[history.size() - 1 - size_t(i)];
        B0NetModel& b = result.boards.emplace_back(blank);
        PlaceBoard(b, draw, i);
        mark(b, draw, game);
    }
    return result;
}

} // namespace

QJsonObject B0NetBoards::toJson() const {
    QJsonArray list;
    for (const B0NetModel& b : boards)
        list.append(b.toJson());
    return QJsonObject{{"kind", "boards"}, {"boards", list}};
}

QPoint EmptyRowColCell(int number) {
    return {(number - 1) % BoardSide, (number - 1) / BoardSide};
}

QPoint GannCell(int number) {
    return number >= 1 && number <= GannNumbers ? GannCells[number] : QPoint();
}

namespace {

void MarkEmptyRowCol(B0NetModel& b, const TDrawRec& draw, const Game& game) {
    const int pool = game.frontPool, rows = b.rowCount();
    bool drawn[GameLimits::kMaxFrontPool + 1] = {};
    for (int k = 0; k < game.frontPicks; ++k) {
        const int front = draw.Ticket.Red[k];
        if (front < 1 || front > pool) continue;
        const QPoint p = EmptyRowColCell(front);
        b.SetCellColor(p.x(), p.y(), BoardRedColor);
        drawn[front] = true;
    }
    for (int r = 0; r < rows; ++r) {
        bool any = false;
        for (int j = BoardSide * r + 1; j <= std::min(BoardSide * r + BoardSide, pool); ++j)
            any = any || drawn[j];
        if (!any)
            for (int c = 0; c < BoardSide; ++c)
                b.SetCellColor(c, r, BoardShadeColor);
    }
    for (int c = 0; c < BoardSide; ++c) {
        bool any = false;
        for (int j = c + 1; j <= pool; j += BoardSide)
            any = any || drawn[j];
        if (!any)
            for (int r = 0; r < rows; ++r)
                b.SetCellColor(c, r, BoardShadeColor);
    }
    FinishBoard(b);
}

void MarkGann(B0NetModel& b, const TDrawRec& draw, const Game& game) {
    const BoardRows rows = RowsOf(GannCell, game);
    for (int k = 0; k < game.frontPicks; ++k) {
        const int front = draw.Ticket.Red[k];
        if (front < 1 || front > game.frontPool) continue;
        const QPoint p = BoardCell(GannCell, front, rows);
        b.SetCellColor(p.x(), p.y(), BoardRedColor);
    }
    // The side numbers (back numbers run to 16 at most; a special number is a front number) all
    // have a cell on the board.
    int side[MaxSidePicks];
    const int found = SideNumbers(draw.Ticket, game, side);
    for (int k = 0; k < found; ++k) {
        const QPoint p = BoardCell(GannCell, side[k], rows);
        b.SetCellColor(p.x(), p.y(), BoardBlueColor);
    }
    ShadeHeavyLines(b, true);
    ShadeHeavyLines(b, false);
    FinishBoard(b);
}

} // namespace

B0NetModel EmptyRowColBoard(const TDrawRec& draw, int index, const Game& game) {
    B0NetModel b = BlankBoard(EmptyRowColCell, game);
    PlaceBoard(b, draw, index);
    MarkEmptyRowCol(b, draw, game);
    return b;
}

B0NetModel GannBoard(const TDrawRec& draw, int index, const Game& game) {
    B0NetModel b = BlankBoard(GannCell, game);
    PlaceBoard(b, draw, index);
    MarkGann(b, draw, game);
    return b;
}

B0NetBoards FillEmptyRowCol(const TCodeArr& history, int n, const Game& game) {
    return FillBoards(history, n, EmptyRowColCell, MarkEmptyRowCol, game);
}

B0NetBoards FillEmptyRowCol(const TCodeArr& history, int n) {
    return FillEmptyRowCol(history, n, Game::ssq());
}

B0NetBoards FillGann(const TCodeArr& history, int n, const Game& game) {
    return FillBoards(history, n, GannCell, MarkGann, game);
}

B0NetBoards FillGann(const TCodeArr& history, int n) {
    return FillGann(history, n, Game::ssq());
}
