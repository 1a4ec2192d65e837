#include "Cli.h"
#include "ConditionOptions.h"
#include "PredictKinds.h"

#include "KelvoraError.h"
#include "predict/PredictBacktest.h"
#include "shrink/Backtest.h"

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

void print(CliContext& ctx, const QJsonObject& json, const QStringList& text, bool asJson) {
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
    if (mode != QLatin1String("shrink") && mode != QLatin1String("predict"))
        return ctx.usageError(mode.isEmpty() ? QStringLiteral("missing shrink or predict")
                                             : QStringLiteral("unknown backtest '%1'").arg(mode),
                              usage());
    const bool shrink = mode == QLatin1String("shrink");
    ctx.args = QStringList{ctx.args[0] + QLatin1Char(' ') + mode} + ctx.args.mid(2);

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    std::optional<ConditionOptions> conditions;
    if (shrink) conditions.emplace(parser);
    const QCommandLineOption draws(QStringLiteral("draws"), QString(), QStringLiteral("N"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption help(QStringLiteral("help"));
    parser.addOption(draws);
    parser.addOption(json);
    parser.addOption(help);
    if (!parser.parse(ctx.args)) return ctx.usageError(parser.errorText(), usage());
    if (parser.isSet(help)) {
        ctx.out << usage();
        return CliOk;
    }
    const QStringList positional = parser.positionalArguments();
    const PredictKindName* chosen = nullptr;
    if (shrink) {
        if (!positional.isEmpty())
            return ctx.usageError(QStringLiteral("unexpected argument '%1'").arg(positional.first()),
                                  usage());
    } else {
        if (positional.size() != 1)
            return ctx.usageError(QStringLiteral("backtest predict takes one KIND"), usage());
        chosen = FindPredictKind(positional.first());
        if (!chosen)
            return ctx.usageError(QStringLiteral("unknown KIND '%1'").arg(positional.first()), usage());
    }
    if (!parser.isSet(draws)) return ctx.usageError(QStringLiteral("--draws is required"), usage());
    bool ok = false;
    const int n = parser.value(draws).toInt(&ok);
    if (!ok || n < 1)
        return ctx.usageError(QStringLiteral("--draws takes a whole number of at least 1"), usage());

    ShrinkInput in;
    if (shrink)
        if (const auto status = conditions->readOrReport(ctx, parser, in, usage())) return *status;
    const std::optional<TCodeArr> history = ctx.loadHistory();
    if (!history) return CliRefused;
    try {
        if (shrink) {
            const ShrinkBacktest b = RunShrinkBacktest(in, *history, n);
            print(ctx, ShrinkBacktestJson(b), ShrinkBacktestText(b), parser.isSet(json));
        } else {
            const PredictBacktest b = RunPredictBacktest(*history, chosen->kind, n);
            print(ctx, PredictBacktestJson(b, QString::fromLatin1(chosen->name)), PredictBacktestText(b),
                  parser.isSet(json));
        }
    } catch (const KelvoraError& e) {
        ctx.err << e.message() << '\n';
        return CliRefused;
    }
    return CliOk;
}

const CliRegistrar reg({"backtest", "how a condition set or a prediction would have done (shrink, predict)",
                        runBacktest});

} // namespace
