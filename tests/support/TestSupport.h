#pragma once

// What many tests share: the frozen sample histories, test files and running the built kelvora-cli.

#include "engine/history/Parser.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <map>

// The frozen sample histories, as bytes and parsed as their game's (each read once per test program).
// They sit side by side as <game>-history.dxt, so a new game's sample needs no new helper.
inline QString SampleHistoryPathOf(const Game& game) {
    return QFileInfo(QStringLiteral(KELVORA_SAMPLE))
        .dir()
        .filePath(game.keyText() + QStringLiteral("-history.dxt"));
}

inline const QByteArray& SampleHistoryBytesOf(const Game& game) {
    static std::map<QString, QByteArray> bytes;
    auto it = bytes.find(game.keyText());
    if (it == bytes.end()) {
        QFile f(SampleHistoryPathOf(game));
        if (!f.open(QIODevice::ReadOnly)) qFatal("no sample history: %s", qPrintable(f.fileName()));
        it = bytes.emplace(game.keyText(), f.readAll()).first;
    }
    return it->second;
}

inline const TCodeArr& SampleHistoryOf(const Game& game) {
    static std::map<QString, TCodeArr> histories;
    auto it = histories.find(game.keyText());
    if (it == histories.end())
        it = histories.emplace(game.keyText(), ParseHistory(SampleHistoryBytesOf(game), game).history).first;
    return it->second;
}

// The frozen official figures of a game (tests/data/figures/<game>-figures.txt), apart from the
// histories so that no test that reads a history meets them by the data-location rule.
inline QString FiguresFixturePathOf(const Game& game) {
    return QFileInfo(QStringLiteral(KELVORA_SAMPLE))
        .dir()
        .filePath(QStringLiteral("figures/") + game.keyText() + QStringLiteral("-figures.txt"));
}

// The two-colour ball's sample, the one most tests read.
inline QString SampleHistoryPath() {
    return SampleHistoryPathOf(Game::ssq());
}

inline const QByteArray& SampleHistoryBytes() {
    return SampleHistoryBytesOf(Game::ssq());
}

inline const TCodeArr& SampleHistory() {
    return SampleHistoryOf(Game::ssq());
}

// The super lotto's sample.
inline QString DltSampleHistoryPath() {
    return SampleHistoryPathOf(Game::dlt());
}

inline const QByteArray& DltSampleHistoryBytes() {
    return SampleHistoryBytesOf(Game::dlt());
}

inline const TCodeArr& DltSampleHistory() {
    return SampleHistoryOf(Game::dlt());
}

// Writes bytes to a file of that name in dir; returns its path.
inline QString WriteTestFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write a test file");
    return path;
}

// One run of kelvora-cli: exit status (-1 for a crash or a run that did not end) and both outputs.
struct CliBytesRun {
    int status = -1;
    QByteArray out;
    QString err;
};

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

// Standard output as the bytes written. childSetup, when given, runs in the child just before the
// program starts (a resource limit, say).
inline CliBytesRun RunCliBytes(const QStringList& args, const QByteArray& input = QByteArray(),
                               const std::function<void()>& childSetup = {}) {
    QProcess p;
    if (childSetup) p.setChildProcessModifier(childSetup);
    p.start(QStringLiteral(KELVORA_CLI), args);
    if (!input.isEmpty()) p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    const int status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return {status, p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

// Standard output as UTF-8 text.
inline CliRun RunCli(const QStringList& args, const QByteArray& input = QByteArray(),
                     const std::function<void()>& childSetup = {}) {
    CliBytesRun r = RunCliBytes(args, input, childSetup);
    return {r.status, QString::fromUtf8(r.out), std::move(r.err)};
}

// kelvora-cli on the two-colour ball's sample: --data SAMPLE then args.
inline CliRun RunCliOnSample(const QStringList& args, const QByteArray& input = QByteArray()) {
    return RunCli(QStringList{QStringLiteral("--data"), SampleHistoryPath()} + args, input);
}

// kelvora-cli on a game's sample: --game GAME --data SAMPLE then args.
inline CliRun RunCliOnSampleOf(const Game& game, const QStringList& args,
                               const QByteArray& input = QByteArray()) {
    return RunCli(QStringList{QStringLiteral("--game"), game.keyText(), QStringLiteral("--data"),
                              SampleHistoryPathOf(game)} +
                      args,
                  input);
}

// A long randomised test function runs as a CTest test of its own (labelled slow); the program's
// ordinary run skips it.
#define SkipWhenSlowRunsApart()                                                                              \
    do {                                                                                                     \
        if (qEnvironmentVariableIsSet("KELVORA_SLOW_APART")) QSKIP("runs as its own slow test");             \
    } while (false)
