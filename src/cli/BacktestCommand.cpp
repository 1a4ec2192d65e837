#include "cli/Cli.h"
#include "cli/ConditionOptions.h"
#include "cli/PredictKinds.h"

#include "engine/core/KelvoraError.h"
#include "engine/predict/PredictBacktest.h"
#include "engine/shrink/Backtest.h"

#include <QJsonDocument>

namespace {

QString usage() {
    return QStringLiteral(
               "Usage: kelvora-cli [--data FILE] backtest shrink [conditions] --draws N [--json]\n"
               "       kelvora-cli [--data FILE] backtest predict KIND --draws N [--json]\n\n"
               "backtest shrink: how the condition set would have done on the last N draws: each draw\n"
               "is tested as a ticket with every active condition (without --candidates all 33 are\n"
               "candidates).\n"
               "backtest predict: each of the last N draws predicted from the draws before it only,\n"
               "against what random numbers give. KIND: compound single banker cold odd even zone.\n\n"
               "  --draws N              the number of draws to test (at least 1)\n"
               "  --json                 the result as JSON\n\n"
               "Conditions (backtest shrink):\n") +
           ConditionOptions::usage();
}

void print(CliContext& ctx, QJsonObject json, const QStringList& text, bool asJson) {
    json.insert(QStringLiteral("game"), ctx.game->keyText());
    if (asJson)
        ctx.out << QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact)) << '\n';
    else
        for (const QString& line : text)
            ctx.out << line << '\n';
}

int runBacktest(CliContext& ctx) {
    const QString mode = ctx.args.size() > 1 ? ctx.args[1] : QString();
    if (mode == QLatin1String("--help")) {
        ctx.out << usage();
        return CliOk;
    }
    ctx.usage = usage();
    if (mode != QLatin1String("shrink") && mode != QLatin1String("predict"))
        throw CliUsageError{mode.isEmpty() ? QStringLiteral("missing shrink or predict")
                                           : QStringLiteral("unknown backtest '%1'").arg(mode)};
    const bool shrink = mode == QLatin1String("shrink");
    ctx.args = QStringList{ctx.args[0] + QLatin1Char(' ') + mode} + ctx.args.mid(2);

    QCommandLineParser parser;
    std::optional<ConditionOptions> conditions;
    if (shrink) conditions.emplace(parser);
    const QCommandLineOption draws(QStringLiteral("draws"), QString(), QStringLiteral("N"));
    const QCommandLineOption json(QStringLiteral("json"));
    parser.addOption(draws);
    parser.addOption(json);
    if (!ctx.parse(parser, usage(), !shrink)) return CliOk;
    const QStringList positional = parser.positionalArguments();
    const PredictKindName* chosen = nullptr;
    if (!shrink) {
        if (positional.size() != 1) throw CliUsageError{QStringLiteral("backtest predict takes one KIND")};
        chosen = FindPredictKind(positional.first());
        if (!chosen) throw CliUsageError{QStringLiteral("unknown KIND '%1'").arg(positional.first())};
    }
    if (!parser.isSet(draws)) throw CliUsageError{QStringLiteral("--draws is required")};
    const int n =
        ctx.intValue(parser, draws, 0, QStringLiteral("--draws takes a whole number of at least 1"), 1);

    const ShrinkInput in = shrink ? conditions->read(parser, *ctx.game) : ShrinkInput{};
    const TCodeArr history = ctx.history();
    if (shrink) {
        const ShrinkBacktest b = RunShrinkBacktest(in, history, n, *ctx.game);
        print(ctx, ShrinkBacktestJson(b), ShrinkBacktestText(b), parser.isSet(json));
    } else {
        const PredictBacktest b = RunPredictBacktest(history, chosen->kind, n, *ctx.game);
        print(ctx, PredictBacktestJson(b, QString::fromLatin1(chosen->name)), PredictBacktestText(b),
              parser.isSet(json));
    }
    return CliOk;
}

const CliRegistrar reg({"backtest", "how a condition set or a prediction would have done (shrink, predict)",
                        runBacktest});

} // namespace
