#include "engine/history/DrawEntry.h"

#include "engine/core/KelvoraError.h"

#include <algorithm>

int NextIssueCode(const TCodeArr& history, const QDate& today) {
    if (history.empty()) return 0;
    const TDrawRec& newest = history.back();
    // Three draws a week: from this running number on, a year has at most a month of draws left,
    // so a later calendar year means the newest draw was its year's last. An earlier number in a
    // past year is stale data whose year still had draws to come.
    constexpr int lastMonthOfDraws = 140;
    const bool yearOver = newest.Issue >= 999 ||
                          (today.isValid() && today.year() > newest.Year && newest.Issue >= lastMonthOfDraws);
    return yearOver ? (newest.Year + 1) * 1000 + 1 : newest.code() + 1;
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

namespace {

// Sorts the numbers of one part and refuses a count, a range or a repeat that the game does not allow.
void checkPart(std::vector<int>& numbers, int picks, int pool, const QString& word, const QString& countWord) {
    if (int(numbers.size()) != picks)
        throw KelvoraError(QStringLiteral("%1必须是%2个号码").arg(word).arg(picks));
    std::sort(numbers.begin(), numbers.end());
    for (size_t k = 0; k < numbers.size(); ++k) {
        if (numbers[k] < 1 || numbers[k] > pool)
            throw KelvoraError(QStringLiteral("%1必须在01到%2之间").arg(word).arg(pool, 2, 10, QLatin1Char('0')));
        if (k > 0 && numbers[k] == numbers[k - 1])
            throw KelvoraError(QStringLiteral("%1%2重复，%3必须各不相同")
                                   .arg(word)
                                   .arg(numbers[k], 2, 10, QLatin1Char('0'))
                                   .arg(countWord));
    }
}

} // namespace

QString DrawEntryLine(int issueCode, std::vector<int> fronts, std::vector<int> backs, const Game& game) {
    if (issueCode < 1000000 || issueCode > 9999999) throw KelvoraError(QStringLiteral("期号必须是7位数字"));
    static const char16_t* const countNames[] = {u"零", u"一", u"两", u"三", u"四", u"五", u"六", u"七"};
    const QString frontCount = QString::fromUtf16(countNames[game.frontPicks]) + QStringLiteral("个") +
                               game.frontCount();
    checkPart(fronts, game.frontPicks, game.frontPool, game.front(), frontCount);
    // The backs, or the special number drawn from the fronts' pool.
    const QString backCount = QString::fromUtf16(countNames[game.sidePicks()]) + QStringLiteral("个") + game.side() +
                              QStringLiteral("号码");
    checkPart(backs, game.sidePicks(), game.sidePool(), game.side(), backCount);
    if (game.specialPicks)
        for (int n : backs)
            if (std::binary_search(fronts.begin(), fronts.end(), n))
                throw KelvoraError(QStringLiteral("%1%2与%3重复")
                                       .arg(game.special())
                                       .arg(n, 2, 10, QLatin1Char('0'))
                                       .arg(game.front()));
    QString line = QString::number(issueCode);
    for (int n : fronts)
        line += QStringLiteral(" %1").arg(n, 2, 10, QLatin1Char('0'));
    for (int n : backs)
        line += QStringLiteral(" %1").arg(n, 2, 10, QLatin1Char('0'));
    return line;
}

QString DrawEntryLine(int issueCode, std::array<int, 6> reds, int blue) {
    return DrawEntryLine(issueCode, std::vector<int>(reds.begin(), reds.end()), {blue}, Game::ssq());
}
