#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"
#include "engine/prize/DrawFigures.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <climits>
#include <optional>

enum CliStatus { CliOk = 0, CliRefused = 1, CliUsage = 2 };

// Thrown by a subcommand for a malformed command line: the tool prints the message and the
// subcommand's usage and exits with CliUsage.
struct CliUsageError {
    QString message;
};

// Thrown once a refusal has been reported on standard error: the tool exits with CliRefused.
// A KelvoraError thrown by a subcommand is reported and ends the same way.
struct CliRefusal {};

// What a subcommand gets: its own arguments and the shared services of the tool.
class CliContext {
  public:
    QStringList args; // program name as args[0] (for QCommandLineParser), then the options
    const Game* game = &Game::ssq(); // --game
    QString dataPath; // --data, or the data-location rule's ssq.dxt or dlt.dxt
    QString figuresPath; // --figures, or the game's figures file in the data location; may not exist
    QTextStream& out;
    QTextStream& err;
    QString usage; // the running subcommand's usage, set by parse()

    CliContext(QTextStream& o, QTextStream& e) : out(o), err(e) {}

    // The game's words.
    QString front() const { return game->front(); }
    QString back() const { return game->back(); }

    // Parses the history file as the game; on failure reports it as the window does and returns nothing.
    // warnings, when given, receives the history's warnings.
    std::optional<TCodeArr> loadHistory(QStringList* warnings = nullptr);
    // The same, throwing CliRefusal after the report.
    TCodeArr history(QStringList* warnings = nullptr);
    // The game's draw figures checked against the history; none (and no fault) when there is no file.
    // A faulty file is reported and refuses the command.
    FiguresTable figures(const TCodeArr& history);

    // The one option-parsing path of every subcommand: adds --help, parses args and remembers
    // usage. Returns false when --help printed the usage (the subcommand is done, CliOk); an
    // unknown option, a missing value or a positional argument where none is taken throws
    // CliUsageError.
    bool parse(QCommandLineParser& parser, const QString& usage, bool positional = false);
    bool helped = false;
    // A whole number given to option, or fallback when it is not given; throws CliUsageError
    // (with message) when it is not a number within low..high.
    int intValue(const QCommandLineParser& parser, const QCommandLineOption& option, int fallback,
                 const QString& message, int low = INT_MIN, int high = INT_MAX) const;

    // Prints message and usage on standard error; returns CliUsage.
    int usageError(const QString& message, const QString& usage);
};

// The text of a ticket list: FILE, or standard input for "-" or no name; bounded in size like every
// reader of a user's file. Throws KelvoraError with the program's message.
QString ReadTicketInput(const QString& name);

struct CliCommand {
    const char* name;
    const char* summary;
    // Returns the exit status, or throws CliUsageError, CliRefusal or KelvoraError.
    int (*run)(CliContext&);
};

// Each subcommand registers itself from its own file (a new file is a new subcommand):
//   const CliRegistrar reg({"name", "one-line summary", runName});
struct CliRegistrar {
    explicit CliRegistrar(const CliCommand& command);
};
