#pragma once

#include "engine/core/Game.h"

#include <QString>
#include <QStringList>

// Where the program keeps the history, the update download and the backup, and where it reads its
// help text. A build tree or a portable copy keeps everything beside the program; an installed copy
// (share/kelvora beside bin/) or a read-only program directory uses the per-user data folder, seeded
// from the shipped sample on the first start. Nothing is ever written under an installed prefix.
struct DataPlaces {
    QString programDir; // the executable's directory
    QString dataOption; // --data FILE; empty when not given
    QString userDir;    // the per-user data folder (UserDataDir())
    const Game* game = &Game::ssq(); // whose history file is meant
};

struct DataLocation {
    QString dataDir;    // the backup (ssq.dxt.bak, dlt.dxt.bak) lives here
    QString dataFile;   // the history the program saves
    QString loadFile;   // what the start reads: the data file, the sample when no copy could be made,
                        // empty when there is nothing to read
    QString readmeFile; // the help text
    // The game's draw figures: where they are saved (in dataDir) and what the start reads (that file,
    // or the installed copy when none could be made; empty when there is none).
    QString figuresFile;
    QString figuresLoadFile;
    bool perUser = false;
    QStringList problems; // Chinese messages for the user; the program opens all the same
};

// ~/.local/share/Kelvora (XDG_DATA_HOME honoured; without HOME, the account's home); empty when no
// home is known.
QString UserDataDir();
// share/kelvora of an installed copy whose executable is in programDir.
QString InstalledShareDir(const QString& programDir);
// The stored wheels (wheels.txt), found as readme.txt is: in share/kelvora of an installed copy, else
// beside the program.
QString WheelTablePath(const QString& programDir);
// "ssq-figures.txt": the game's draw figures beside its history.
QString FiguresFileName(const Game& game);
// Decides, creates the per-user folder and copies the sample (and the figures) into it when needed.
DataLocation LocateData(const DataPlaces& places);
