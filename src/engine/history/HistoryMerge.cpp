#include "engine/history/HistoryMerge.h"

#include "engine/history/Parser.h"
#include "engine/metrics/Code.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {

bool sameNumbers(const TCodeRec& a, const TCodeRec& b) {
    return std::equal(a.Red, a.Red + GameLimits::kMaxFrontPicks, b.Red) &&
           std::equal(a.Blue, a.Blue + GameLimits::kMaxBackPool, b.Blue) && a.Special == b.Special;
}

TCodeArr parsedLines(const QStringList& lines, const Game& game) {
    return ParseHistoryText(lines.join(QLatin1Char('\n')), game).history;
}

} // namespace

QString HistoryMergeResult::report() const {
    QString text =
        QStringLiteral("新增%1期，相同%2期，冲突%3期（未导入）").arg(added).arg(same).arg(conflicts.size());
    for (const MergeConflict& c : conflicts)
        text += QStringLiteral("\n第%1期：导入 %2，已有 %3").arg(c.issue).arg(c.imported, c.held);
    for (const QString& gap : gaps)
        text += QLatin1Char('\n') + gap;
    return text;
}

HistoryMergeResult MergeImportedDraws(const QString& heldText, const TCodeArr& held,
                                      const QStringList& imported, const Game& game) {
    HistoryMergeResult r;
    QHash<int, const TDrawRec*> heldByIssue;
    heldByIssue.reserve(qsizetype(held.size()));
    for (const TDrawRec& d : held)
        heldByIssue.insert(d.code(), &d);

    const TCodeArr incoming = parsedLines(imported, game);
    QList<std::pair<int, QString>> added; // issue code and line, ascending
    for (size_t i = 0; i < incoming.size() && i < size_t(imported.size()); ++i) {
        const TDrawRec& d = incoming[i];
        const TDrawRec* mine = heldByIssue.value(d.code());
        if (!mine) {
            added.append({d.code(), imported[qsizetype(i)]});
            heldByIssue.insert(d.code(), &d);
        } else if (sameNumbers(mine->Ticket, d.Ticket)) {
            ++r.same;
        } else {
            r.conflicts.append({d.code(), DrawToText(d.Ticket, game), DrawToText(mine->Ticket, game)});
        }
    }
    std::stable_sort(added.begin(), added.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    r.added = int(added.size());
    QList<int> issues;
    QSet<int> addedIssues;
    for (const TDrawRec& d : held)
        issues.append(d.code());
    for (const auto& a : std::as_const(added)) {
        issues.append(a.first);
        addedIssues.insert(a.first);
    }
    r.gaps = MissingIssueTexts(issues, addedIssues);
    if (added.isEmpty()) {
        r.text = heldText;
        return r;
    }

    // Held line n (non-blank, counted as the parser counts) is entry n - 1 of held.
    static const QRegularExpression lineEnds(QStringLiteral("\\r\\n|\\r|\\n"));
    QStringList out;
    qsizetype next = 0;
    size_t entry = 0;
    const QStringList lines = heldText.isEmpty() ? QStringList() : heldText.split(lineEnds);
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty() && entry < held.size()) {
            const int code = held[entry++].code();
            while (next < added.size() && added[next].first < code)
                out.append(added[next++].second);
        }
        out.append(line);
    }
    // A text ending in blank lines keeps them after the draws.
    qsizetype tail = out.size();
    while (tail > 0 && out[tail - 1].trimmed().isEmpty() && next < added.size())
        --tail;
    QStringList rest;
    while (next < added.size())
        rest.append(added[next++].second);
    for (qsizetype k = 0; k < rest.size(); ++k)
        out.insert(tail + k, rest[k]);
    r.text = out.join(QLatin1Char('\n'));
    return r;
}

int DrawsDroppedByReplacing(const TCodeArr& held, const QStringList& imported, const Game& game) {
    QSet<int> kept;
    for (const TDrawRec& d : parsedLines(imported, game))
        kept.insert(d.code());
    return int(
        std::count_if(held.begin(), held.end(), [&](const TDrawRec& d) { return !kept.contains(d.code()); }));
}

QStringList MissingIssueTexts(QList<int> issues, const QSet<int>& around) {
    constexpr int shown = 10;
    std::sort(issues.begin(), issues.end());
    issues.erase(std::unique(issues.begin(), issues.end()), issues.end());
    QStringList texts;
    int more = 0;
    for (qsizetype k = 1; k < issues.size(); ++k) {
        const int before = issues[k - 1];
        const int after = issues[k];
        const int first = after / 1000 == before / 1000 ? before + 1 : after / 1000 * 1000 + 1;
        if (after <= first) continue;
        if (!around.isEmpty() && !around.contains(before) && !around.contains(after)) continue;
        if (texts.size() == shown) {
            ++more;
            continue;
        }
        const int count = after - first;
        texts.append(count == 1 ? QStringLiteral("缺少%1，共1期").arg(first)
                                : QStringLiteral("缺少%1到%2，共%3期").arg(first).arg(after - 1).arg(count));
    }
    if (more > 0) texts.append(QStringLiteral("另有%1处缺少开奖").arg(more));
    return texts;
}

QString HistoryStatusText(const TCodeArr& history) {
    return history.empty()
               ? QStringLiteral("共0期")
               : QStringLiteral("共%1期，最新%2期").arg(history.size()).arg(history.back().code());
}
