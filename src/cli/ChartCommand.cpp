#include "cli/Cli.h"
#include "engine/charts/ChartSheets.h"
#include "engine/core/KelvoraError.h"
#include "paint/ChartPaint.h"
#include "paint/ProgramFont.h"

#include <QGuiApplication>
#include <QJsonDocument>

namespace {

const QString usage = QStringLiteral(
    "Usage: kelvora-cli [--data FILE] chart PAGE --periods N [--start S] [--png FILE]\n\n"
    "Prints, as JSON, what chart sheet PAGE shows for the latest N draws; with --png, writes the\n"
    "whole chart as the window draws it into a PNG image instead (no display needed).\n"
    "PAGE: 1 红球走势图, 2 区域分布图, 3 尾号走势图, 4 奇偶走势图, 5 大小走势图, 6 空行空列图,\n"
    "      7 红球统计图, 8 旋转图, 9 蓝球走势图, 10 蓝球统计图, 11 遗漏统计图, 12 江恩图, 13 统计分析表\n"
    "      (with --game dlt: 1 前区走势图, 7 前区统计图, 9 后区走势图, 10 后区统计图)\n\n"
    "Options:\n"
    "  --periods N   number of latest draws (required)\n"
    "  --start S     start number of the rotation chart, 1..33 (1..35 with --game dlt; default 1)\n"
    "  --png FILE    write the chart picture to FILE\n");

bool toInt(const QString& text, int& value) {
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

int runChart(CliContext& ctx) {
    QCommandLineParser parser;
    const QCommandLineOption periods(QStringLiteral("periods"), QString(), QStringLiteral("N"));
    const QCommandLineOption start(QStringLiteral("start"), QString(), QStringLiteral("S"));
    const QCommandLineOption png(QStringLiteral("png"), QString(), QStringLiteral("FILE"));
    parser.addOptions({periods, start, png});
    if (!ctx.parse(parser, usage, true)) return CliOk;
    const QStringList pos = parser.positionalArguments();
    if (pos.isEmpty()) throw CliUsageError{QStringLiteral("missing PAGE")};
    if (pos.size() > 1) throw CliUsageError{QStringLiteral("unexpected argument '%1'").arg(pos[1])};
    int page = 0;
    if (!toInt(pos[0], page) || !FindChartSheet(page))
        throw CliUsageError{QStringLiteral("PAGE must be a sheet number 1..13, not '%1'").arg(pos[0])};
    if (!parser.isSet(periods)) throw CliUsageError{QStringLiteral("missing --periods")};
    const int n =
        ctx.intValue(parser, periods, 0,
                     QStringLiteral("--periods needs an integer, not '%1'").arg(parser.value(periods)));
    const Game& game = *ctx.game;
    const int s = ctx.intValue(parser, start, 1,
                               QStringLiteral("--start needs a number 1..%1, not '%2'")
                                   .arg(game.frontPool)
                                   .arg(parser.value(start)),
                               1, game.frontPool);

    const ChartSheet* sheet = FindChartSheet(page);
    // Without a window the omission tables are centred in a box exactly as wide as they are.
    const ChartModel model = sheet->fill(ctx.history(), {n, s, OmissionTableWidth}, game);
    if (parser.isSet(png)) {
        SaveChartPng(ChartImage(model, ChartFont(sheet->kind, ProgramFont()), QGuiApplication::palette()),
                     parser.value(png));
        return CliOk;
    }
    QJsonObject json = ChartModelJson(model);
    json.insert(QStringLiteral("game"), game.keyText());
    ctx.out << QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact)) << '\n';
    return CliOk;
}

const CliRegistrar reg({"chart", "print what a chart sheet shows, as JSON", runChart});

} // namespace
