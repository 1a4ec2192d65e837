#include "engine/history/DataLocation.h"

#include "engine/history/DataFile.h"
#include "engine/io/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <pwd.h>
#include <unistd.h>

namespace {

const QString ReadmeName = QStringLiteral("readme.txt");

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Permission bits say nothing about a read-only mount or about root; only a real file tells.
bool canWriteIn(const QString& dir) {
    if (!QFileInfo(dir).isDir()) return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".kelvora-XXXXXX")));
    return probe.open();
}

} // namespace

QString UserDataDir() {
    // Without HOME the library takes "/" for the home folder; the account's own home is the one meant.
    if (qEnvironmentVariableIsEmpty("HOME") && qEnvironmentVariableIsEmpty("XDG_DATA_HOME")) {
        const passwd* account = ::getpwuid(::getuid());
        const QString home = account && account->pw_dir ? QFile::decodeName(account->pw_dir) : QString();
        if (home.isEmpty() || QDir(home).isRoot()) return {};
        return QDir(home).filePath(QStringLiteral(".local/share/Kelvora"));
    }
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : QDir(base).filePath(QStringLiteral("Kelvora"));
}

QString InstalledShareDir(const QString& programDir) {
    return QDir::cleanPath(QDir(programDir).filePath(QStringLiteral("../share/kelvora")));
}

QString WheelTablePath(const QString& programDir) {
    const QDir program(programDir);
    const QString shareDir = InstalledShareDir(programDir);
    bool installed = QFileInfo(shareDir).isDir();
    for (const Game* game : Game::all())
        installed = installed && !program.exists(game->dataFileName());
    return QDir(installed ? shareDir : programDir).filePath(QStringLiteral("wheels.txt"));
}

QString FiguresFileName(const Game& game) {
    return game.keyText() + QStringLiteral("-figures.txt");
}

namespace {

// The figures lie beside the history; an installed copy seeds the user's from its own, as the history.
void locateFigures(DataLocation& loc, const QString& seedDir, const Game& game) {
    if (loc.dataDir.isEmpty()) {
        const QString seed = QDir(seedDir).filePath(FiguresFileName(game));
        if (QFileInfo::exists(seed)) loc.figuresLoadFile = seed;
        return;
    }
    loc.figuresFile = QDir(loc.dataDir).filePath(FiguresFileName(game));
    if (QFileInfo::exists(loc.figuresFile)) {
        loc.figuresLoadFile = loc.figuresFile;
        return;
    }
    const QString seed = QDir(seedDir).filePath(FiguresFileName(game));
    if (seedDir.isEmpty() || QFileInfo(seed) == QFileInfo(loc.figuresFile)) return;
    QFile source(seed);
    if (!source.open(QIODevice::ReadOnly)) return;
    if (canWriteIn(loc.dataDir) && WriteFileAtomically(loc.figuresFile, source.readAll()).isEmpty())
        loc.figuresLoadFile = loc.figuresFile;
    else
        loc.figuresLoadFile = seed;
}

DataLocation locateHistory(const DataPlaces& places, QString& seedDir);

} // namespace

DataLocation LocateData(const DataPlaces& places) {
    QString seedDir;
    DataLocation loc = locateHistory(places, seedDir);
    locateFigures(loc, seedDir, *places.game);
    return loc;
}

namespace {

DataLocation locateHistory(const DataPlaces& places, QString& seedDir) {
    DataLocation loc;
    const QDir program(places.programDir);
    const QString shareDir = InstalledShareDir(places.programDir);
    const QString dataName = places.game->dataFileName();
    // A build tree or portable copy holds the two-colour ball's file beside the program.
    const bool installed = !program.exists(Game::ssq().dataFileName()) && !program.exists(dataName) &&
                           QFileInfo(shareDir).isDir();
    loc.readmeFile = QDir(installed ? shareDir : places.programDir).filePath(ReadmeName);

    if (!places.dataOption.isEmpty()) {
        const QFileInfo file(places.dataOption);
        loc.dataFile = loc.loadFile = file.absoluteFilePath();
        loc.dataDir = file.absolutePath();
        return loc;
    }
    if (!installed && canWriteIn(places.programDir)) {
        loc.dataDir = QDir(places.programDir).absolutePath();
        loc.dataFile = loc.loadFile = DataFileNameIn(loc.dataDir, *places.game);
        return loc;
    }

    loc.perUser = true;
    seedDir = installed ? shareDir : places.programDir;
    const QString seed = QDir(seedDir).filePath(dataName);
    loc.dataDir = places.userDir;
    loc.dataFile = places.userDir.isEmpty() ? QString() : DataFileNameIn(places.userDir, *places.game);
    if (places.userDir.isEmpty()) {
        loc.problems << QStringLiteral("找不到主目录（环境变量HOME未设置），无法创建数据文件夹。"
                                       "现在显示随程序安装的开奖数据，修改后无法保存。");
        if (QFileInfo::exists(seed)) loc.loadFile = seed;
        return loc;
    }
    if (!QDir().mkpath(places.userDir)) {
        loc.problems << QStringLiteral("无法创建数据文件夹 \"%1\"，请检查主目录是否存在、是否可写。"
                                       "现在显示随程序安装的开奖数据，修改后无法保存。")
                            .arg(native(places.userDir));
        if (QFileInfo::exists(seed)) loc.loadFile = seed;
        return loc;
    }
    const bool writable = canWriteIn(places.userDir);
    const QString readOnly =
        QStringLiteral("数据文件夹 \"%1\" 没有写入权限或磁盘已满，修改后的开奖数据无法保存。")
            .arg(native(places.userDir));
    if (QFileInfo::exists(loc.dataFile)) {
        if (!writable) loc.problems << readOnly;
        loc.loadFile = loc.dataFile;
        return loc;
    }
    QFile source(seed);
    if (!source.open(QIODevice::ReadOnly)) {
        loc.problems << QStringLiteral("找不到随程序安装的开奖数据 \"%1\"。请用“在线更新”或“导入数据”"
                                       "取得开奖数据，保存后存放在 \"%2\"。")
                            .arg(native(seed), native(loc.dataFile));
        return loc;
    }
    if (writable && WriteFileAtomically(loc.dataFile, source.readAll()).isEmpty()) {
        loc.loadFile = loc.dataFile;
    } else {
        loc.problems << readOnly + QStringLiteral("现在显示随程序安装的开奖数据。");
        loc.loadFile = seed;
    }
    return loc;
}

} // namespace
