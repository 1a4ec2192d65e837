#include "engine/shrink/ListReader.h"

#include "engine/core/KelvoraError.h"
#include "engine/history/Convert.h"
#include "engine/history/Parser.h"

QString OutOfRangeText(const QString& condition, int value, int low, int high) {
    return QStringLiteral("%1: %2 超出范围 %3-%4").arg(condition).arg(value).arg(low).arg(high);
}

QList<int> ReadNumberList(const QString& text, int low, int high, const QString& condition) {
    QList<int> values;
    const QStringList pieces = SplitString(QStringLiteral(","), text);
    values.reserve(pieces.size());
    for (const QString& piece : pieces) {
        const int v = StrToInt(piece);
        // Storing such a value would index past the condition's flag set.
        if (v < low || v > high) throw KelvoraError(OutOfRangeText(condition, v, low, high));
        values.append(v);
    }
    return values;
}
