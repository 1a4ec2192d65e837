#include "engine/prize/ResultCheckAnswer.h"

#include "engine/core/KelvoraError.h"
#include "engine/io/GbText.h"
#include "engine/prize/PrizeCheck.h"

#include <QRegularExpression>

namespace {

// The first picks of the pool as fronts and as backs: "01 02 03 04 05+01 02".
QString drawExample(const Game& game) {
    QStringList fronts, backs;
    for (int n = 1; n <= game.frontPicks; ++n)
        fronts << QStringLiteral("%1").arg(n * 7 - 4, 2, 10, QLatin1Char('0'));
    for (int n = 1; n <= game.backPicks; ++n)
        backs << QStringLiteral("%1").arg(n * 5 - 1, 2, 10, QLatin1Char('0'));
    return fronts.join(QLatin1Char(' ')) + QLatin1Char('+') + backs.join(QLatin1Char(' '));
}

} // namespace

int SearchedNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 2) return -1;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
    return t.toInt();
}

QString ResultCheckAcceptedText(const Game& game) {
    if (game.isSsq())
        return QStringLiteral("可以输入：一个号码（如“05”）在结果中查找；或一期开奖号码——六个红球加一个蓝球"
                              "（如“01 04 16 22 26 31+04”）或期号（如“2026096”）——对结果兑奖。");
    return QStringLiteral("可以输入：一个号码（如“05”）在结果中查找；或一期开奖号码——%1个%2加%3个%4"
                          "（如“%5”）或期号（如“2026096”）——对结果兑奖。")
        .arg(game.frontPicks)
        .arg(game.front())
        .arg(game.backPicks)
        .arg(game.back(), drawExample(game));
}

ResultCheckAnswer ReadResultCheckAnswer(const QString& text, const TCodeArr& history, const Game& game) {
    if (text.isEmpty()) return {};
    // A number and its separator are three bytes, whatever characters make them.
    if (SearchedNumber(text) >= 0 || ToGb(text).size() == 3) return {ResultCheckAction::Search, QString()};
    if (NamesDraw(text, game)) {
        try {
            ParseDraw(text, history, game);
            return {ResultCheckAction::CheckDraw, QString()};
        } catch (const KelvoraError& e) {
            return {ResultCheckAction::Refuse,
                    e.message() + QLatin1Char('\n') + ResultCheckAcceptedText(game)};
        }
    }
    static const QRegularExpression numbersOnly(QStringLiteral("^[\\d\\s,，+]+$"));
    static const QRegularExpression number(QStringLiteral("\\d+"));
    const QString trimmed = text.trimmed();
    QString why = QStringLiteral("无法使用“%1”。").arg(trimmed);
    if (numbersOnly.match(trimmed).hasMatch()) {
        int count = 0;
        for (auto it = number.globalMatch(trimmed); it.hasNext(); it.next())
            ++count;
        if (game.isSsq() && count == 6)
            why = QStringLiteral("“%1”只有6个号码，缺少蓝球。").arg(trimmed);
        else if (game.isSsq())
            why = QStringLiteral("“%1”有%2个号码，开奖号码是六个红球加一个蓝球。").arg(trimmed).arg(count);
        else if (count == game.frontPicks || count == game.frontPicks + 1)
            why = QStringLiteral("“%1”只有%2个号码，缺少%3。").arg(trimmed).arg(count).arg(game.back());
        else
            why = QStringLiteral("“%1”有%2个号码，开奖号码是%3个%4加%5个%6。")
                      .arg(trimmed)
                      .arg(count)
                      .arg(game.frontPicks)
                      .arg(game.front())
                      .arg(game.backPicks)
                      .arg(game.back());
    }
    return {ResultCheckAction::Refuse, why + QLatin1Char('\n') + ResultCheckAcceptedText(game)};
}
