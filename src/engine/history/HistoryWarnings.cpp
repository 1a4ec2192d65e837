#include "engine/history/HistoryWarnings.h"

#include <QHash>

QStringList HistoryWarnings(const TCodeArr& history, const Game& game) {
    QStringList warnings;
    QHash<int, int> firstLine;
    firstLine.reserve(qsizetype(history.size()));
    for (size_t i = 0; i < history.size(); ++i) {
        const int line = int(i + 1);
        const TDrawRec& d = history[i];
        const auto seen = firstLine.constFind(d.code());
        if (seen != firstLine.cend())
            warnings.append(QStringLiteral("警告：第%1行期号与第%2行重复").arg(line).arg(*seen));
        else
            firstLine.insert(d.code(), line);
        if (i > 0 && d.code() < history[i - 1].code())
            warnings.append(QStringLiteral("警告：第%1行期号小于上一行").arg(line));
        if (d.RedsTypedUnsorted & 1)
            warnings.append(QStringLiteral("警告：第%1行%2不是从小到大排列").arg(line).arg(game.front()));
        if (d.RedsTypedUnsorted & 2)
            warnings.append(QStringLiteral("警告：第%1行%2不是从小到大排列").arg(line).arg(game.back()));
    }
    return warnings;
}

QString HistoryWarningsMessage(const QStringList& warnings) {
    if (warnings.isEmpty()) return {};
    return QStringLiteral("开奖数据可以使用，但下列各行有问题，统计结果会因此出错：\n") +
           warnings.join(QLatin1Char('\n'));
}
