#pragma once

#include "engine/wheel/WheelSearch.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

struct StoredWheel {
    WheelShape shape;
    std::vector<WheelMask> tickets;
};

// Reads the table text: "wheel v k P T" and then one line of k positions 1..v per ticket; lines
// starting with # are comments. A block that does not read is left out whole, and a Chinese line
// saying so goes to problems when given.
std::vector<StoredWheel> ReadWheelTable(QStringView text, QStringList* problems = nullptr);

// The table file the program reads (wheels.txt beside readme.txt) unless another was set; setting
// one drops what was read before, so only do it before the table is used.
QString WheelTableFile();
void SetWheelTableFile(const QString& path);

// Every wheel of the table that passed the exhaustive check; a wheel that fails is left out.
// Checks the whole table, so it is for tests and tools: the program asks FindStoredWheel.
const std::vector<StoredWheel>& StoredWheels();

// The smallest stored wheel for a shape that passes the exhaustive check, or nullptr (no table, no
// such cell, or its wheels failed). Each cell is checked once, when first asked for.
const StoredWheel* FindStoredWheel(const WheelShape& shape);

// What went wrong with the table so far, in Chinese: a missing file, a block that does not read, a
// wheel that failed its check. Each is also logged once as a warning.
QStringList StoredWheelProblems();
