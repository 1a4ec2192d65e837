#include "cli/Cli.h"

#include "engine/prize/DrawFigures.h"

namespace {

const QString usage =
    QStringLiteral("Usage: kelvora-cli [--data FILE] [--figures FILE] figures [--from ISSUE] [--count N] [--json]\n\n"
                   "Lists the official figures of draws: date, sales, the pool after the draw, and per tier\n"
                   "the winning bets and the amount paid a bet.\n\n"
                   "Options:\n"
                   "  --from ISSUE   seven-digit issue code of the first draw (default: the newest draws)\n"
                   "  --count N      number of draws (default 10)\n"
                   "  --json         JSON instead of text\n");

int runFigures(CliContext& ctx) {
    QCommandLineParser parser;
    const QCommandLineOption from(QStringLiteral("from"), QStringLiteral("issue"), QStringLiteral("ISSUE"));
    const QCommandLineOption count(QStringLiteral("count"), QStringLiteral("count"), QStringLiteral("N"));
    const QCommandLineOption json(QStringLiteral("json"));
    parser.addOptions({from, count, json});
    if (!ctx.parse(parser, usage)) return CliOk;
    const int fromIssue =
        ctx.intValue(parser, from, 0, QStringLiteral("--from needs an issue code, not '%1'").arg(parser.value(from)),
                     0, 9999999);
    const int n = ctx.intValue(parser, count, 10,
                               QStringLiteral("--count needs a positive integer, not '%1'").arg(parser.value(count)),
                               1);
    const FiguresTable table = ctx.figures(ctx.history());
    if (table.empty()) {
        ctx.err << QStringLiteral("没有%1的开奖公告数据（%2）").arg(ctx.game->nameText(), ctx.figuresPath) << '\n';
        return CliRefused;
    }
    const std::vector<const DrawFigures*> shown = FiguresRange(table, fromIssue, n);
    if (parser.isSet(json)) {
        ctx.out << FiguresJson(table, shown) << '\n';
        return CliOk;
    }
    for (const DrawFigures* d : shown)
        for (const QString& line : FiguresTextLines(*ctx.game, *d))
            ctx.out << line << '\n';
    return CliOk;
}

const CliRegistrar reg({"figures", "the official figures of draws: sales, pool, winners and amounts", runFigures});

} // namespace
