#include "history/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

QString NotRegularFileReason() {
    return QStringLiteral("目标不是普通文件");
}

QString WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    // QSaveFile would rename a regular file over a device or a pipe; refuse instead.
    if (target.exists() && !target.isFile()) return NotRegularFileReason();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return {};
    const QString why = file.errorString();
    return why.isEmpty() ? QStringLiteral("unknown error") : why;
}

int RemoveStaleSaveFiles(const QString& dir, const QStringList& names) {
    int removed = 0;
    const QDir folder(dir);
    for (const QString& name : names) {
        // QSaveFile's temporary name: the file name, a dot and six letters or digits.
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(name) + QLatin1String("\\.[A-Za-z0-9]{6}")));
        const QStringList found =
            folder.entryList({name + QLatin1String(".??????")}, QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& f : found)
            if (pattern.match(f).hasMatch() && QFile::remove(folder.filePath(f))) ++removed;
    }
    return removed;
}
