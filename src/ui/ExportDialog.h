#pragma once

#include <QString>
#include <functional>

class QWidget;

// Asks for the file of a text export; an empty answer means cancelled. Tests put their own answer
// in its place.
using SaveFileChooser = std::function<QString(QWidget* parent)>;

// The save dialog of every text export: text files, default extension txt, and no question about
// replacing an existing file (the export replaces it as a whole).
QString AskExportFileName(QWidget* parent);
// The same dialog for another kind of file, e.g. "CSV文件 (*.csv)" with "csv".
QString AskExportFileOfType(QWidget* parent, const QString& filter, const QString& suffix);
