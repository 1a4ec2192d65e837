#include "shrink/ResultFile.h"

#include "KelvoraError.h"
#include "history/GbText.h"

#include <QDir>
#include <QSaveFile>

QStringList MemoLines(const QString& text) {
    if (text.isEmpty()) return {};
    return text.split(QLatin1Char('\n'));
}

void ExportLines(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    const QByteArray bytes = LinesToGbFile(lines);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw KelvoraError(QStringLiteral("无法创建文件 \"%1\"：%2")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
}
