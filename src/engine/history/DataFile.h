#pragma once

#include "engine/core/Game.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

// The game's history file in a folder (ssq.dxt, dlt.dxt).
QString DataFileNameIn(const QString& programDir, const Game& game);

// The editor text of a history file's bytes: GB2312 family, any of CR LF, LF or CR ends a line,
// and the break after the last line does not make an empty line of its own.
QString DataFileBytesToText(const QByteArray& bytes);
// The file bytes of an editor text: every line, the last one included, followed by CR LF.
// An empty editor gives an empty file.
QByteArray DataTextToFileBytes(const QString& text);

// Reads a history file. An empty file gives isEmpty = true (the editor then keeps its text).
// Throws KelvoraError with the open error when the file cannot be read.
struct DataFileContent {
    QString text;
    bool isEmpty = true;
};
DataFileContent ReadDataFile(const QString& path);
// Every file a user names (history, import, ticket list, condition set) is refused beyond this size.
constexpr qint64 MaxInputFileBytes = 64 * 1024 * 1024;

// The raw bytes of a file the user named, with the same open errors as ReadDataFile: a folder, a
// missing file or a link to one, and anything beyond MaxInputFileBytes are refused before the file
// is held whole (a device such as /dev/zero is read only up to the limit).
QByteArray ReadFileBytes(const QString& path);
// The bytes of an open device (standard input, an opened file), at most MaxInputFileBytes; name is
// what the messages call it. Throws KelvoraError.
QByteArray ReadDeviceBytes(QIODevice& device, const QString& name);

// Where a save keeps the file as it was before (one generation).
QString BackupFileName(const QString& path);

// Replaces the file atomically with the editor text, after keeping the old file as its backup;
// throws KelvoraError when either cannot be written (the old file then stays as it was).
void WriteDataFile(const QString& path, const QString& text);
