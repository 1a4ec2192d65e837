#pragma once

#include "engine/shrink/ShrinkInput.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The option names of the shrink conditions (the long options of `kelvora-cli shrink` without
// the dashes, and the keys of a condition-set file), in usage order; "hit" takes up to four rows.
const QStringList& ConditionOptionNames();

// An option value that does not fit its option (a usage error on the command line).
struct ConditionOptionError {
    QString key;
    QString message;
};

// Sets one condition from its option text, as on the command line. "hit" takes the rows as one
// list (they replace all four rows). A list option keeps the edit's raw text, read only when the
// run starts. Throws ConditionOptionError for an unknown key or a malformed value, and
// KelvoraError for candidates that the run would refuse to read.
void ApplyConditionOption(ShrinkInput& in, const QString& key, const QStringList& values, const Game& game);

// The condition-set file: UTF-8 JSON, one object of option names to option texts, holding the
// conditions that differ from their reset value, and "game" naming the game the set is for (a
// file without it is a two-colour-ball set). Reading starts from the game's reset values, so a set
// replaces every condition, the hit rows included.
QByteArray WriteConditionSet(const ShrinkInput& in, const Game& game);
// Throws KelvoraError naming the key (or the JSON fault) when the text does not read, and when the
// set is for another game; the values are checked as the run checks them.
ShrinkInput ReadConditionSet(const QByteArray& json, const Game& game);

// The same through a file; the write is atomic. Both throw KelvoraError naming the file.
void SaveConditionSetFile(const QString& path, const ShrinkInput& in, const Game& game);
ShrinkInput LoadConditionSetFile(const QString& path, const Game& game);
