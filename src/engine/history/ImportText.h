#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A draw list as web pages and spreadsheets give it, converted into history lines.
struct ImportResult {
    bool ok = false;
    QStringList lines; // history lines "2005013 03 07 12 19 25 31 09", issue codes ascending
    int converted = 0; // draws kept
    int skipped = 0;   // header lines and exact duplicates
    QString message;   // not ok: the faulty lines, as the parser reports bad lines
    QString summary() const;
};

// The text of an import file: UTF-8 (with or without byte order mark) when it is valid UTF-8,
// otherwise the GB2312 family.
QString DecodeImportText(const QByteArray& bytes);

// Each non-blank line holds a 7-digit issue code, six reds and a blue, separated by blanks, tabs,
// commas, "+" or "|", with or without leading zeros; a line without any number is a header and is
// skipped. Lines are sorted by issue code and exact duplicates dropped. Never throws.
ImportResult ConvertImportText(const QString& text);
