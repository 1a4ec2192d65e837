#pragma once

#include "engine/history/Parser.h"

#include <QFile>

// The sample history, read once per benchmark program.
inline const TCodeArr& BenchHistory() {
    static const TCodeArr history = [] {
        QFile f(KELVORA_SAMPLE);
        f.open(QIODevice::ReadOnly);
        return ParseHistory(f.readAll(), Game::ssq()).history;
    }();
    return history;
}
