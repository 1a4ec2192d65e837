#pragma once

#include <QByteArray>
#include <QString>

// The history file beside the program.
QString DataFileNameIn(const QString& programDir);

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
// The raw bytes of a file, with the same open errors as ReadDataFile.
QByteArray ReadFileBytes(const QString& path);

// Where a save keeps the file as it was before (one generation).
QString BackupFileName(const QString& path);

// Replaces the file atomically with the editor text, after keeping the old file as its backup;
// throws KelvoraError when either cannot be written (the old file then stays as it was).
void WriteDataFile(const QString& path, const QString& text);
