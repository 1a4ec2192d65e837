#include "engine/prize/ResultCheckAnswer.h"

#include "engine/core/KelvoraError.h"
#include "engine/io/GbText.h"
#include "engine/prize/PrizeCheck.h"

#include <QRegularExpression>

QString ResultCheckAcceptedText() {
    return QStringLiteral("可以输入：三个字符（如“05 ”）在结果中查找；或一期开奖号码——六个红球加一个蓝球"
                          "（如“01 04 16 22 26 31+04”）或期号（如“2026096”）——对结果兑奖。");
}

ResultCheckAnswer ReadResultCheckAnswer(const QString& text, const TCodeArr& history) {
    if (text.isEmpty()) return {};
    // A number and its separator are three bytes, whatever characters make them.
    if (ToGb(text).size() == 3) return {ResultCheckAction::Search, QString()};
    if (NamesDraw(text)) {
        try {
            ParseDraw(text, history);
            return {ResultCheckAction::CheckDraw, QString()};
        } catch (const KelvoraError& e) {
            return {ResultCheckAction::Refuse, e.message() + QLatin1Char('\n') + ResultCheckAcceptedText()};
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
        if (count == 6)
            why = QStringLiteral("“%1”只有6个号码，缺少蓝球。").arg(trimmed);
        else
            why = QStringLiteral("“%1”有%2个号码，开奖号码是六个红球加一个蓝球。").arg(trimmed).arg(count);
    }
    return {ResultCheckAction::Refuse, why + QLatin1Char('\n') + ResultCheckAcceptedText()};
}
