#pragma once

#include <QList>
#include <QString>

// Reads a user-typed number list such as "04,7,15": the text is split at commas (empty pieces are
// skipped) and each piece converted like the runtime's StrToInt. A piece that does not convert
// throws KelvoraError "'%s' is not a valid integer value"; a value outside low..high throws
// KelvoraError naming the condition, for example "和值排除: 200 超出范围 0-183".
// Returns the values in the order typed (repeats kept); an empty result means the condition is off.
QList<int> ReadNumberList(const QString& text, int low, int high, const QString& condition);

// "condition: value 超出范围 low-high", the message for a value a condition cannot hold.
QString OutOfRangeText(const QString& condition, int value, int low, int high);
