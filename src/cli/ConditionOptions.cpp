#include "cli/ConditionOptions.h"

#include "engine/core/KelvoraError.h"
#include "engine/shrink/ConditionSet.h"
#include "engine/shrink/Conditions.h"

ConditionOptions::ConditionOptions(QCommandLineParser& parser)
    : m_file(QStringLiteral("conditions"), QString(), QStringLiteral("file")) {
    parser.addOption(m_file);
    for (const QString& name : ConditionOptionNames()) {
        m_options.emplace_back(name, QString(), QStringLiteral("value"));
        parser.addOption(m_options.back());
    }
}

QString ConditionOptions::usage() {
    return QStringLiteral(
        "  --conditions FILE      a condition-set file (JSON); the options below apply on top of it\n"
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
        "  --hit TEXT:ITEMS       one hit row: its number list and checked items 0..5 (up to 4 times)\n"
        "  --tolerance K          容错: keep tickets failing at most K active conditions 1..17 (0)\n"
        "  With --game dlt the numbers are fronts 1..35 and the ranges the super lotto's: sum 15..165,\n"
        "  items 0..5 of the ratio matrices, span 0..34, zones 01-12/13-24/25-35 with counts 0..5,\n"
        "  AC 0..6, hit-row items 0..4.\n"
        "  With --game qlc the numbers are 1..30: sum 28..189, items 0..7 of the ratio matrices,\n"
        "  span 0..29, zones 01-10/11-20/21-30 with counts 0..7, AC 0..15, hit-row items 0..6.\n");
}

bool ConditionOptions::candidatesGiven(const QCommandLineParser& parser) const {
    return parser.isSet(m_file) || parser.isSet(m_options.front());
}

ShrinkInput ConditionOptions::read(const QCommandLineParser& parser, const Game& game) const {
    try {
        // Malformed options are usage errors, found before any file is read.
        ShrinkInput probe = ShrinkInput::resetFor(game);
        for (const QCommandLineOption& o : m_options)
            if (parser.isSet(o) && o.names().first() != QLatin1String("candidates"))
                ApplyConditionOption(probe, o.names().first(), parser.values(o), game);
        if (probe.tolerance < 0 || probe.tolerance > MaxTolerance)
            throw CliUsageError{QStringLiteral("--tolerance takes 0..%1").arg(MaxTolerance)};
        ShrinkInput in = parser.isSet(m_file) ? LoadConditionSetFile(parser.value(m_file), game)
                                              : ShrinkInput::resetFor(game);
        for (const QCommandLineOption& o : m_options)
            if (parser.isSet(o)) ApplyConditionOption(in, o.names().first(), parser.values(o), game);
        return in;
    } catch (const ConditionOptionError& e) {
        throw CliUsageError{e.message};
    }
}
