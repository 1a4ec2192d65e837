#pragma once

#include "engine/core/Game.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// A draw list as web pages and spreadsheets give it, converted into history lines.
// What a table with sales and pool columns says of a draw besides its numbers (money in fen).
struct ImportedSales {
    int issue = 0;
    QDate date;         // invalid when the line gives none
    int64_t sales = -1; // -1: not given
    int64_t pool = -1;
};

struct ImportResult {
    bool ok = false;
    // Sales and pool of the draws, read only where the header names both columns (销售额 … 奖池) and a
    // line gives them as exact amounts in 元 (not "3.89亿").
    std::vector<ImportedSales> sales;
    QStringList lines; // history lines "2005013 03 07 12 19 25 31 09", reds and issue codes ascending
    int converted = 0; // draws kept
    int skipped = 0;   // header lines and exact duplicates
    QStringList gaps;  // ok: the running numbers missing between the draws (MissingIssueTexts)
    QString message;   // not ok: every faulty line with its reason, or why the file holds no draw
    // "导入完成：转换N行，跳过M行", then the gaps, one a line.
    QString summary() const;
};

// The text of an import file: UTF-16 or UTF-32 with a byte order mark, UTF-8 (with or without the
// mark) when it is valid UTF-8, otherwise the GB2312 family.
QString DecodeImportText(const QByteArray& bytes);

// Each non-blank line holds an issue code (7 digits, the official 5 digits "26094" for 2026094, or
// "第2026096期"), the game's fronts and backs (six reds and a blue), separated by blanks, tabs,
// commas, "+" or "|", with or without leading zeros. A date (YYYY-MM-DD, YYYY/MM/DD, YYYY年M月D日,
// with or without the weekday "(四)") may stand in any column; sales, pool and prize amounts may
// follow the numbers. Full-width digits and separators count as their plain forms. Lines without
// any number before the first draw are headers and are skipped; every other line that is no draw
// (year 0000 included) is a fault with its own reason, all listed in one message. Lines are sorted
// by issue code and exact duplicates dropped. A text without any draw is refused. Never throws.
ImportResult ConvertImportText(const QString& text, const Game& game);

// The heading of the message that lists the faulty lines of an imported file.
QString ImportBadLinesHeading();

// The message for a file that holds no draw at all.
QString NoDrawFoundText(const Game& game);
