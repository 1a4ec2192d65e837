#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QString>

// What 结果兑奖 does with the text typed into its box.
enum class ResultCheckAction { Nothing, Search, CheckDraw, Refuse };

struct ResultCheckAnswer {
    ResultCheckAction action = ResultCheckAction::Nothing;
    QString message; // for Refuse: what is wrong with the text and what the box accepts
};

// Empty: nothing. A number of one or two digits (blanks around it allowed), or exactly three bytes in
// the program's code page: a search in the result text.
// An issue code of the history or a whole draw: the prize check of the result against it.
// Anything else is refused with a message.
ResultCheckAnswer ReadResultCheckAnswer(const QString& text, const TCodeArr& history, const Game& game);
// The number a search text names (0..99): one or two digits with nothing but blanks around them; -1
// for any other text.
int SearchedNumber(const QString& text);
// What the box accepts, with examples in the game's words.
QString ResultCheckAcceptedText(const Game& game);
