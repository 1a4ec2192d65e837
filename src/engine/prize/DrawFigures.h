#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"
#include "engine/history/UpdateDecision.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// What was actually sold and paid in one draw, as the official notices give it. Money is fen; -1 marks
// a figure the source does not give.
struct TierFigures {
    int64_t winners = -1;
    int64_t amount = -1; // fen a basic bet
    bool known() const { return winners >= 0 && amount >= 0; }
};

struct DrawFigures {
    int issue = 0;
    QDate date;
    int64_t sales = -1; // fen
    int64_t pool = -1;  // fen, the pool after the draw
    // Tier k + 1 of the rule version in force for the draw (unused tiers hold 0 0).
    std::vector<TierFigures> tiers;
    QString source;
};

// A game's figures, ascending by issue.
struct FiguresTable {
    const Game* game = nullptr;
    std::vector<DrawFigures> draws;

    bool empty() const { return draws.empty(); }
    const DrawFigures* find(int issue) const;
    // The pool carried into a draw: the pool after the draw before it, or -1 when not known.
    int64_t poolBefore(int issue) const;
};

struct FiguresLoad {
    enum Status {
        Ok,      // table holds the file's figures
        Missing, // no file: no figures, no fault
        Refused, // unreadable or faulty: message names every faulty line; nothing is taken
    };
    Status status = Missing;
    FiguresTable table;
    QString message;
};

// Tier pairs a figures line of the game carries: the most tiers any of its rule versions has.
int FigureTierCount(const Game& game);
// "/gx-figures.txt" beside the game's update file on the server.
QString FiguresUpdatePath(const Game& game);

// Parses a figures file: `# ...` comment lines, then `issue date sales pool n1 a1 .. nK aK source`, `-`
// for a figure not known. With a history, an issue inside its span that it does not hold is a fault.
// Never throws.
FiguresLoad ParseFigures(const QByteArray& bytes, const Game& game, const TCodeArr* history);
// Reads the file at path; a missing file is Missing, not a fault. Never throws.
FiguresLoad LoadFigures(const QString& path, const Game& game, const TCodeArr* history);

// The figures file's text of a table (the format ParseFigures reads), with its header line.
QByteArray FiguresFileText(const FiguresTable& table);

// Merges newer figures into held ones: a draw not held is added; one held with other figures is a
// contradiction and refuses the whole merge (message names the draws). A figure given where the held
// one was unknown fills it.
struct FiguresMerge {
    bool ok = false;
    FiguresTable table;
    int added = 0;
    int filled = 0;
    QString message;
};
FiguresMerge MergeFigures(const FiguresTable& held, const FiguresTable& incoming);

// "1,234,567" of a money amount in whole 元 (fen dropped when 0), "-" when not known.
QString YuanText(int64_t fen);
// "星期六"
QString WeekdayText(const QDate& date);

// The draws a listing shows: from fromIssue on (0: the newest count draws), at most count.
std::vector<const DrawFigures*> FiguresRange(const FiguresTable& table, int fromIssue, int count);
// {"game":..,"draws":[{"issue":..,"date":..,"sales":..,"pool":..,"tiers":[{"name":..,"winners":..,
// "amount":..},..]},..]}: money in 元, null for a figure not known; the tiers of the version in force.
QString FiguresJson(const FiguresTable& table, const std::vector<const DrawFigures*>& draws);
// "第2026068期 2026-06-20 星期六 销量333,899,407元 奖池802,145,380元", then a line a tier:
// "  一等奖 5注 每注7,366,555元".
QStringList FiguresTextLines(const Game& game, const DrawFigures& draw);

// What the online update does with the server's figures file: a server without one (404, or no
// answer at all) is no fault; a cut, faulty or contradicting file is refused and the held figures stay.
struct FiguresUpdate {
    enum Status { Absent, Refused, Merged };
    Status status = Absent;
    FiguresTable table; // Merged: the held figures with the new ones
    int added = 0;
    QString message; // Refused: why
};
FiguresUpdate DecideFiguresUpdate(const UpdateTransfer& transfer, const FiguresTable& held,
                                  const TCodeArr& history, const Game& game);

// What the query lists under a draw with known figures: "    2026-06-20 星期六 销量333,899,407元
// 奖池802,145,380元" and "    一等奖5注×7,366,555元 二等奖212注×57,893元 ...".
QStringList FiguresQueryLines(const Game& game, const DrawFigures& draw);
