#include "engine/history/DataFile.h"

#include "engine/core/KelvoraError.h"
#include "engine/io/AtomicFile.h"
#include "engine/io/GbText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString DataFileNameIn(const QString& programDir, const Game& game) {
    return QDir(programDir).filePath(game.dataFileName());
}

QString DataFileBytesToText(const QByteArray& bytes) {
    QString text = FromGb(WithoutUtf8Bom(bytes));
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

namespace {

QString openFailure(const QString& path, const QString& why) {
    return QStringLiteral("无法打开文件 \"%1\"：%2").arg(QDir::toNativeSeparators(path), why);
}

// Why a path cannot be opened, in the user's words: what it is, not the system's guess.
QString whyNotReadable(const QFileInfo& info) {
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("链接指向的文件\"%1\"不存在")
            .arg(QDir::toNativeSeparators(info.symLinkTarget()));
    if (info.isDir()) return QStringLiteral("这是一个文件夹，不是文件");
    if (!info.exists()) return QStringLiteral("文件不存在");
    return QStringLiteral("没有读取权限或文件被占用");
}

QString tooLargeText(const QString& name) {
    return QStringLiteral("无法读取文件 \"%1\"：文件超过%2 MB")
        .arg(QDir::toNativeSeparators(name))
        .arg(MaxInputFileBytes / (1024 * 1024));
}

} // namespace

QByteArray ReadDeviceBytes(QIODevice& device, const QString& name) {
    if (!device.isSequential() && device.size() > MaxInputFileBytes) throw KelvoraError(tooLargeText(name));
    QByteArray bytes;
    constexpr qint64 chunk = 1024 * 1024;
    for (;;) {
        const qsizetype at = bytes.size();
        bytes.resize(at + chunk);
        const qint64 n = device.read(bytes.data() + at, chunk);
        if (n < 0)
            throw KelvoraError(QStringLiteral("无法读取文件 \"%1\"").arg(QDir::toNativeSeparators(name)));
        bytes.resize(at + qsizetype(n));
        if (bytes.size() > MaxInputFileBytes) throw KelvoraError(tooLargeText(name));
        if (n == 0) break;
    }
    return bytes;
}

QByteArray ReadFileBytes(const QString& path) {
    const QFileInfo info(path);
    QFile file(path);
    if (info.isDir() || !info.exists() || !file.open(QIODevice::ReadOnly))
        throw KelvoraError(openFailure(path, whyNotReadable(info)));
    return ReadDeviceBytes(file, path);
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
        const QFileInfo target(path);
        if (target.isSymLink() && !target.exists())
            refuse(QStringLiteral("链接指向的文件\"%1\"不存在")
                       .arg(QDir::toNativeSeparators(target.symLinkTarget())));
        refuse(target.dir().exists() ? QStringLiteral("没有写入权限或磁盘已满")
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
