#include "engine/prize/ResultCheckAnswer.h"

#include "engine/core/KelvoraError.h"
#include "engine/io/GbText.h"
#include "engine/prize/PrizeCheck.h"

#include <QRegularExpression>

int SearchedNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 2) return -1;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
    return t.toInt();
}

QString ResultCheckAcceptedText(const Game& game) {
    return QStringLiteral("可以输入：一个号码（如“05”）在结果中查找；或一期开奖号码——%1"
                          "（如“%2”）或期号（如“2026096”）——对结果兑奖。")
        .arg(game.drawShape(), game.exampleDrawText());
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
        // Every front but not every back (or the special number): that is what is missing.
        if (count >= game.frontPicks && count < game.frontPicks + game.sidePicks())
            why = QStringLiteral("“%1”只有%2个号码，缺少%3。").arg(trimmed).arg(count).arg(game.side());
        else
            why = QStringLiteral("“%1”有%2个号码，开奖号码是%3。").arg(trimmed).arg(count).arg(game.drawShape());
    }
    return {ResultCheckAction::Refuse, why + QLatin1Char('\n') + ResultCheckAcceptedText(game)};
}
