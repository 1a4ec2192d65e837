#pragma once

#include <QString>
#include <memory>

class QSettings;
class QWidget;

// The user's settings, one file for the whole program (~/.config/Kelvora/Kelvora.conf), whatever
// the running program's application name: keys "update/server", "window/geometry",
// "window/maximized", "paths/lastDir", "game/last".
std::unique_ptr<QSettings> OpenUserSettings();

// The folder last used for an import or export; the home folder before the first one.
QString LastDir();
// Remembers the folder of a file (or a folder) the user has just picked.
void RememberLastDir(const QString& path);

// The main window's size, place and maximised state from the last session; false when there is none.
bool RestoreWindowState(QWidget* window);
void SaveWindowState(const QWidget* window);

// The key of the game shown last ("ssq", "dlt"); empty before the first start.
QString LastGameKey();
void RememberLastGame(const QString& key);
