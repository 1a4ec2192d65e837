#pragma once

#include "engine/predict/Prediction.h"

#include <QString>

// KIND on the command line and the prediction command it names.
struct PredictKindName {
    const char* name;
    PredictKind kind;
};
inline constexpr PredictKindName PredictKindNames[] = {
    {"compound", PredictKind::Compound}, {"single", PredictKind::Single}, {"banker", PredictKind::Banker},
    {"cold", PredictKind::Cold},         {"odd", PredictKind::Odd},       {"even", PredictKind::Even},
    {"zone", PredictKind::Zone},
};

// The entry for KIND, or null.
inline const PredictKindName* FindPredictKind(const QString& kind) {
    for (const PredictKindName& k : PredictKindNames)
        if (kind == QLatin1String(k.name)) return &k;
    return nullptr;
}
