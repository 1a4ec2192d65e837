#pragma once

#include "engine/history/Parser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>

// The sample history, read once per benchmark program.
inline const TCodeArr& BenchHistory() {
    static const TCodeArr history = [] {
        QFile f(KELVORA_SAMPLE);
        f.open(QIODevice::ReadOnly);
        return ParseHistory(f.readAll(), Game::ssq()).history;
    }();
    return history;
}

// A game's sample history (data/<game>-history.dxt beside the first game's), read once per program.
inline const TCodeArr& BenchHistoryOf(const Game& game) {
    static std::map<const Game*, TCodeArr> histories;
    auto it = histories.find(&game);
    if (it == histories.end()) {
        QFile f(QFileInfo(QStringLiteral(KELVORA_SAMPLE)).dir().filePath(game.keyText() + QStringLiteral("-history.dxt")));
        f.open(QIODevice::ReadOnly);
        it = histories.emplace(&game, ParseHistory(f.readAll(), game).history).first;
    }
    return it->second;
}
