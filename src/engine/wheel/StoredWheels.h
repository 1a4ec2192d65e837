#pragma once

#include "engine/wheel/WheelSearch.h"

#include <QStringView>
#include <vector>

struct StoredWheel {
    WheelShape shape;
    std::vector<WheelMask> tickets;
};

// Reads the table text: "wheel v k P T" and then one line of k positions 1..v per ticket. A block
// that does not read ends the reading of that block and is left out.
std::vector<StoredWheel> ReadWheelTable(QStringView text);

// The table compiled into the program, as text.
QStringView StoredWheelText();

// The stored wheels that passed the exhaustive check when the table was first used; a wheel that
// fails is never offered.
const std::vector<StoredWheel>& StoredWheels();

// The stored wheel for a shape, or nullptr.
const StoredWheel* FindStoredWheel(const WheelShape& shape);
