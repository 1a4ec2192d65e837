#include "history/ImportText.h"

#include "history/GbText.h"
#include "history/Parser.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>

namespace {

bool allDigits(QStringView token) {
    return !token.isEmpty() && std::all_of(token.begin(), token.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

// The history line of one import line, or an empty text when it fits no layout.
QString convertLine(const QStringList& tokens) {
    if (tokens.size() != 8 || tokens[0].size() != 7) return {};
    QString line = tokens[0];
    for (int k = 1; k < 8; ++k) {
        const int hi = k == 7 ? 16 : 33;
        const int value = tokens[k].toInt();
        if (tokens[k].size() > 2 || value < 1 || value > hi) return {};
        line += QStringLiteral(" %1").arg(value, 2, 10, QLatin1Char('0'));
    }
    return line;
}

} // namespace

QString ImportResult::summary() const {
    return QStringLiteral("导入完成：转换%1行，跳过%2行").arg(converted).arg(skipped);
}

QString DecodeImportText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    return FromGb(bytes);
}

ImportResult ConvertImportText(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[\\s,+|]+"));
    static const QRegularExpression lineEnds(QStringLiteral("\\r\\n|\\r|\\n"));
    ImportResult r;
    QList<std::pair<int, QString>> draws;
    QStringList faults;
    int number = 0;
    for (const QString& raw : text.split(lineEnds)) {
        const QString trimmed = raw.trimmed();
        if (trimmed.isEmpty()) continue;
        ++number;
        const QStringList tokens = trimmed.split(separators, Qt::SkipEmptyParts);
        if (std::none_of(tokens.begin(), tokens.end(), [](const QString& t) { return allDigits(t); })) {
            ++r.skipped;
            continue;
        }
        const bool numeric =
            std::all_of(tokens.begin(), tokens.end(), [](const QString& t) { return allDigits(t); });
        const QString line = numeric ? convertLine(tokens) : QString();
        if (line.isEmpty())
            faults.append(QStringLiteral("第%1行：不是期号、6个红球和1个蓝球").arg(number));
        else
            draws.append({tokens[0].toInt(), line});
    }
    if (!faults.isEmpty()) {
        r.message = BadLinesHeading() + QLatin1Char('\n') + faults.join(QLatin1Char('\n'));
        return r;
    }
    // Web lists are newest first; a stable sort keeps the order of lines with the same issue code.
    std::stable_sort(draws.begin(), draws.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QSet<QString> seen;
    for (const auto& d : std::as_const(draws)) {
        if (seen.contains(d.second)) {
            ++r.skipped;
            continue;
        }
        seen.insert(d.second);
        r.lines.append(d.second);
    }
    r.converted = int(r.lines.size());
    r.ok = true;
    return r;
}
