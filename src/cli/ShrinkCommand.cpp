#include "cli/Cli.h"
#include "cli/ConditionOptions.h"

#include "engine/core/KelvoraError.h"
#include "engine/shrink/ShrinkBacks.h"
#include "engine/shrink/ShrinkRun.h"

#include <algorithm>
#include <vector>

namespace {

QString usage() {
    return QStringLiteral(
               "Usage: kelvora-cli [--data FILE] shrink --candidates LIST [conditions]\n\n"
               "Runs the shrink over all tickets and prints the result text as the result memo shows it.\n"
               "Every condition not given is off.\n\n") +
           ConditionOptions::usage() +
           QStringLiteral(
               "  --all                  list every kept ticket, beyond 100,000 too\n"
               "  --backs LIST           (--game dlt) 2..12 back numbers: every pair of them follows\n"
               "                         each front ticket, one bet a line\n");
}

// The back numbers of --backs: distinct, within the back pool, at least two and at most the pool.
std::vector<int> readBacks(const QString& text, const Game& game) {
    const QString word = game.back();
    std::vector<int> backs;
    for (const QString& piece : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = piece.trimmed().toInt(&ok);
        if (!ok) throw KelvoraError(QStringLiteral("%1号码“%2”不是数字").arg(word, piece.trimmed()));
        if (n < 1 || n > game.backPool)
            throw KelvoraError(QStringLiteral("%1号码%2超出范围01-%3")
                                   .arg(word)
                                   .arg(n)
                                   .arg(game.backPool, 2, 10, QLatin1Char('0')));
        if (std::find(backs.begin(), backs.end(), n) != backs.end())
            throw KelvoraError(QStringLiteral("%1号码%2重复").arg(word).arg(n, 2, 10, QLatin1Char('0')));
        backs.push_back(n);
    }
    if (int(backs.size()) < game.backPicks || int(backs.size()) > game.backPool)
        throw KelvoraError(QStringLiteral("%1号码需要%2至%3个，现在是%4个")
                               .arg(word)
                               .arg(game.backPicks)
                               .arg(game.backPool)
                               .arg(backs.size()));
    std::sort(backs.begin(), backs.end());
    return backs;
}

int runShrink(CliContext& ctx) {
    QCommandLineParser parser;
    const ConditionOptions conditions(parser);
    const QCommandLineOption all(QStringLiteral("all"));
    const QCommandLineOption backsOption(QStringLiteral("backs"), QString(), QStringLiteral("LIST"));
    parser.addOption(all);
    parser.addOption(backsOption);
    if (!ctx.parse(parser, usage())) return CliOk;
    if (!conditions.candidatesGiven(parser)) throw CliUsageError{QStringLiteral("--candidates is required")};
    const bool withBacks = parser.isSet(backsOption);
    if (withBacks && ctx.game->backPicks < 2)
        throw CliUsageError{QStringLiteral("--backs is for a game of two back numbers (--game dlt)")};

    const ShrinkInput in = conditions.read(parser, *ctx.game);
    const std::vector<int> backs =
        withBacks ? readBacks(parser.value(backsOption), *ctx.game) : std::vector<int>{};
    const bool listAll = parser.isSet(all);
    const ShrinkResult result = RunShrink(in, ctx.history(), {}, listAll || withBacks, *ctx.game);
    if (withBacks)
        ctx.out << ShrinkWithBacks(result, backs, listAll, *ctx.game).text << '\n';
    else
        ctx.out << (listAll ? ShrinkAllText(result) : result.text) << '\n';
    return CliOk;
}

const CliRegistrar reg({"shrink", "run the shrink with the given conditions", runShrink});

} // namespace
