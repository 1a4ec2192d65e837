#include "engine/charts/Periods.h"

#include "engine/core/KelvoraError.h"

QString PeriodsTooLongMessage() {
    return QStringLiteral("设置的查询期数超过总期数!!");
}

void CheckPeriodsAbove(const TCodeArr& history, int n) {
    if (n > 0 && size_t(n) > history.size()) throw KelvoraError(PeriodsTooLongMessage());
}

void CheckPeriods(const TCodeArr& history, int n) {
    // A negative count is refused like an oversized one.
    if (n < 0 || size_t(n) > history.size()) throw KelvoraError(PeriodsTooLongMessage());
}
