#include "Cli.h"

#include "KelvoraError.h"
#include "history/Convert.h"
#include "history/Parser.h"
#include "shrink/ListReader.h"
#include "shrink/ShrinkRun.h"

namespace {

const QString usage = QStringLiteral(
    "Usage: kelvora-cli [--data FILE] shrink --candidates LIST [conditions]\n\n"
    "Runs the shrink over all tickets and prints the result text as the result memo shows it.\n"
    "Every condition not given is off.\n\n"
    "  --candidates LIST      candidate reds 1..33, comma-separated (at least 8)\n"
    "  --sum-min N, --sum-max N          sum range (21 and 183)\n"
    "  --exclude-sums TEXT    excluded sums, as typed into the edit\n"
    "  --odd-even ITEMS       checked items 0..6 of the odd-to-even matrix\n"
    "  --repeats ITEMS        checked items 0..4 of the repeat matrix\n"
    "  --link any|has|none    consecutive numbers (any)\n"
    "  --link-runs ITEMS      checked items 0..3 of the run-length matrix\n"
    "  --tail-min N, --tail-max N        sum-tail range (0 and 9)\n"
    "  --exclude-tails TEXT   excluded sum tails\n"
    "  --exclude TEXT         excluded numbers\n"
    "  --require TEXT         required numbers\n"
    "  --big-small ITEMS      checked items 0..6 of the big-to-small matrix\n"
    "  --max-code N, --min-code N        largest and smallest number (33 and 1)\n"
    "  --span A,B             span range 0..32\n"
    "  --zones A,B,C          counts 0..6 in the three zones, - for not chosen\n"
    "  --mod3 A,B,C           counts 0..6 of remainders 0, 1, 2, - for not chosen\n"
    "  --ac A,B               AC range 0..10\n"
    "  --hit TEXT:ITEMS       one hit row: its number list and checked items 0..5 (up to 4 times)\n");

// A malformed option value: a usage error, unlike a condition the program itself refuses.
struct UsageProblem {
    QString message;
};

int integer(const QString& option, const QString& text) {
    int v = 0;
    if (!TryStrToInt(QStringView(text), v))
        throw UsageProblem{QStringLiteral("--%1: '%2' is not a number").arg(option, text)};
    return v;
}

template <size_t N> void readItems(const QString& option, const QString& text, std::array<bool, N>& items) {
    for (const QString& piece : SplitString(QStringLiteral(","), text)) {
        const int k = integer(option, piece);
        if (k < 0 || k >= int(N))
            throw UsageProblem{QStringLiteral("--%1: item %2 is not in 0..%3").arg(option).arg(k).arg(N - 1)};
        items[size_t(k)] = true;
    }
}

// "A,B,C" with "-" for a list left on "不选".
QList<int> readChoices(const QString& option, const QString& text, int count) {
    const QStringList pieces = text.split(QLatin1Char(','));
    if (pieces.size() != count)
        throw UsageProblem{QStringLiteral("--%1 takes %2 comma-separated values").arg(option).arg(count)};
    QList<int> values;
    for (const QString& piece : pieces)
        values << (piece.trimmed() == QLatin1String("-") ? -1 : integer(option, piece.trimmed()));
    return values;
}

int runShrink(CliContext& ctx) {
    QCommandLineParser parser;
    auto valued = [&](const char* name) {
        const QCommandLineOption o(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        parser.addOption(o);
        return o;
    };
    const auto candidates = valued("candidates"), sumMin = valued("sum-min"), sumMax = valued("sum-max"),
               excludeSums = valued("exclude-sums"), oddEven = valued("odd-even"),
               repeats = valued("repeats"), link = valued("link"), linkRuns = valued("link-runs"),
               tailMin = valued("tail-min"), tailMax = valued("tail-max"),
               excludeTails = valued("exclude-tails"), exclude = valued("exclude"),
               require = valued("require"), bigSmall = valued("big-small"), maxCode = valued("max-code"),
               minCode = valued("min-code"), span = valued("span"), zones = valued("zones"),
               mod3 = valued("mod3"), ac = valued("ac"), hit = valued("hit");
    if (!ctx.parse(parser, usage)) return ctx.helped ? CliOk : CliUsage;
    if (!parser.isSet(candidates)) return ctx.usageError(QStringLiteral("--candidates is required"), usage);

    ShrinkInput in;
    try {
        auto number = [&](const QCommandLineOption& o, int& target) {
            if (parser.isSet(o)) target = integer(o.names().first(), parser.value(o));
        };
        number(sumMin, in.sumMin);
        number(sumMax, in.sumMax);
        number(tailMin, in.tailMin);
        number(tailMax, in.tailMax);
        number(maxCode, in.maxCode);
        number(minCode, in.minCode);
        in.excludeSums = parser.value(excludeSums);
        in.excludeTails = parser.value(excludeTails);
        in.excludeNumbers = parser.value(exclude);
        in.requireNumbers = parser.value(require);
        readItems(QStringLiteral("odd-even"), parser.value(oddEven), in.oddEven);
        readItems(QStringLiteral("repeats"), parser.value(repeats), in.repeats);
        readItems(QStringLiteral("link-runs"), parser.value(linkRuns), in.linkRuns);
        readItems(QStringLiteral("big-small"), parser.value(bigSmall), in.bigSmall);
        if (parser.isSet(link)) {
            const QStringList kinds{QStringLiteral("has"), QStringLiteral("none"), QStringLiteral("any")};
            in.linkIndex = int(kinds.indexOf(parser.value(link)));
            if (in.linkIndex < 0) throw UsageProblem{QStringLiteral("--link takes any, has or none")};
        }
        if (parser.isSet(span)) {
            const QList<int> v = readChoices(QStringLiteral("span"), parser.value(span), 2);
            in.spanMin = v[0];
            in.spanMax = v[1];
        }
        if (parser.isSet(ac)) {
            const QList<int> v = readChoices(QStringLiteral("ac"), parser.value(ac), 2);
            in.acMin = v[0];
            in.acMax = v[1];
        }
        if (parser.isSet(zones)) {
            const QList<int> v = readChoices(QStringLiteral("zones"), parser.value(zones), 3);
            in.zones = {v[0], v[1], v[2]};
        }
        if (parser.isSet(mod3)) {
            const QList<int> v = readChoices(QStringLiteral("mod3"), parser.value(mod3), 3);
            in.mod3 = {v[0], v[1], v[2]};
        }
        const QStringList rows = parser.values(hit);
        if (rows.size() > 4) throw UsageProblem{QStringLiteral("--hit may be given at most 4 times")};
        for (int r = 0; r < rows.size(); ++r) {
            const qsizetype colon = rows[r].lastIndexOf(QLatin1Char(':'));
            if (colon < 0) throw UsageProblem{QStringLiteral("--hit takes TEXT:ITEMS")};
            in.hitRows[size_t(r)].list = rows[r].left(colon);
            readItems(QStringLiteral("hit"), rows[r].mid(colon + 1), in.hitRows[size_t(r)].items);
        }
    } catch (const UsageProblem& p) {
        return ctx.usageError(p.message, usage);
    }

    const std::optional<TCodeArr> history = ctx.loadHistory();
    if (!history) return CliRefused;
    try {
        for (int n : ReadNumberList(parser.value(candidates), 1, 33, QStringLiteral("红球")))
            in.candidates[size_t(n - 1)] = true;
        ctx.out << RunShrink(in, *history).text << '\n';
    } catch (const KelvoraError& e) {
        ctx.err << e.message() << '\n';
        return CliRefused;
    }
    return CliOk;
}

const CliRegistrar reg({"shrink", "run the shrink with the given conditions", runShrink});

} // namespace
