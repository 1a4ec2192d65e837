#pragma once

#include <QIcon>

// The main tool bar's pictures, drawn in code so they stay crisp at any scale.
enum class ToolIcon { Data, Chart, Shrink, Predict, Query, Recommend, News, Exit };

QIcon MakeToolIcon(ToolIcon kind);
