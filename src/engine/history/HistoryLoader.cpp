#include "engine/history/HistoryLoader.h"

#include "engine/core/KelvoraError.h"
#include "engine/history/DataFile.h"
#include "engine/history/HistoryWarnings.h"
#include "engine/history/Parser.h"

HistoryLoad LoadHistory(const QString& path, const Game& game) {
    HistoryLoad load;
    DataFileContent content;
    try {
        content = ReadDataFile(path);
    } catch (const KelvoraError& e) {
        load.message = e.message();
        return load;
    }
    load.text = content.text;
    load.fileEmpty = content.isEmpty;
    // The window parses its editor, which holds the decoded text: parse the same.
    ParseResult parsed = ParseHistoryText(content.text, game);
    if (parsed.status != ParseResult::Ok) {
        load.status = HistoryLoad::Refused;
        load.message = parsed.message;
        return load;
    }
    load.status = HistoryLoad::Ok;
    load.history = std::move(parsed.history);
    load.warnings = HistoryWarnings(load.history, game);
    return load;
}

QString HistoryCountText(const TCodeArr& history) {
    if (history.empty()) return QStringLiteral("共0期");
    return QStringLiteral("共%1期，最新%2期").arg(history.size()).arg(history.back().code());
}
