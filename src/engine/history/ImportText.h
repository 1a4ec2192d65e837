#pragma once

#include "engine/core/Game.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A draw list as web pages and spreadsheets give it, converted into history lines.
struct ImportResult {
    bool ok = false;
    QStringList lines; // history lines "2005013 03 07 12 19 25 31 09", reds and issue codes ascending
    int converted = 0; // draws kept
    int skipped = 0;   // header lines and exact duplicates
    QString message;   // not ok: every faulty line with its reason, or why the file holds no draw
    QString summary() const;
};

// The text of an import file: UTF-16 or UTF-32 with a byte order mark, UTF-8 (with or without the
// mark) when it is valid UTF-8, otherwise the GB2312 family.
QString DecodeImportText(const QByteArray& bytes);

// Each non-blank line holds a 7-digit issue code, optionally a date (YYYY-MM-DD or YYYY/MM/DD), the
// game's fronts and backs (six reds and a blue), separated by blanks, tabs, commas, "+" or "|", with or without leading zeros;
// full-width digits and separators count as their plain forms. Lines without any number before the
// first draw are headers and are skipped; every other line that is no draw is a fault with its own
// reason, all listed in one message. Lines are sorted by issue code and exact duplicates dropped.
// A text without any draw is refused. Never throws.
ImportResult ConvertImportText(const QString& text, const Game& game = Game::ssq());

// The message for a file that holds no draw at all.
QString NoDrawFoundText(const Game& game = Game::ssq());
