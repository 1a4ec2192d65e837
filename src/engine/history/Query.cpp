#include "engine/history/Query.h"

#include "engine/metrics/Code.h"

#include <algorithm>

QString QueryLine(const TDrawRec& draw, const Game& game) {
    const QString ticket = DrawToText(draw.Ticket, game);
    return QStringLiteral("第") + NumToText(draw.Year, 4, false) + NumToText(draw.Issue, 3) +
           QStringLiteral("期,开奖号:") + ticket;
}

QStringList QueryHistory(const TCodeArr& history, int fromIssue, int count, const Game& game) {
    return QueryHistory(history, fromIssue, count, game, {});
}

QStringList QueryHistory(const TCodeArr& history, int fromIssue, int count, const Game& game,
                         const std::function<void(const TDrawRec&, QStringList&)>& more) {
    QStringList lines;
    qsizetype start = -1;
    for (qsizetype i = qsizetype(history.size()) - 1; i >= 0; --i)
        if (history[size_t(i)].code() == fromIssue) {
            start = i;
            break;
        }
    if (start < 0 || count <= 0) return lines;
    // Entries past the end are skipped, so a huge count costs no more than the rest of the history.
    const qsizetype n = std::min<qsizetype>(count, qsizetype(history.size()) - start);
    lines.reserve(n);
    for (qsizetype k = 0; k < n; ++k) {
        lines.append(QueryLine(history[size_t(start + k)], game));
        if (more) more(history[size_t(start + k)], lines);
    }
    return lines;
}

int FirstQueryIssue(const Game& game) {
    return game.firstQueryIssue;
}
