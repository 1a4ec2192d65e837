#include "Cli.h"

namespace {

const QString usage = QStringLiteral("Usage: kelvora-cli [--data FILE] check\n\n"
                                     "Parses the history file and prints how many draws it holds.\n");

int runCheck(CliContext& ctx) {
    QCommandLineParser parser;
    if (!ctx.parse(parser, usage)) return ctx.helped ? CliOk : CliUsage;
    const std::optional<TCodeArr> history = ctx.loadHistory();
    if (!history) return CliRefused;
    if (history->empty())
        ctx.out << "0 draws\n";
    else
        ctx.out << history->size() << " draws, " << history->front().code() << " to "
                << history->back().code() << '\n';
    return CliOk;
}

const CliRegistrar reg({"check", "parse the history file and report it", runCheck});

} // namespace
