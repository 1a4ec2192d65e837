#include "cli/Cli.h"

#include "engine/core/KelvoraError.h"
#include "engine/history/DataFile.h"
#include "engine/prize/PrizeReport.h"
#include "engine/prize/TicketReader.h"

#include <QDir>
#include <QFile>

namespace {

const QString usage = QStringLiteral(
    "Usage: kelvora-cli [--data FILE] prize [--draw DRAW] [--blue LIST] [--json] [FILE]\n"
    "       kelvora-cli [--data FILE] prize --history [--blue LIST] [--json] [FILE]\n\n"
    "Checks a list of tickets (FILE, or standard input without FILE or with -) against one draw\n"
    "with the prize tiers, or with --history against every draw of the history. A line is a single,\n"
    "compound or 胆拖 ticket (bankers#drags+blues, e.g. 01 02#03 04 05 06 07 08+09). For the super\n"
    "lotto (--game dlt) a line has 5..20 fronts and 2..12 backs (01 02 03 04 05+06 07), the backs\n"
    "may have one banker (+01#02 03), and each draw is priced with the rule version of its issue.\n"
    "For 七乐彩 (--game qlc) a line has 7..20 numbers of 01..30 (or 01 02#03 04 05 06 07 08) and no\n"
    "\"+\" part; a typed draw is seven numbers and the special number (01 02 03 04 05 06 07+08).\n\n"
    "Options:\n"
    "  --draw DRAW   an issue code of the history (default: the newest draw) or six reds and\n"
    "                a blue, e.g. \"01 04 16 22 26 31+04\"\n"
    "  --blue LIST   blues for tickets that have none, comma-separated (e.g. 3,9,12)\n"
    "  --history     what every ticket would have won on every draw of the history\n"
    "  --extra       every bet with the additional bet (追加, super lotto only: 3元 a bet)\n"
    "  --json        print JSON instead of the readable report\n\n"
    "With the draw figures (--figures, or the game's figures file beside the history) each draw is\n"
    "priced with the table its pool selects, and every prize also at the amount paid in that draw.\n");

int runPrize(CliContext& ctx) {
    QCommandLineParser parser;
    const QCommandLineOption draw(QStringLiteral("draw"), QString(), QStringLiteral("DRAW"));
    const QCommandLineOption blue(QStringLiteral("blue"), QString(), QStringLiteral("LIST"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption history(QStringLiteral("history"));
    const QCommandLineOption extra(QStringLiteral("extra"));
    parser.addOptions({draw, blue, json, history, extra});
    if (!ctx.parse(parser, usage, true)) return CliOk;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        throw CliUsageError{QStringLiteral("unexpected argument '%1'").arg(positional.at(1))};
    if (parser.isSet(history) && parser.isSet(draw))
        throw CliUsageError{QStringLiteral("--draw does not go with --history")};

    const Game& game = *ctx.game;
    const bool withExtra = parser.isSet(extra);
    if (withExtra && game.extraPrice == 0)
        throw KelvoraError(QStringLiteral("%1没有追加投注，--extra 只用于超级大乐透").arg(game.nameText()));
    const TCodeArr draws = ctx.history();
    const FiguresTable figures = ctx.figures(draws);
    const QString text = ReadTicketInput(positional.value(0));
    {
        const uint32_t defaultBlues = ReadBlueList(parser.value(blue), game);
        const TicketList list = ReadTickets(text, defaultBlues, game);
        if (!list.badLines.empty()) throw KelvoraError(BadLinesMessage(list));
        if (parser.isSet(history)) {
            const HistoryResult result = CheckHistory(list.tickets, draws, game, withExtra, &figures);
            if (parser.isSet(json))
                ctx.out << HistoryJson(list.tickets, result) << '\n';
            else
                ctx.out << HistoryReportLines(list.tickets, result).join(QLatin1Char('\n')) << '\n';
        } else {
            const PrizeResult result =
                CheckTickets(list.tickets, ParseDraw(parser.value(draw), draws, game), game, withExtra, &figures);
            if (parser.isSet(json))
                ctx.out << PrizeJson(list.tickets, result) << '\n';
            else
                ctx.out << PrizeReportLines(list.tickets, result).join(QLatin1Char('\n')) << '\n';
        }
    }
    return CliOk;
}

const CliRegistrar reg({"prize", "check tickets against a draw or the whole history (prize tiers)",
                        runPrize});

} // namespace
