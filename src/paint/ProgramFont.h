#pragma once

#include <QFont>

// 宋体 at 14 pixels, falling back to an installed CJK font so Chinese never shows as boxes.
QFont ProgramFont();
