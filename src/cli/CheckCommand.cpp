#include "cli/Cli.h"

namespace {

const QString usage = QStringLiteral("Usage: kelvora-cli [--data FILE] check\n\n"
                                     "Parses the history file and prints how many draws it holds; warnings\n"
                                     "(repeated or decreasing issue codes, repeated or unsorted numbers) go\n"
                                     "to standard error.\n");

int runCheck(CliContext& ctx) {
    QCommandLineParser parser;
    if (!ctx.parse(parser, usage)) return CliOk;
    QStringList warnings;
    const TCodeArr history = ctx.history(&warnings);
    for (const QString& w : std::as_const(warnings))
        ctx.err << w << '\n';
    if (history.empty())
        ctx.out << "0 draws\n";
    else
        ctx.out << history.size() << " draws, " << history.front().code() << " to " << history.back().code()
                << '\n';
    return CliOk;
}

const CliRegistrar reg({"check", "parse the history file and report it", runCheck});

} // namespace
