#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QString>
#include <QStringList>

// Reading the history file, shared by the window's start-up and kelvora-cli, so both name the same
// faults with the same words.
struct HistoryLoad {
    enum Status {
        Ok,        // history holds the file's draws (none for an empty file)
        FileError, // missing or unreadable: message
        Refused,   // the text does not parse: message lists every faulty line
    };
    Status status = FileError;
    QString text;           // the editor text of the file (FileError: empty)
    bool fileEmpty = false; // a 0-byte file: the window's editor keeps what it holds
    TCodeArr history;
    QString message;
    QStringList warnings; // Ok: HistoryWarnings of the draws
};

// Never throws.
HistoryLoad LoadHistory(const QString& path, const Game& game);

// The status bar's summary of a history: "共N期，最新ISSUE期" ("共0期" when empty).
QString HistoryCountText(const TCodeArr& history);
