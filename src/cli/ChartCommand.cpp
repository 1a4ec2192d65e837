#include "cli/Cli.h"
#include "engine/charts/ChartSheets.h"
#include "engine/charts/TrendOmission.h"
#include "engine/core/KelvoraError.h"
#include "paint/ChartPaint.h"
#include "paint/ProgramFont.h"

#include <QGuiApplication>
#include <QJsonDocument>

namespace {

// The usage in the game's words: the sheet names and the rotation chart's start range.
QString usageOf(const Game& game) {
    QString pages;
    for (const ChartSheet& sheet : ChartSheets) {
        if (sheet.number == 7 || sheet.number == 14)
            pages += QStringLiteral(",\n      ");
        else if (sheet.number > 1)
            pages += QStringLiteral(", ");
        pages += QStringLiteral("%1 %2").arg(sheet.number).arg(sheet.title(game));
    }
    return QStringLiteral(
               "Usage: kelvora-cli [--data FILE] chart PAGE --periods N [--start S] [--omission] [--png FILE]\n\n"
               "Prints, as JSON, what chart sheet PAGE shows for the latest N draws; with --png, writes the\n"
               "whole chart as the window draws it into a PNG image instead (no display needed).\n"
               "PAGE: %1\n"
               "Page 14 reads the draw figures (--figures FILE before chart, or the game's own beside\n"
               "the history).\n\n"
               "Options:\n"
               "  --periods N   number of latest draws (required)\n"
               "  --start S     start number 1..%2 of the rotation chart (default 1)\n"
               "  --omission    pages 1 and 9: every number cell not drawn shows its omission, counted\n"
               "                over the whole history (显示遗漏)\n"
               "  --png FILE    write the chart picture to FILE\n")
        .arg(pages)
        .arg(game.frontPool);
}

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
    const QCommandLineOption omission(QStringLiteral("omission"));
    parser.addOptions({periods, start, png, omission});
    const Game& game = *ctx.game;
    if (!ctx.parse(parser, usageOf(game), true)) return CliOk;
    const QStringList pos = parser.positionalArguments();
    if (pos.isEmpty()) throw CliUsageError{QStringLiteral("missing PAGE")};
    if (pos.size() > 1) throw CliUsageError{QStringLiteral("unexpected argument '%1'").arg(pos[1])};
    int page = 0;
    if (!toInt(pos[0], page) || !FindChartSheet(page))
        throw CliUsageError{
            QStringLiteral("PAGE must be a sheet number 1..%1, not '%2'").arg(ChartSheetCount).arg(pos[0])};
    if (!parser.isSet(periods)) throw CliUsageError{QStringLiteral("missing --periods")};
    const int n =
        ctx.intValue(parser, periods, 0,
                     QStringLiteral("--periods needs an integer, not '%1'").arg(parser.value(periods)));
    const int s = ctx.intValue(
        parser, start, 1,
        QStringLiteral("--start needs a number 1..%1, not '%2'").arg(game.frontPool).arg(parser.value(start)),
        1, game.frontPool);

    const ChartSheet* sheet = FindChartSheet(page);
    // Without a window the omission tables are centred in a box exactly as wide as they are.
    ChartArgs args{n, s, OmissionTableWidth};
    // Only a sheet of the figures reads them, so a faulty figures file never stops another sheet.
    FiguresTable figures;
    if (sheet->readsFigures()) {
        figures = ctx.figures(ctx.history());
        args.figures = &figures;
    }
    ChartModel model = sheet->fill(ctx.history(), args, game);
    if (parser.isSet(omission)) {
        if (page != 1 && page != 9)
            throw CliUsageError{QStringLiteral("--omission applies to the trend grids, pages 1 and 9")};
        const H2NetModel& shown = std::get<H2NetModel>(model);
        const int all = int(ctx.history().size());
        const std::vector<int> before =
            n < all ? OmissionBefore(std::get<H2NetModel>(sheet->fill(ctx.history(), {all, s, OmissionTableWidth}, game)), n)
                    : std::vector<int>();
        model = WithOmissionCounts(shown, before, OmissionColumns(page, shown, game));
    }
    if (parser.isSet(png)) {
        SaveChartPng(ChartImage(TChartPicture(model, ChartFont(sheet->kind, ProgramFont())),
                                QGuiApplication::palette(), ChartTitleText(sheet->title(game), game, n)),
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
