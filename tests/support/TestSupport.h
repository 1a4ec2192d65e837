#pragma once

// What many tests share: the sample history and running the built kelvora-cli.

#include "engine/history/Parser.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The sample history shipped with the program, as bytes and parsed (read once per test program).
inline QString SampleHistoryPath() {
    return QStringLiteral(KELVORA_SAMPLE);
}

inline const QByteArray& SampleHistoryBytes() {
    static const QByteArray bytes = [] {
        QFile f(SampleHistoryPath());
        if (!f.open(QIODevice::ReadOnly)) qFatal("no sample history");
        return f.readAll();
    }();
    return bytes;
}

inline const TCodeArr& SampleHistory() {
    static const TCodeArr history = ParseHistory(SampleHistoryBytes()).history;
    return history;
}

// The super lotto's shipped sample history, parsed as that game.
inline QString DltSampleHistoryPath() {
    return QStringLiteral(KELVORA_DLT_SAMPLE);
}

inline const TCodeArr& DltSampleHistory() {
    static const TCodeArr history = [] {
        QFile f(DltSampleHistoryPath());
        if (!f.open(QIODevice::ReadOnly)) qFatal("no super lotto sample history");
        return ParseHistory(f.readAll(), Game::dlt()).history;
    }();
    return history;
}

// The sample history of a game.
inline const TCodeArr& SampleHistoryOf(const Game& game) {
    return game.isSsq() ? SampleHistory() : DltSampleHistory();
}

// Writes bytes to a file of that name in dir; returns its path.
inline QString WriteTestFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write a test file");
    return path;
}

// One run of kelvora-cli: exit status and both outputs (UTF-8).
struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

inline CliRun RunCli(const QStringList& args, const QByteArray& input = QByteArray(),
                     int timeoutMs = 120000) {
    QProcess p;
    p.start(QStringLiteral(KELVORA_CLI), args);
    if (!input.isEmpty()) p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    const int status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return {status, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// kelvora-cli on the sample history: --data SAMPLE then args.
inline CliRun RunCliOnSample(const QStringList& args, const QByteArray& input = QByteArray()) {
    return RunCli(QStringList{QStringLiteral("--data"), SampleHistoryPath()} + args, input);
}

// A long randomised test function runs as a CTest test of its own (labelled slow); the program's
// ordinary run skips it.
#define SkipWhenSlowRunsApart()                                                                              \
    do {                                                                                                     \
        if (qEnvironmentVariableIsSet("KELVORA_SLOW_APART")) QSKIP("runs as its own slow test");             \
    } while (false)
