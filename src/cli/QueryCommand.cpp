#include "cli/Cli.h"

#include "engine/history/Query.h"

namespace {

const QString usage =
    QStringLiteral("Usage: kelvora-cli [--data FILE] query [--from ISSUE] [--count N]\n\n"
                   "Lists COUNT draws starting at issue code ISSUE, as the query panel does.\n\n"
                   "Options:\n"
                   "  --from ISSUE   seven-digit issue code of the first draw (default: the game's first,\n"
                   "                 2005013 or 2007001)\n"
                   "  --count N      number of draws (default 30)\n");

int runQuery(CliContext& ctx) {
    QCommandLineParser parser;
    const QCommandLineOption from(QStringLiteral("from"), QStringLiteral("issue"), QStringLiteral("ISSUE"));
    const QCommandLineOption count(QStringLiteral("count"), QStringLiteral("count"), QStringLiteral("N"));
    parser.addOption(from);
    parser.addOption(count);
    if (!ctx.parse(parser, usage)) return CliOk;
    const int fromIssue =
        ctx.intValue(parser, from, FirstQueryIssue(*ctx.game),
                     QStringLiteral("--from needs an integer, not '%1'").arg(parser.value(from)));
    const int n = ctx.intValue(parser, count, 30,
                               QStringLiteral("--count needs an integer, not '%1'").arg(parser.value(count)));

    for (const QString& line : QueryHistory(ctx.history(), fromIssue, n, *ctx.game))
        ctx.out << line << '\n';
    return CliOk;
}

const CliRegistrar reg({"query", "list draws from an issue code on, as the query panel does", runQuery});

} // namespace
