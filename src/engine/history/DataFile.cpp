#include "history/DataFile.h"

#include "KelvoraError.h"
#include "history/AtomicFile.h"
#include "history/GbText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString DataFileNameIn(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("ssq.dxt"));
}

QString DataFileBytesToText(const QByteArray& bytes) {
    QString text = FromGb(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text;
}

QByteArray DataTextToFileBytes(const QString& text) {
    if (text.isEmpty()) return QByteArray();
    QString out = text;
    // The editor may hold paragraph or line separators pasted from elsewhere.
    out.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    out.replace(QChar::LineSeparator, QLatin1Char('\n'));
    out.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    out += QLatin1String("\r\n");
    return ToGb(out);
}

DataFileContent ReadDataFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KelvoraError(QStringLiteral("无法打开文件 \"%1\"：%2")
                               .arg(QDir::toNativeSeparators(path),
                                    QFileInfo::exists(path) ? QStringLiteral("没有读取权限或文件被占用")
                                                            : QStringLiteral("文件不存在")));
    DataFileContent content;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw KelvoraError(QStringLiteral("无法读取文件 \"%1\"").arg(QDir::toNativeSeparators(path)));
    content.isEmpty = bytes.isEmpty();
    content.text = DataFileBytesToText(bytes);
    return content;
}

void WriteDataFile(const QString& path, const QString& text) {
    if (!WriteFileAtomically(path, DataTextToFileBytes(text)).isEmpty())
        throw KelvoraError(QStringLiteral("无法保存文件 \"%1\"：%2")
                               .arg(QDir::toNativeSeparators(path),
                                    QFileInfo(path).dir().exists() ? QStringLiteral("没有写入权限或磁盘已满")
                                                                   : QStringLiteral("文件夹不存在")));
}
