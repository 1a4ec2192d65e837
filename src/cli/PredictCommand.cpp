#include "cli/Cli.h"
#include "cli/PredictKinds.h"

#include "engine/core/KelvoraError.h"
#include "engine/predict/Prediction.h"

namespace {

const QString usage =
    QStringLiteral("Usage: kelvora-cli [--data FILE] predict KIND\n\n"
                   "Prints the lines the prediction page shows after one of its commands, computed from the\n"
                   "20 latest draws. With --game dlt the numbers are fronts of 01..35 and backs of 01..12\n"
                   "(a compound group's backs after the \"+\"); with --game qlc numbers of 01..30 alone.\n\n"
                   "KIND:\n"
                   "  compound   复式预测\n"
                   "  single     单注预测\n"
                   "  banker     胆码推荐\n"
                   "  cold       冷码推荐\n"
                   "  odd        奇数推荐\n"
                   "  even       偶数推荐\n"
                   "  zone       区间推荐\n");

int runPredict(CliContext& ctx) {
    QCommandLineParser parser;
    if (!ctx.parse(parser, usage, true)) return CliOk;
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) throw CliUsageError{QStringLiteral("missing KIND")};
    if (positional.size() > 1)
        throw CliUsageError{QStringLiteral("unexpected argument '%1'").arg(positional.at(1))};

    const PredictKindName* chosen = FindPredictKind(positional.first());
    if (!chosen) throw CliUsageError{QStringLiteral("unknown KIND '%1'").arg(positional.first())};

    const TPredictResult result = RunPredict(ctx.history(), chosen->kind, *ctx.game);
    for (const QString& line : result.lines)
        ctx.out << line << '\n';
    return CliOk;
}

const CliRegistrar reg({"predict", "the prediction page's commands (compound, single, banker, ...)",
                        runPredict});

} // namespace
