#pragma once

#include "engine/charts/B0NetModel.h"
#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QJsonObject>

// The two tables of the omission page: per-number statistics over the whole history.
struct OmissionTables {
    B0NetModel red;
    B0NetModel blue;

    // {"kind":"tables","tables":[RED_TABLE,BLUE_TABLE]}
    QJsonObject toJson() const;
};

constexpr TColor OmissionHeaderColor = 0xBACECA;
constexpr TColor OmissionRedRowColor = 0xDDEEFF;
constexpr TColor OmissionBlueRowColor = 0xFFEEBA;
constexpr int OmissionTableWidth = 576;

// Both tables (one row per front number, one per side number: a back counts as drawn when it is
// any of the draw's backs; a special number when it is the draw's), centred in a scroll box `boxWidth` pixels wide. n only must not exceed
// the history (else KelvoraError; any n <= 0 is fine); the statistics always cover every draw.
OmissionTables FillOmission(const TCodeArr& history, int n, int boxWidth, const Game& game);
