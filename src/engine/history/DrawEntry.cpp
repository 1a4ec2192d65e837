#include "engine/history/DrawEntry.h"

#include "engine/core/KelvoraError.h"
#include "engine/core/Pools.h"

#include <algorithm>

int NextIssueCode(const TCodeArr& history) {
    if (history.empty()) return 0;
    const TDrawRec& newest = history.back();
    return newest.Issue >= 999 ? (newest.Year + 1) * 1000 + 1 : newest.code() + 1;
}

NewIssueCheck CheckNewIssueCode(const TCodeArr& history, int issueCode) {
    NewIssueCheck check;
    auto refuse = [&](const QString& why) {
        check.verdict = NewIssueCheck::Refused;
        check.message = why;
        return check;
    };
    if (issueCode < 1000000 || issueCode > 9999999) return refuse(QStringLiteral("期号必须是7位数字"));
    if (issueCode % 1000 == 0) return refuse(QStringLiteral("期号%1的后三位不能是000").arg(issueCode));
    if (history.empty()) return check;
    const auto held = std::find_if(history.begin(), history.end(),
                                   [&](const TDrawRec& d) { return d.code() == issueCode; });
    if (held != history.end())
        return refuse(QStringLiteral("第%1期已有开奖数据（第%2行），不能再添加")
                          .arg(issueCode)
                          .arg(held - history.begin() + 1));
    const int newest = history.back().code();
    if (issueCode < newest)
        return refuse(
            QStringLiteral("期号%1早于最新一期%2，只能添加最新一期之后的开奖").arg(issueCode).arg(newest));
    const int sameYear = newest + 1;
    const int nextYear = (newest / 1000 + 1) * 1000 + 1;
    if (issueCode == sameYear || issueCode == nextYear) return check;
    check.verdict = NewIssueCheck::Gap;
    if (issueCode / 1000 == newest / 1000)
        check.message = QStringLiteral("最新一期是%1，添加%2会缺少%3期（%4到%5）。确定要添加吗？")
                            .arg(newest)
                            .arg(issueCode)
                            .arg(issueCode - newest - 1)
                            .arg(sameYear)
                            .arg(issueCode - 1);
    else
        check.message = QStringLiteral("最新一期是%1，下一期应为%2或%3，%4之前缺少开奖。确定要添加吗？")
                            .arg(newest)
                            .arg(sameYear)
                            .arg(nextYear)
                            .arg(issueCode);
    return check;
}

QString DrawEntryLine(int issueCode, std::array<int, 6> reds, int blue) {
    if (issueCode < 1000000 || issueCode > 9999999) throw KelvoraError(QStringLiteral("期号必须是7位数字"));
    std::sort(reds.begin(), reds.end());
    for (int k = 0; k < 6; ++k) {
        if (reds[k] < 1 || reds[k] > Pools::kRedPool)
            throw KelvoraError(QStringLiteral("红球必须在01到33之间"));
        if (k > 0 && reds[k] == reds[k - 1])
            throw KelvoraError(
                QStringLiteral("红球%1重复，六个红球必须各不相同").arg(reds[k], 2, 10, QLatin1Char('0')));
    }
    if (blue < 1 || blue > Pools::kBluePool) throw KelvoraError(QStringLiteral("蓝球必须在01到16之间"));
    QString line = QString::number(issueCode);
    for (int r : reds)
        line += QStringLiteral(" %1").arg(r, 2, 10, QLatin1Char('0'));
    return line + QStringLiteral(" %1").arg(blue, 2, 10, QLatin1Char('0'));
}
