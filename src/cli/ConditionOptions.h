#pragma once

#include "cli/Cli.h"
#include "engine/shrink/ShrinkInput.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <vector>

// The condition options shared by `shrink` and `backtest shrink`: --conditions FILE, then every
// condition option, each applied on top of the file.
class ConditionOptions {
  public:
    explicit ConditionOptions(QCommandLineParser& parser);

    // The usage lines of the options.
    static QString usage();

    // Builds the game's input after parsing, the file first. A malformed option (a tolerance
    // outside 0..17 too) throws CliUsageError, a refused file or value KelvoraError.
    ShrinkInput read(const QCommandLineParser& parser, const Game& game) const;
    bool candidatesGiven(const QCommandLineParser& parser) const;

  private:
    QCommandLineOption m_file;
    std::vector<QCommandLineOption> m_options; // in ConditionOptionNames() order
};
