#include "Cli.h"

#include "history/Query.h"

namespace {

const QString usage =
    QStringLiteral("Usage: kelvora-cli [--data FILE] query [--from ISSUE] [--count N]\n\n"
                   "Lists COUNT draws starting at issue code ISSUE, as the query panel does.\n\n"
                   "Options:\n"
                   "  --from ISSUE   seven-digit issue code of the first draw (default 2005013)\n"
                   "  --count N      number of draws (default 30)\n");

bool readInt(const QCommandLineParser& parser, const QCommandLineOption& option, int& value) {
    if (!parser.isSet(option)) return true;
    bool ok = false;
    value = parser.value(option).trimmed().toInt(&ok);
    return ok;
}

int runQuery(CliContext& ctx) {
    QCommandLineParser parser;
    const QCommandLineOption from(QStringLiteral("from"), QStringLiteral("issue"), QStringLiteral("ISSUE"));
    const QCommandLineOption count(QStringLiteral("count"), QStringLiteral("count"), QStringLiteral("N"));
    parser.addOption(from);
    parser.addOption(count);
    if (!ctx.parse(parser, usage)) return ctx.helped ? CliOk : CliUsage;
    int fromIssue = 2005013;
    int n = 30;
    if (!readInt(parser, from, fromIssue))
        return ctx.usageError(QStringLiteral("--from needs an integer, not '%1'").arg(parser.value(from)),
                              usage);
    if (!readInt(parser, count, n))
        return ctx.usageError(QStringLiteral("--count needs an integer, not '%1'").arg(parser.value(count)),
                              usage);

    const std::optional<TCodeArr> history = ctx.loadHistory();
    if (!history) return CliRefused;
    for (const QString& line : QueryHistory(*history, fromIssue, n))
        ctx.out << line << '\n';
    return CliOk;
}

const CliRegistrar reg({"query", "list draws from an issue code on, as the query panel does", runQuery});

} // namespace
