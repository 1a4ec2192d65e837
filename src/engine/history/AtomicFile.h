#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes the whole file or nothing: an existing file is replaced only once the new one is complete,
// so a crash or a full disk never leaves half a file behind. A target that exists but is not a
// regular file (a device, a folder, a pipe) is refused, never replaced. Returns the system's reason
// on failure, an empty text on success.
QString WriteFileAtomically(const QString& path, const QByteArray& bytes);

// The reason WriteFileAtomically gives for a target that is not a regular file.
QString NotRegularFileReason();

// A save killed between writing and renaming leaves its temporary file ("NAME.XXXXXX") behind;
// removes those of the given file names in dir. Returns how many were removed.
int RemoveStaleSaveFiles(const QString& dir, const QStringList& names);
