#pragma once

#include "history/CodeRec.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

enum CliStatus { CliOk = 0, CliRefused = 1, CliUsage = 2 };

// What a subcommand gets: its own arguments and the shared services of the tool.
class CliContext {
  public:
    QStringList args; // program name as args[0] (for QCommandLineParser), then the options
    QString dataPath; // --data, or the data-location rule's ssq.dxt
    QTextStream& out;
    QTextStream& err;

    CliContext(QTextStream& o, QTextStream& e) : out(o), err(e) {}

    // Parses the history file; on failure reports it as the window does and returns nothing.
    // warnings, when given, receives the history's warnings.
    std::optional<TCodeArr> loadHistory(QStringList* warnings = nullptr);
    // Parses args with the parser; on an unknown option or a missing value prints the usage
    // and returns false. --help prints the usage and sets helped. Positional arguments are refused
    // unless positional is true.
    bool parse(QCommandLineParser& parser, const QString& usage, bool positional = false);
    bool helped = false;
    int usageError(const QString& message, const QString& usage);
};

struct CliCommand {
    const char* name;
    const char* summary;
    int (*run)(CliContext&);
};

// Each subcommand registers itself from its own file.
struct CliRegistrar {
    explicit CliRegistrar(const CliCommand& command);
};
