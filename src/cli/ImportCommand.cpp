#include "Cli.h"

#include "KelvoraError.h"
#include "history/DataFile.h"
#include "history/ImportText.h"

namespace {

const QString usage = QStringLiteral(
    "Usage: kelvora-cli import FILE\n\n"
    "Converts a draw list as web pages and spreadsheets give it (issue code, six reds and a blue per\n"
    "line, separated by blanks, tabs, commas, \"+\" or \"|\"; GB2312 or UTF-8) into history lines,\n"
    "sorted by issue code, duplicates dropped. The lines go to standard output, the count of\n"
    "converted and skipped lines to standard error.\n");

int runImport(CliContext& ctx) {
    QCommandLineParser parser;
    if (!ctx.parse(parser, usage, true)) return CliOk;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        throw CliUsageError{files.isEmpty() ? QStringLiteral("missing FILE")
                                            : QStringLiteral("more than one FILE")};
    const ImportResult r = ConvertImportText(DecodeImportText(ReadFileBytes(files.first())));
    if (!r.ok) throw KelvoraError(r.message);
    for (const QString& line : r.lines)
        ctx.out << line << '\n';
    ctx.err << r.summary() << '\n';
    return CliOk;
}

const CliRegistrar reg({"import", "convert a draw list from a web page or spreadsheet", runImport});

} // namespace
