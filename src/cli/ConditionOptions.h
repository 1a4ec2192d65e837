#pragma once

#include "Cli.h"
#include "shrink/ShrinkInput.h"

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

    // Builds the input after parsing. Returns false with `message` set: usage true for a
    // malformed option (a usage error), false for a refusal (exit 1). The file is read first.
    bool read(const QCommandLineParser& parser, ShrinkInput& in, QString& message, bool& usage) const;
    bool candidatesGiven(const QCommandLineParser& parser) const;
    // read() reporting as the subcommands do: the exit status on failure, nothing on success.
    std::optional<int> readOrReport(CliContext& ctx, const QCommandLineParser& parser, ShrinkInput& in,
                                    const QString& usage) const;

  private:
    QCommandLineOption m_file;
    std::vector<QCommandLineOption> m_options; // in ConditionOptionNames() order
};
