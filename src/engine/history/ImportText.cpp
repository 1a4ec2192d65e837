#include "engine/history/ImportText.h"

#include "engine/history/HistoryMerge.h"
#include "engine/history/Parser.h"
#include "engine/io/GbText.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <vector>

namespace {

bool allDigits(QStringView token) {
    return !token.isEmpty() && std::all_of(token.begin(), token.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

// Spreadsheets typed with a Chinese input method give full-width digits and punctuation.
QString plainForms(QStringView line) {
    QString out(line.size(), Qt::Uninitialized);
    QChar* o = out.data();
    for (QChar c : line) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            *o++ = QChar(char16_t(u - 0xFF01 + 0x21));
        else if (u == 0x3000 || u == 0x3001)
            *o++ = QLatin1Char(' ');
        else
            *o++ = c;
    }
    return out;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

struct ImportedDraw {
    int issue = 0;
    std::vector<int> numbers; // fronts, then backs, each part ascending
    std::vector<int64_t> amounts; // the first two amounts after the numbers, fen (-1: not exact)
    QDate date;

    QString line() const {
        QString text = QString::number(issue);
        for (int n : numbers)
            text += QLatin1Char(' ') + twoDigits(n);
        return text;
    }
};

// "6个红球和1个蓝球", "5个前区号码和2个后区号码", "7个基本号码和1个特别号".
QString shapeText(const Game& game) {
    return QStringLiteral("%1个%2和%3个%4")
        .arg(game.frontPicks)
        .arg(game.frontCount())
        .arg(game.sidePicks())
        .arg(game.backPicks ? game.backCount() : game.special());
}

// A number token's value, or -1 when it does not fit an int (out of every range anyway).
int numberValue(const QString& token) {
    bool ok = false;
    const int value = token.toInt(&ok);
    return ok ? value : -1;
}

QString numberText(const QString& token) {
    const int value = numberValue(token);
    return value >= 0 ? twoDigits(value) : token;
}

// A sales, pool or prize amount as the official tables give it after the numbers: "389234566",
// "1034567.00", "3.89亿". Never a one- or two-digit number, which would be a number too many.
bool isAmount(const QString& token) {
    static const QRegularExpression amount(QStringLiteral("^(\\d+)(\\.\\d+)?(元|万元|亿元|万|亿)?$"));
    const QRegularExpressionMatch m = amount.match(token);
    return m.hasMatch() && (m.capturedLength(1) >= 3 || m.hasCaptured(2) || m.hasCaptured(3));
}

// The columns of one line: amounts lose their thousands separators, dates (with or without the
// weekday, in any column), times and the issue's "第...期" are taken off. The issue comes first.
QStringList lineTokens(QString line, QDate* dateOut = nullptr) {
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    static const QRegularExpression thousands(QStringLiteral("^\\d{1,3}(,\\d{3})+(\\.\\d+)?$"));
    static const QRegularExpression weekday(
        QStringLiteral("\\((?:星期|周)?[一二三四五六日天]\\)|(?:星期|礼拜|周)[一二三四五六日天]"));
    static const QRegularExpression separators(QStringLiteral("[\\s,+|]+"));
    static const QRegularExpression date(
        QStringLiteral("^\\d{4}(?:[-/.]\\d{1,2}[-/.]\\d{1,2}|年\\d{1,2}月\\d{1,2}日?)$"));
    static const QRegularExpression time(QStringLiteral("^\\d{1,2}:\\d{2}(?::\\d{2})?$"));
    const auto plainAmount = [](QString field) {
        field = field.trimmed();
        if (thousands.match(field).hasMatch()) field.remove(QLatin1Char(','));
        return field;
    };
    // A spreadsheet quotes "389,234,566"; a table copied from a web page separates it by tabs.
    QString out;
    qsizetype at = 0;
    for (auto it = quoted.globalMatch(line); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(line).mid(at, m.capturedStart() - at);
        out += QLatin1Char(' ') + plainAmount(m.captured(1)) + QLatin1Char(' ');
        at = m.capturedEnd();
    }
    out += QStringView(line).mid(at);
    line = out;
    if (line.contains(QLatin1Char('\t'))) {
        QStringList fields = line.split(QLatin1Char('\t'));
        for (QString& field : fields)
            field = plainAmount(field);
        line = fields.join(QLatin1Char('\t'));
    }
    line.replace(weekday, QStringLiteral(" "));
    QStringList tokens = line.split(separators, Qt::SkipEmptyParts);
    for (const QString& t : std::as_const(tokens))
        if (dateOut && !dateOut->isValid() && date.match(t).hasMatch()) {
            QString iso = t;
            iso.replace(QLatin1Char('/'), QLatin1Char('-')).replace(QLatin1Char('.'), QLatin1Char('-'));
            iso.replace(QStringLiteral("年"), QStringLiteral("-")).replace(QStringLiteral("月"), QStringLiteral("-"));
            iso.remove(QStringLiteral("日"));
            *dateOut = QDate::fromString(iso, QStringLiteral("yyyy-M-d"));
        }
    tokens.removeIf([](const QString& t) { return date.match(t).hasMatch() || time.match(t).hasMatch(); });
    if (!tokens.isEmpty()) {
        QString& issue = tokens.first();
        if (issue.startsWith(QStringLiteral("第"))) issue.remove(0, 1);
        if (issue.endsWith(QStringLiteral("期"))) issue.chop(1);
    }
    return tokens;
}

// The issue code of a token: seven digits, or the official five ("26094" is 2026094).
QString readIssue(const QString& token, int& issue) {
    if (!allDigits(token) || (token.size() != 7 && token.size() != 5))
        return QStringLiteral("期号'%1'不是7位数字").arg(token);
    const QString full = token.size() == 5 ? QStringLiteral("20") + token : token;
    issue = full.toInt();
    if (issue < 1000000) return QStringLiteral("期号'%1'的年份无效").arg(token);
    if (issue % 1000 == 0) return QStringLiteral("期号'%1'的后三位不能是000").arg(token);
    return {};
}

// An exact amount in 元 ("389234566", "2201234567.00") as fen; -1 for one in 万 or 亿, or none.
int64_t exactFen(const QString& token) {
    static const QRegularExpression exact(QStringLiteral("^(\\d{1,13})(?:\\.(\\d{1,2}))?元?$"));
    const QRegularExpressionMatch m = exact.match(token);
    if (!m.hasMatch()) return -1;
    const QString cents = m.captured(2);
    return m.captured(1).toLongLong() * 100 + (cents.isEmpty() ? 0 : cents.toInt() * (cents.size() == 1 ? 10 : 1));
}

// The draw of one line's tokens, or the reason it is none.
QString readDraw(const QStringList& tokens, ImportedDraw& d, const Game& game) {
    if (const QString why = readIssue(tokens[0], d.issue); !why.isEmpty()) return why;
    const int wanted = game.frontPicks + game.sidePicks();
    // Sales and pool columns after the numbers are no part of the draw.
    const qsizetype end =
        tokens.size() > wanted + 1 && isAmount(tokens[wanted + 1]) ? wanted + 1 : tokens.size();
    for (qsizetype k = 1; k < end; ++k)
        if (!allDigits(tokens[k])) return QStringLiteral("'%1' 不是数字").arg(tokens[k]);
    for (qsizetype k = end; k < tokens.size() && end < tokens.size() && d.amounts.size() < 2; ++k)
        d.amounts.push_back(exactFen(tokens[k]));
    const qsizetype count = end - 1;
    if (count < wanted) return QStringLiteral("只有%1个号码，应为").arg(count) + shapeText(game);
    if (count > wanted) return QStringLiteral("有%1个号码，应为").arg(count) + shapeText(game);
    uint64_t seen = 0;
    for (int k = 0; k < wanted; ++k) {
        const bool back = k >= game.frontPicks;
        // Backs are a pool of their own; a special number must differ from the fronts.
        if (k == game.frontPicks && game.backPicks) seen = 0;
        const QString word = back ? game.side() : game.front();
        const int v = numberValue(tokens[k + 1]);
        if (v < 1 || v > (back ? game.sidePool() : game.frontPool))
            return QStringLiteral("%1%2超出范围").arg(word, numberText(tokens[k + 1]));
        if (seen & (uint64_t(1) << v)) return QStringLiteral("%1%2重复").arg(word, twoDigits(v));
        seen |= uint64_t(1) << v;
        d.numbers.push_back(v);
    }
    // Lists in drawing order (出球顺序) are common; the history holds each part ascending.
    std::sort(d.numbers.begin(), d.numbers.begin() + game.frontPicks);
    std::sort(d.numbers.begin() + game.frontPicks, d.numbers.end());
    return {};
}

} // namespace

QString ImportResult::summary() const {
    QStringList text{QStringLiteral("导入完成：转换%1行，跳过%2行").arg(converted).arg(skipped)};
    return (text + gaps).join(QLatin1Char('\n'));
}

QString ImportBadLinesHeading() {
    return QStringLiteral("导入的文件中下列行的数据有错误，请纠正文件后再导入！！");
}

QString NoDrawFoundText(const Game& game) {
    return QStringLiteral("文件中没有找到开奖号码（每行应为7位期号、%1）").arg(shapeText(game));
}

QString DecodeImportText(const QByteArray& bytes) {
    const auto encoding = QStringConverter::encodingForData(bytes);
    if (encoding && *encoding != QStringConverter::Utf8) {
        QStringDecoder decoder(*encoding);
        const QString text = decoder.decode(bytes);
        return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    return FromGb(bytes);
}

ImportResult ConvertImportText(const QString& text, const Game& game) {
    static const QRegularExpression lineEnds(QStringLiteral("\\r\\n|\\r|\\n"));
    ImportResult r;
    // A spreadsheet (.xlsx) or a UTF-16 file without its mark: no line of it is a draw.
    if (text.contains(QChar(0))) {
        r.message = NoDrawFoundText(game) + QStringLiteral("：这不是文本文件，表格请先另存为CSV或文本文件");
        return r;
    }
    QList<std::pair<int, QString>> draws;
    QHash<int, std::pair<QString, int>> byIssue; // issue -> line and its number, for contradictions
    QStringList faults;
    int number = 0;
    // Which of the two amounts after the numbers is the sales, as the header says: 0 or 1; -1: the
    // header names no sales and pool columns, so the amounts are not taken.
    int salesColumn = -1;
    for (const QString& raw : text.split(lineEnds)) {
        const QString trimmed = plainForms(raw).trimmed();
        if (trimmed.isEmpty()) continue;
        ++number;
        ImportedDraw d;
        const QStringList tokens = lineTokens(trimmed, &d.date);
        if (std::none_of(tokens.begin(), tokens.end(), [](const QString& t) { return allDigits(t); })) {
            // Headers come first; text between draws is a slip that should be seen.
            if (draws.isEmpty() && faults.isEmpty()) {
                const qsizetype salesAt = trimmed.indexOf(QStringLiteral("销"));
                const qsizetype poolAt = trimmed.indexOf(QStringLiteral("奖池"));
                if (salesAt >= 0 && poolAt >= 0) salesColumn = salesAt < poolAt ? 0 : 1;
                ++r.skipped;
                continue;
            }
            faults.append(QStringLiteral("第%1行：'%2'不是开奖号码").arg(number).arg(trimmed));
            continue;
        }
        const QString why = readDraw(tokens, d, game);
        if (!why.isEmpty()) {
            faults.append(QStringLiteral("第%1行：").arg(number) + why);
            continue;
        }
        const QString line = d.line();
        const auto held = byIssue.constFind(d.issue);
        if (held != byIssue.cend() && held->first != line) {
            faults.append(QStringLiteral("第%1行：期号%2与第%3行相同，号码却不同")
                              .arg(number)
                              .arg(d.issue)
                              .arg(held->second));
            continue;
        }
        if (held == byIssue.cend()) byIssue.insert(d.issue, {line, number});
        draws.append({d.issue, line});
        if (salesColumn >= 0 && d.amounts.size() == 2) {
            const int64_t sales = d.amounts[size_t(salesColumn)], pool = d.amounts[size_t(1 - salesColumn)];
            if (sales >= 0 || pool >= 0) r.sales.push_back({d.issue, d.date, sales, pool});
        }
    }
    if (!faults.isEmpty()) {
        r.message = ImportBadLinesHeading() + QLatin1Char('\n') + faults.join(QLatin1Char('\n'));
        return r;
    }
    if (draws.isEmpty()) {
        r.message = NoDrawFoundText(game);
        return r;
    }
    // Web lists are newest first; a stable sort keeps the order of lines with the same issue code.
    std::stable_sort(draws.begin(), draws.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QSet<QString> seen;
    QList<int> issues;
    for (const auto& d : std::as_const(draws)) {
        if (seen.contains(d.second)) {
            ++r.skipped;
            continue;
        }
        seen.insert(d.second);
        r.lines.append(d.second);
        issues.append(d.first);
    }
    r.gaps = MissingIssueTexts(issues);
    r.converted = int(r.lines.size());
    r.ok = true;
    return r;
}
