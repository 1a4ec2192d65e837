#include "cli/Cli.h"

#include "engine/core/KelvoraError.h"
#include "engine/history/DataLocation.h"
#include "engine/history/HistoryLoader.h"
#include "engine/ledger/Ledger.h"
#include "engine/ledger/LedgerReport.h"
#include "engine/prize/TicketReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {

const QString usage = QStringLiteral(
    "Usage: kelvora-cli [--data FILE] ledger [--ledger FILE] add --issue ISSUE [--extra] [--note TEXT] "
    "[FILE]\n"
    "       kelvora-cli [--data FILE] ledger [--ledger FILE] list [--json]\n"
    "       kelvora-cli [--data FILE] ledger [--ledger FILE] settle\n"
    "       kelvora-cli [--data FILE] ledger [--ledger FILE] remove ID\n"
    "       kelvora-cli [--data FILE] ledger [--ledger FILE] report [--json]\n\n"
    "The bet ledger: the tickets bought, settled against the history, and the money against chance.\n\n"
    "Options:\n"
    "  --ledger FILE  the ledger database (default: ledger.sqlite in the data folder)\n"
    "  --issue ISSUE  the issue the tickets were bought for (7 digits; not yet drawn is fine)\n"
    "  --extra        the tickets were bought with the additional bet (追加: super lotto, 3元 a bet)\n"
    "  --note TEXT    a note kept with the entry\n"
    "  --json         print JSON instead of the readable text\n"
    "add reads its tickets from FILE, or standard input without FILE or with -, with the line rules\n"
    "of prize (single, compound and 胆拖 tickets). Each game (--game) has its own entries.\n");

// --ledger may stand anywhere after the subcommand; it is taken out before the action's own options.
QString takeLedgerOption(QStringList& args, bool& missing) {
    QString path;
    for (int i = 1; i < args.size();) {
        if (args[i] == QLatin1String("--ledger")) {
            if (i + 1 >= args.size()) {
                missing = true;
                return path;
            }
            path = args[i + 1];
            args.remove(i, 2);
        } else if (args[i].startsWith(QLatin1String("--ledger="))) {
            path = args[i].mid(9);
            args.remove(i);
        } else {
            ++i;
        }
    }
    return path;
}

