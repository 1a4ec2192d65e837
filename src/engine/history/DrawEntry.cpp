#include "history/DrawEntry.h"

#include "KelvoraError.h"

#include <algorithm>

int NextIssueCode(const TCodeArr& history) {
    return history.empty() ? 0 : history.back().code() + 1;
}

QString DrawEntryLine(int issueCode, std::array<int, 6> reds, int blue) {
    if (issueCode < 1000000 || issueCode > 9999999) throw KelvoraError(QStringLiteral("期号必须是7位数字"));
    std::sort(reds.begin(), reds.end());
    for (int k = 0; k < 6; ++k) {
        if (reds[k] < 1 || reds[k] > 33) throw KelvoraError(QStringLiteral("红球必须在01到33之间"));
        if (k > 0 && reds[k] == reds[k - 1])
            throw KelvoraError(
                QStringLiteral("红球%1重复，六个红球必须各不相同").arg(reds[k], 2, 10, QLatin1Char('0')));
    }
    if (blue < 1 || blue > 16) throw KelvoraError(QStringLiteral("蓝球必须在01到16之间"));
    QString line = QString::number(issueCode);
    for (int r : reds)
        line += QStringLiteral(" %1").arg(r, 2, 10, QLatin1Char('0'));
    return line + QStringLiteral(" %1").arg(blue, 2, 10, QLatin1Char('0'));
}
