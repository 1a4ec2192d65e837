#pragma once

#include <QByteArray>
#include <QString>

// Writes the whole file or nothing: an existing file is replaced only once the new one is complete,
// so a crash or a full disk never leaves half a file behind. Returns the system's reason on failure,
// an empty text on success.
QString WriteFileAtomically(const QString& path, const QByteArray& bytes);
