#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// An imported draw whose issue code is held with other numbers: it is not imported.
struct MergeConflict {
    int issue = 0;
    QString imported; // "01 04 16 22 26 31+04"
    QString held;
};

// Imported draws merged into the held history by issue code. Nothing held is ever replaced.
struct HistoryMergeResult {
    QString text; // the held text with the new draws' lines inserted in issue order
    int added = 0;
    int same = 0;
    QList<MergeConflict> conflicts;
    QStringList gaps; // running numbers missing next to a new draw (MissingIssueTexts)
    // "新增N期，相同M期，冲突K期（未导入）", one line per conflict, then the gaps.
    QString report() const;
};

// heldText is the text held (the editor's, or the data file's) and held its parse; imported holds
// history lines (ConvertImportText's). New draws go before the first held line of a later issue,
// so a history in issue order stays in issue order; blank and held lines stay as typed.
HistoryMergeResult MergeImportedDraws(const QString& heldText, const TCodeArr& held,
                                      const QStringList& imported, const Game& game);

// How many held draws an import that replaces everything would drop (issue codes it does not hold).
int DrawsDroppedByReplacing(const TCodeArr& held, const QStringList& imported, const Game& game);

// The running numbers missing between the issue codes, one text per gap in issue order:
// "缺少2026097到2026098，共2期", "缺少2026097，共1期". A year starts at 001; where a year ends is not
// known, so a year's end is never a gap. With `around`, only gaps next to one of those codes count.
// After ten gaps one more line tells how many others there are.
QStringList MissingIssueTexts(QList<int> issues, const QSet<int>& around = {});

// "共N期，最新ISSUE期" (or "共0期"): what the status bar says about the history.
QString HistoryStatusText(const TCodeArr& history);
