#include "history/AtomicFile.h"

#include <QSaveFile>

QString WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return {};
    const QString why = file.errorString();
    return why.isEmpty() ? QStringLiteral("unknown error") : why;
}
