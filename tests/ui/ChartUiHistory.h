#pragma once

#include "engine/history/Parser.h"

#include <QFile>

// The sample history for the chart page tests.
inline TCodeArr SampleHistory() {
    QFile f(QStringLiteral(KELVORA_SAMPLE));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return ParseHistory(f.readAll()).history;
}
