#include "engine/io/ExportFile.h"

#include "engine/core/KelvoraError.h"
#include "engine/io/AtomicFile.h"
#include "engine/io/GbText.h"

#include <QDir>

QStringList MemoLines(const QString& text) {
    if (text.isEmpty()) return {};
    return text.split(QLatin1Char('\n'));
}

void ExportLines(const QString& path, const QStringList& lines) {
    const QString why = WriteFileAtomically(path, LinesToGbFile(lines));
    if (!why.isEmpty())
        throw KelvoraError(
            QStringLiteral("无法创建文件 \"%1\"：%2").arg(QDir::toNativeSeparators(path), why));
}
