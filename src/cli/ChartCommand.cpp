#include "Cli.h"
#include "KelvoraError.h"
#include "charts/ChartSheets.h"

#include <QJsonDocument>

namespace {

const QString usage = QStringLiteral(
    "Usage: kelvora-cli [--data FILE] chart PAGE --periods N [--start S]\n\n"
    "Prints, as JSON, what chart sheet PAGE shows for the latest N draws.\n"
    "PAGE: 1 红球走势图, 2 区域分布图, 3 尾号走势图, 4 奇偶走势图, 5 大小走势图, 6 空行空列图,\n"
    "      7 红球统计图, 8 旋转图, 9 蓝球走势图, 10 蓝球统计图, 11 遗漏统计图, 12 江恩图, 13 统计分析表\n\n"
    "Options:\n"
    "  --periods N   number of latest draws (required)\n"
    "  --start S     start number 1..33 of the rotation chart (default 1)\n");

bool toInt(const QString& text, int& value) {
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

int runChart(CliContext& ctx) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption periods(QStringLiteral("periods"), QString(), QStringLiteral("N"));
    const QCommandLineOption start(QStringLiteral("start"), QString(), QStringLiteral("S"));
    parser.addOptions({help, periods, start});
    if (!parser.parse(ctx.args)) return ctx.usageError(parser.errorText(), usage);
    if (parser.isSet(help)) {
        ctx.out << usage;
        return CliOk;
    }
    const QStringList pos = parser.positionalArguments();
    if (pos.isEmpty()) return ctx.usageError(QStringLiteral("missing PAGE"), usage);
    if (pos.size() > 1) return ctx.usageError(QStringLiteral("unexpected argument '%1'").arg(pos[1]), usage);
    int page = 0;
    if (!toInt(pos[0], page) || !FindChartSheet(page))
        return ctx.usageError(QStringLiteral("PAGE must be a sheet number 1..13, not '%1'").arg(pos[0]),
                              usage);
    if (!parser.isSet(periods)) return ctx.usageError(QStringLiteral("missing --periods"), usage);
    int n = 0;
    if (!toInt(parser.value(periods), n))
        return ctx.usageError(
            QStringLiteral("--periods needs an integer, not '%1'").arg(parser.value(periods)), usage);
    int s = 1;
    if (parser.isSet(start) && (!toInt(parser.value(start), s) || s < 1 || s > 33))
        return ctx.usageError(
            QStringLiteral("--start needs a number 1..33, not '%1'").arg(parser.value(start)), usage);

    const ChartSheet* sheet = FindChartSheet(page);
    const std::optional<TCodeArr> history = ctx.loadHistory();
    if (!history) return CliRefused;
    try {
        // Without a window the omission tables are centred in a box exactly as wide as they are.
        const QJsonObject json = ChartModelJson(sheet->fill(*history, {n, s, OmissionTableWidth}));
        ctx.out << QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact)) << '\n';
    } catch (const KelvoraError& e) {
        ctx.err << e.message() << '\n';
        return CliRefused;
    }
    return CliOk;
}

const CliRegistrar reg({"chart", "print what a chart sheet shows, as JSON", runChart});

} // namespace
