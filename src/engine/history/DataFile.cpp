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

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isDir() && file.open(QIODevice::ReadOnly)) {
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw KelvoraError(QStringLiteral("无法读取文件 \"%1\"").arg(QDir::toNativeSeparators(path)));
        return bytes;
    }
    throw KelvoraError(QStringLiteral("无法打开文件 \"%1\"：%2")
                           .arg(QDir::toNativeSeparators(path),
                                QFileInfo::exists(path) ? QStringLiteral("没有读取权限或文件被占用")
                                                        : QStringLiteral("文件不存在")));
}

DataFileContent ReadDataFile(const QString& path) {
    const QByteArray bytes = ReadFileBytes(path);
    DataFileContent content;
    content.isEmpty = bytes.isEmpty();
    content.text = DataFileBytesToText(bytes);
    return content;
}

QString BackupFileName(const QString& path) {
    return path + QLatin1String(".bak");
}

void WriteDataFile(const QString& path, const QString& text) {
    const QByteArray bytes = DataTextToFileBytes(text);
    auto refuse = [&](const QString& why) {
        throw KelvoraError(
            QStringLiteral("无法保存文件 \"%1\"：%2").arg(QDir::toNativeSeparators(path), why));
    };
    auto explain = [&](const QString& why) {
        if (why == NotRegularFileReason()) refuse(why);
        refuse(QFileInfo(path).dir().exists() ? QStringLiteral("没有写入权限或磁盘已满")
                                              : QStringLiteral("文件夹不存在"));
    };
    // The new file is written and on disk before the backup changes, so a full disk leaves both the
    // file and its older backup as they were.
    AtomicFileWriter data(path);
    if (const QString why = data.prepare(bytes); !why.isEmpty()) explain(why);
    // One generation of backup: the file as it was before this save, with its mode. A save that
    // changes nothing keeps the older backup, so saving twice does not lose it.
    QFile old(path);
    if (QFileInfo(path).isFile() && old.open(QIODevice::ReadOnly)) {
        const QByteArray previous = old.readAll();
        old.close();
        if (previous != bytes) {
            AtomicFileWriter backup(BackupFileName(path));
            if (!backup.prepare(previous, path).isEmpty() || !backup.commit().isEmpty())
                refuse(QStringLiteral("无法写入备份文件 \"%1\"")
                           .arg(QDir::toNativeSeparators(BackupFileName(path))));
        }
    }
    if (const QString why = data.commit(); !why.isEmpty()) explain(why);
}
