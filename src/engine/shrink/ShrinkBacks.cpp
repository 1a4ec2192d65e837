#include "engine/shrink/ShrinkBacks.h"

#include "engine/metrics/Code.h"
#include "engine/shrink/Combinations.h"
#include "engine/shrink/ShrinkRun.h"

#include <algorithm>

QStringList ShrinkBackPairs(const std::vector<int>& backs) {
    std::vector<int> sorted = backs;
    std::sort(sorted.begin(), sorted.end());
    QStringList pairs;
    for (size_t i = 0; i < sorted.size(); ++i)
        for (size_t j = i + 1; j < sorted.size(); ++j)
            pairs << QStringLiteral("+%1 %2")
                         .arg(sorted[i], 2, 10, QLatin1Char('0'))
                         .arg(sorted[j], 2, 10, QLatin1Char('0'));
    return pairs;
}

QString ShrinkBacksProblem(const std::vector<int>& backs, const Game& game) {
    if (int(backs.size()) >= game.backPicks) return QString();
    return QStringLiteral("请最少选择%1个%2号码！").arg(game.backPicks).arg(game.back());
}

ShrinkBacksResult ShrinkWithBacks(const ShrinkResult& result, const std::vector<int>& backs, bool listAll,
                                  const Game& game) {
    ShrinkBacksResult out;
    const QStringList pairs = ShrinkBackPairs(backs);
    out.bets = qint64(result.count) * pairs.size();
    out.countLine = result.countLine + QStringLiteral("，%1%2个号码%3种组合，共%4注（%5元）")
                                           .arg(game.back())
                                           .arg(backs.size())
                                           .arg(pairs.size())
                                           .arg(out.bets)
                                           .arg(out.bets * game.price);
    QStringList lines{out.countLine};
    if (!listAll && result.count > ShrinkListLimit) {
        lines << ShrinkTooManyText();
    } else {
        lines << QString();
        CandidateFlags all;
        all.fill(1);
        for (int index : result.tickets) {
            const QString front = CodeToText(KeptTicketAt(index, all, game), game);
            for (const QString& pair : pairs)
                lines << front + pair;
        }
    }
    out.text = lines.join(QLatin1Char('\n'));
    return out;
}
