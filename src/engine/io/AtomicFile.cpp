#include "engine/io/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QLatin1String TempMark(".kelvora-tmp-");

// The mode a file created now gets: what the umask leaves of rw-rw-rw-.
QFile::Permissions newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFile::Permissions p;
    if (mode & S_IRUSR) p |= QFile::ReadOwner | QFile::ReadUser;
    if (mode & S_IWUSR) p |= QFile::WriteOwner | QFile::WriteUser;
    if (mode & S_IRGRP) p |= QFile::ReadGroup;
    if (mode & S_IWGRP) p |= QFile::WriteGroup;
    if (mode & S_IROTH) p |= QFile::ReadOther;
    if (mode & S_IWOTH) p |= QFile::WriteOther;
    return p;
}

// A link is written through to the file it names, as an editor would.
QString resolvedTarget(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink() && info.exists()) return info.canonicalFilePath();
    return path;
}

} // namespace

QString NotRegularFileReason() {
    return QStringLiteral("目标不是普通文件");
}

QString AtomicTempTemplate(const QString& target) {
    const QFileInfo info(target);
    return info.dir().filePath(QLatin1Char('.') + info.fileName() + TempMark + QLatin1String("XXXXXX"));
}

AtomicFileWriter::AtomicFileWriter(const QString& path) : m_path(resolvedTarget(path)) {}

AtomicFileWriter::~AtomicFileWriter() = default;

QString AtomicFileWriter::prepare(const QByteArray& bytes, const QString& modeFrom) {
    const QFileInfo target(m_path);
    // A rename would put a file over a device or a pipe; refuse instead.
    if (target.exists() && !target.isFile()) return NotRegularFileReason();
    m_temp = std::make_unique<QTemporaryFile>(AtomicTempTemplate(m_path));
    QTemporaryFile& temp = *m_temp;
    // fileName() gives the file its name while it is open; the rename needs one.
    if (!temp.open() || temp.fileName().isEmpty()) {
        const QString why = temp.errorString();
        m_temp.reset();
        return why.isEmpty() ? QStringLiteral("unknown error") : why;
    }
    QFile::Permissions mode = newFileMode();
    if (!modeFrom.isEmpty() && QFileInfo::exists(modeFrom))
        mode = QFile::permissions(modeFrom);
    else if (target.exists())
        mode = target.permissions();
    QString why;
    if (temp.write(bytes) != bytes.size() || !temp.flush())
        why = temp.errorString();
    else if (::fsync(temp.handle()) != 0)
        why = QString::fromLocal8Bit(std::strerror(errno));
    else if (!temp.setPermissions(mode))
        why = temp.errorString();
    if (!why.isEmpty() || temp.error() != QFileDevice::NoError) {
        if (why.isEmpty()) why = temp.errorString();
        m_temp.reset();
        return why.isEmpty() ? QStringLiteral("unknown error") : why;
    }
    m_tempName = temp.fileName();
    temp.close();
    return {};
}

QString AtomicFileWriter::commit() {
    if (!m_temp) return QStringLiteral("unknown error");
    std::error_code ec;
    // rename(2) replaces the target in one step: a reader sees the old file or the new one.
    std::filesystem::rename(QFile::encodeName(m_tempName).toStdString(),
                            QFile::encodeName(m_path).toStdString(), ec);
    if (ec) {
        m_temp.reset();
        return QString::fromLocal8Bit(ec.message().c_str());
    }
    m_temp->setAutoRemove(false);
    m_temp.reset();
    return {};
}

QString WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    AtomicFileWriter writer(path);
    const QString why = writer.prepare(bytes);
    return why.isEmpty() ? writer.commit() : why;
}

int RemoveStaleSaveFiles(const QString& dir, const QStringList& names) {
    int removed = 0;
    const QDir folder(dir);
    for (const QString& name : names) {
        const QString prefix = QLatin1Char('.') + name + TempMark;
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(prefix) + QLatin1String("[A-Za-z0-9]{6}")));
        const QStringList found = folder.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
        for (const QString& f : found)
            if (pattern.match(f).hasMatch() && QFile::remove(folder.filePath(f))) ++removed;
    }
    return removed;
}
