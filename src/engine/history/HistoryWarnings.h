#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QString>
#include <QStringList>

// What the parser lets through but spoils every statistic: a repeated issue code, issue codes going
// backwards, reds typed out of ascending order. One "警告：..." text per
// finding, line by line (line n is entry n - 1).
QStringList HistoryWarnings(const TCodeArr& history, const Game& game);

// The window's one message box for the warnings; empty when there are none.
QString HistoryWarningsMessage(const QStringList& warnings);
