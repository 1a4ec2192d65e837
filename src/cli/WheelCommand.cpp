#include "cli/Cli.h"

#include "engine/core/KelvoraError.h"
#include "engine/prize/TicketReader.h"
#include "engine/wheel/ResultWheel.h"
#include "engine/wheel/Wheel.h"

#include <QDir>
#include <QFile>

namespace {

const QString usage = QStringLiteral(
    "Usage: kelvora-cli [--data FILE] wheel --numbers LIST --guarantee P:T [--bankers LIST] [--json]\n"
    "       kelvora-cli [--data FILE] wheel --numbers LIST --guarantee P:T --check FILE [--json]\n"
    "       kelvora-cli [--data FILE] wheel --from FILE --guarantee T [--json]\n\n"
    "Tickets with a guarantee (旋转矩阵): whenever P drawn front numbers (reds) are among the numbers,\n"
    "at least one ticket holds T of them. Every wheel is checked over all draws before it is printed.\n"
    "Tickets hold the game's picks: six reds of 01..33, with --game dlt five fronts of 01..35, or\n"
    "with --game qlc seven numbers of 01..30.\n\n"
    "Options:\n"
    "  --numbers LIST    picks+1..24 distinct front numbers, comma-separated (7..24 reds, 8..24 for qlc)\n"
    "  --guarantee P:T   中P保T, 2 <= T <= P <= picks (with --from: T alone)\n"
    "  --bankers LIST    front numbers in every ticket (1..picks-1, not among the numbers)\n"
    "  --check FILE      check a given ticket list instead of building a wheel (exit 3 when it fails)\n"
    "  --from FILE       choose tickets of FILE so that every ticket of FILE shares T fronts with one\n"
    "  --json            print JSON\n");

constexpr int CliGuaranteeFails = 3;

// The fronts of every ticket of a file (prize's line rules); throws for an unreadable, empty or
// faulty file.
std::vector<uint64_t> readTicketFile(const QString& name, bool singlesOnly, const Game& game) {
    // A wheel guards fronts only: a line without backs is read as if it had some.
    const uint32_t anyBacks = ((uint32_t(1) << game.backPicks) - 1) << 1;
    const TicketList list = ReadTickets(ReadTicketInput(name), anyBacks, game);
    if (!list.badLines.empty()) throw KelvoraError(BadLinesMessage(list.badLines));
    if (list.tickets.empty())
        throw KelvoraError(QStringLiteral("文件 %1 中没有投注号码").arg(QDir::toNativeSeparators(name)));
    std::vector<uint64_t> reds;
    for (const PrizeTicket& t : list.tickets) {
        if (t.bankers) throw KelvoraError(BankerLineInWheelMessage(t.line));
        if (singlesOnly && t.redCount != game.frontPicks)
            throw KelvoraError(QStringLiteral("第%1行不是单注号码：缩水后旋转只接受每行%2个%3")
                                   .arg(t.line)
                                   .arg(game.frontPicks)
                                   .arg(game.front()));
        reds.push_back(t.reds);
    }
    return reds;
}

void readGuarantee(const QString& text, bool single, int picks, int& drawn, int& held) {
    const QStringList parts = text.split(QLatin1Char(':'));
    bool ok1 = false;
    bool ok2 = true;
    if (single && parts.size() == 1) {
        held = parts[0].toInt(&ok1);
        drawn = picks;
    } else if (!single && parts.size() == 2) {
        drawn = parts[0].toInt(&ok1);
        held = parts[1].toInt(&ok2);
    }
    if (!ok1 || !ok2)
        throw KelvoraError(
            QStringLiteral("保证条件\"%1\"无效：应写成%2")
                .arg(text, single ? QStringLiteral("T（如5）") : QStringLiteral("P:T（如6:5）")));
    if (held < 2 || held > drawn || drawn > picks)
        throw KelvoraError(
            QStringLiteral("保证条件\"中%1保%2\"无效：应满足2≤保≤中≤%3").arg(drawn).arg(held).arg(picks));
}

int runWheel(CliContext& ctx) {
    QCommandLineParser parser;
    const QCommandLineOption numbers(QStringLiteral("numbers"), QString(), QStringLiteral("LIST"));
    const QCommandLineOption guarantee(QStringLiteral("guarantee"), QString(), QStringLiteral("P:T"));
    const QCommandLineOption bankers(QStringLiteral("bankers"), QString(), QStringLiteral("LIST"));
    const QCommandLineOption check(QStringLiteral("check"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption from(QStringLiteral("from"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption json(QStringLiteral("json"));
    parser.addOptions({numbers, guarantee, bankers, check, from, json});
    if (!ctx.parse(parser, usage)) return ctx.helped ? CliOk : CliUsage;
    if (!parser.isSet(guarantee)) return ctx.usageError(QStringLiteral("missing --guarantee"), usage);
    if (parser.isSet(from) && (parser.isSet(numbers) || parser.isSet(bankers) || parser.isSet(check)))
        return ctx.usageError(QStringLiteral("--from does not go with --numbers, --bankers or --check"),
                              usage);
    if (!parser.isSet(from) && !parser.isSet(numbers))
        return ctx.usageError(QStringLiteral("missing --numbers or --from"), usage);
    if (parser.isSet(check) && parser.isSet(bankers))
        return ctx.usageError(QStringLiteral("--bankers does not go with --check"), usage);
    const bool asJson = parser.isSet(json);
    const Game& game = *ctx.game;
    const int picks = game.frontPicks;
    try {
        if (parser.isSet(from)) {
            int drawn = 0;
            int held = 0;
            readGuarantee(parser.value(guarantee), true, picks, drawn, held);
            const std::vector<uint64_t> tickets = readTicketFile(parser.value(from), true, game);
            const ResultWheel w = CoverResultTickets(tickets, held);
            if (asJson) {
                ctx.out << ResultWheelJson(w, game) << '\n';
            } else {
                for (const QString& line : ResultWheelLines(w))
                    ctx.out << line << '\n';
                ctx.out << ResultWheelCountLine(w) << '\n'
                        << QStringLiteral("已验证：全部%1注均满足").arg(w.from) << '\n';
            }
            return CliOk;
        }
        WheelRequest request;
        request.picks = picks;
        request.pool = game.frontPool;
        readGuarantee(parser.value(guarantee), false, picks, request.drawn, request.held);
        request.numbers = ReadWheelNumbers(parser.value(numbers), request.pool, QStringLiteral("号码"));
        if (parser.isSet(check)) {
            const int v = int(request.numbers.size());
            if (v < picks + 1 || v > WheelMaxNumbers)
                throw KelvoraError(QStringLiteral("号码个数为%1个：旋转矩阵需要%2-%3个号码")
                                       .arg(v)
                                       .arg(picks + 1)
                                       .arg(WheelMaxNumbers));
            const std::vector<uint64_t> tickets = readTicketFile(parser.value(check), false, game);
            const TicketWheelCheck c =
                CheckTicketWheel(request.numbers, request.drawn, request.held, tickets);
            if (asJson)
                ctx.out << TicketWheelCheckJson(c, game) << '\n';
            else
                ctx.out << TicketWheelCheckLines(c).join(QLatin1Char('\n')) << '\n';
            return c.uncovered == 0 ? CliOk : CliGuaranteeFails;
        }
        request.bankers = ReadWheelNumbers(parser.value(bankers), request.pool, QStringLiteral("胆码"));
        const Wheel w = BuildWheel(request);
        if (asJson) {
            ctx.out << WheelJson(w, game.keyText()) << '\n';
        } else {
            for (const QString& line : WheelTicketLines(w))
                ctx.out << line << '\n';
            ctx.out << WheelCountLine(w) << '\n' << WheelVerifiedLine(w) << '\n';
        }
    } catch (const KelvoraError& e) {
        ctx.err << e.message() << '\n';
        return CliRefused;
    }
    return CliOk;
}

const CliRegistrar reg({"wheel", "tickets with a guarantee (旋转矩阵), checks and 缩水后旋转", runWheel});

} // namespace