int runAction(CliContext& ctx, const QString& action, const QString& ledgerPath, bool explicitPath) {
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption issue(QStringLiteral("issue"), QString(), QStringLiteral("ISSUE"));
    const QCommandLineOption extra(QStringLiteral("extra"));
    const QCommandLineOption note(QStringLiteral("note"), QString(), QStringLiteral("TEXT"));
    bool positional = false;
    if (action == QLatin1String("add")) {
        parser.addOptions({issue, extra, note});
        positional = true;
    } else if (action == QLatin1String("list") || action == QLatin1String("report")) {
        parser.addOption(json);
    } else if (action == QLatin1String("remove")) {
        positional = true;
    } else if (action != QLatin1String("settle")) {
        return ctx.usageError(QStringLiteral("unknown ledger command '%1'").arg(action), usage);
    }
    if (!ctx.parse(parser, usage, positional)) return ctx.helped ? CliOk : CliUsage;
    const QStringList args = parser.positionalArguments();
    if (args.size() > 1)
        return ctx.usageError(QStringLiteral("unexpected argument '%1'").arg(args.at(1)), usage);

    const QString game = ctx.game->keyText();
    if (action == QLatin1String("add")) {
        if (!parser.isSet(issue)) return ctx.usageError(QStringLiteral("add needs --issue"), usage);
        const int checkedIssue = ReadLedgerIssue(parser.value(issue));
        const QString text = ReadTicketInput(args.value(0));
        const LedgerEntry entry = MakeLedgerEntry(QString::number(checkedIssue), text, parser.isSet(extra),
                                                  parser.value(note), *ctx.game);
        // Only the first add makes the ledger file.
        Ledger ledger(ledgerPath);
        ctx.out << ledger.numberOf(ledger.add(entry)) << '\n';
        return CliOk;
    }
    qlonglong number = 0;
    if (action == QLatin1String("remove")) {
        bool ok = false;
        number = args.value(0).toLongLong(&ok);
        if (!ok) return ctx.usageError(QStringLiteral("remove needs the ID of an entry"), usage);
    }
    // Any other command reads a ledger that is there: a mistyped --ledger is named, not made. Without
    // --ledger, no file yet means nothing recorded yet.
    std::optional<Ledger> opened;
    if (explicitPath || QFileInfo::exists(ledgerPath)) opened.emplace(ledgerPath, Ledger::OpenMode::ExistingOnly);
    if (action == QLatin1String("remove")) {
        const int64_t id = opened ? opened->idOfNumber(game, number) : 0;
        if (!id || !opened->remove(id)) throw KelvoraError(QStringLiteral("没有编号为%1的投注记录").arg(number));
        ctx.out << QStringLiteral("已删除投注记录 #%1").arg(number) << '\n';
        return CliOk;
    }
    if (action == QLatin1String("settle")) {
        const std::optional<TCodeArr> history = ctx.loadHistory();
        if (!history) return CliRefused;
        ctx.out << QStringLiteral("已结算 %1 笔投注记录").arg(opened ? opened->settle(*history, game) : 0) << '\n';
        return CliOk;
    }
    std::vector<LedgerEntry> entries = opened ? opened->list(game) : std::vector<LedgerEntry>{};
    // What is listed is settled against the history as it is now; a history that cannot be read shows
    // what is stored, and a ledger that cannot be written shows the results and says they are not saved.
    const HistoryLoad held = LoadHistory(ctx.dataPath, *ctx.game);
    if (held.status == HistoryLoad::Ok && opened) {
        const std::vector<int64_t> changed = SettleEntries(entries, held.history, *ctx.game);
        try {
            opened->saveSettlement(entries, changed);
        } catch (const KelvoraError& e) {
            ctx.err << QStringLiteral("注意：结算结果未能保存。") << e.message() << '\n';
        }
    }
    if (action == QLatin1String("list"))
        ctx.out << (parser.isSet(json) ? LedgerListJson(entries, game)
                                       : LedgerListLines(entries).join(QLatin1Char('\n')))
                << '\n';
    else {
        // Wins are priced as paid where the draw figures are known.
        const FiguresTable figures = held.status == HistoryLoad::Ok ? ctx.figures(held.history) : FiguresTable{};
        const LedgerReport report = MakeLedgerReport(entries, *ctx.game, &figures);
        ctx.out << (parser.isSet(json) ? LedgerReportJson(report) : LedgerReportLines(report).join(QLatin1Char('\n')))
                << '\n';
    }
    return CliOk;
}

int runLedger(CliContext& ctx) {
    QStringList args = ctx.args;
    bool missing = false;
    QString ledgerPath = takeLedgerOption(args, missing);
    if (missing) return ctx.usageError(QStringLiteral("missing value after --ledger"), usage);
    if (args.size() < 2) return ctx.usageError(QStringLiteral("missing ledger command"), usage);
    if (args[1] == QLatin1String("--help")) {
        ctx.out << usage;
        return CliOk;
    }
    const QString action = args[1];
    const bool explicitPath = !ledgerPath.isEmpty();
    if (ledgerPath.isEmpty())
        ledgerPath = LedgerFileIn(
            LocateData({QCoreApplication::applicationDirPath(), QString(), UserDataDir()}).dataDir);
    ctx.args = QStringList{args[0] + QLatin1Char(' ') + action} + args.mid(2);
    try {
        return runAction(ctx, action, ledgerPath, explicitPath);
    } catch (const KelvoraError& e) {
        ctx.err << e.message() << '\n';
        return CliRefused;
    }
}

const CliRegistrar reg({"ledger", "the bet ledger: add, list, settle, remove, report", runLedger});

} // namespace
