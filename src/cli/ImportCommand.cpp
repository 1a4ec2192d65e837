#include "cli/Cli.h"

#include "engine/core/KelvoraError.h"
#include "engine/history/DataFile.h"
#include "engine/history/HistoryLoader.h"
#include "engine/history/HistoryMerge.h"
#include "engine/history/ImportText.h"

namespace {

const QString usage = QStringLiteral(
    "Usage: kelvora-cli import FILE\n"
    "       kelvora-cli [--data FILE] import FILE --merge\n\n"
    "Converts a draw list as web pages, spreadsheets and the official tables give it (issue code as\n"
    "2026096, 26096 or 第2026096期, a date in any column, the game's numbers per line: six reds and a\n"
    "blue, or five fronts and two backs; sales and pool amounts after them; separated by blanks, tabs,\n"
    "commas, \"+\" or \"|\"; GB2312, UTF-8 or UTF-16) into history lines, sorted by issue code,\n"
    "duplicates dropped. The lines go to standard output, the count of converted and skipped lines\n"
    "and the running numbers missing between them to standard error.\n\n"
    "Options:\n"
    "  --merge   merge the draws into the history by issue code and print the merged history:\n"
    "            new draws are added, held draws are never replaced, contradictions and the\n"
    "            running numbers missing next to the new draws are listed\n");

int runImport(CliContext& ctx) {
    QCommandLineParser parser;
    const QCommandLineOption merge(QStringLiteral("merge"));
    parser.addOption(merge);
    if (!ctx.parse(parser, usage, true)) return CliOk;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        throw CliUsageError{files.isEmpty() ? QStringLiteral("missing FILE")
                                            : QStringLiteral("more than one FILE")};
    const ImportResult r = ConvertImportText(DecodeImportText(ReadFileBytes(files.first())), *ctx.game);
    if (!r.ok) throw KelvoraError(r.message);
    if (!parser.isSet(merge)) {
        for (const QString& line : r.lines)
            ctx.out << line << '\n';
        ctx.err << r.summary() << '\n';
        return CliOk;
    }
    const HistoryLoad held = LoadHistory(ctx.dataPath, *ctx.game);
    if (held.status != HistoryLoad::Ok) throw KelvoraError(held.message);
    const HistoryMergeResult merged = MergeImportedDraws(held.text, held.history, r.lines, *ctx.game);
    if (!merged.text.isEmpty()) ctx.out << merged.text << '\n';
    ctx.err << merged.report() << '\n';
    return CliOk;
}

const CliRegistrar reg({"import", "convert a draw list from a web page or spreadsheet", runImport});

} // namespace
