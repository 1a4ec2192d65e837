#pragma once

#include <QString>

class QWidget;
struct DataLocation;

// 关于: the version, where the history and the settings are kept, and the reminder to play sensibly.
QString AboutText(const DataLocation& location, const QString& settingsFile);
void ShowAboutBox(QWidget* parent, const DataLocation& location);

// The help text in a window of the program's own, for a desktop that cannot open a text file.
void ShowHelpViewer(QWidget* parent, const QString& readmeFile);
