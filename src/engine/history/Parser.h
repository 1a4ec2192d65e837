#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Splits text at sep after trimming blanks (codes <= 32) at both ends; a run of separators counts
// as one, so only non-empty pieces are returned.
QStringList SplitString(const QString& sep, const QString& text);

struct ParseResult {
    enum Status {
        Ok,         // history holds the new draws
        BadLines,   // some line is malformed (shape or range); the caller's history stays
        BadNumbers, // every faulty line has the right shape but a token that is not a number
    };
    Status status = Ok;
    TCodeArr history;
    QString message;        // not Ok: the whole text of the one message box
    QStringList lineErrors; // not Ok: "第n行：reason" per faulty line, in line order
    int badLineCount = 0;
    QList<int> badLines; // 1-based numbers among the non-blank lines
};

// Parses history text of the game given as GB18030/GB2312 bytes (lengths are counted in these
// bytes). A line of the other game's shape is a faulty line. Never throws.
ParseResult ParseHistory(const QByteArray& gbBytes, const Game& game);
// The editor's text: encoded to GB18030 first, so a double-byte character counts as two.
ParseResult ParseHistoryText(const QString& text, const Game& game);

// The message box caption of the validation pass.
QString BadLinesHeading();
