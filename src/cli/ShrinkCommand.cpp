#include "cli/Cli.h"
#include "cli/ConditionOptions.h"

#include "engine/core/KelvoraError.h"
#include "engine/shrink/ShrinkRun.h"

namespace {

QString usage() {
    return QStringLiteral(
               "Usage: kelvora-cli [--data FILE] shrink --candidates LIST [conditions]\n\n"
               "Runs the shrink over all tickets and prints the result text as the result memo shows it.\n"
               "Every condition not given is off.\n\n") +
           ConditionOptions::usage() +
           QStringLiteral("  --all                  list every kept ticket, beyond 100,000 too\n");
}

int runShrink(CliContext& ctx) {
    QCommandLineParser parser;
    const ConditionOptions conditions(parser);
    const QCommandLineOption all(QStringLiteral("all"));
    parser.addOption(all);
    if (!ctx.parse(parser, usage())) return CliOk;
    if (!conditions.candidatesGiven(parser)) throw CliUsageError{QStringLiteral("--candidates is required")};

    const ShrinkInput in = conditions.read(parser);
    const bool listAll = parser.isSet(all);
    const ShrinkResult result = RunShrink(in, ctx.history(), {}, listAll);
    ctx.out << (listAll ? ShrinkAllText(result) : result.text) << '\n';
    return CliOk;
}

const CliRegistrar reg({"shrink", "run the shrink with the given conditions", runShrink});

} // namespace
