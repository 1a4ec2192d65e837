#include "engine/history/Parser.h"

#include "engine/history/Convert.h"
#include "engine/io/GbText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

namespace {

inline bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view trimmed(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// The most tokens a line of any game is read for: the issue, fronts, backs and a special number.
constexpr int kLineTokens = 1 + GameLimits::kMaxFrontPicks + GameLimits::kMaxBackPicks + 1;

// The first tokens of a trimmed line (tokens past the game's own count are ignored).
struct Tokens {
    std::array<std::string_view, kLineTokens> t;
    int count = 0;
};

Tokens splitSpaces(std::string_view line) {
    Tokens out;
    size_t i = 0;
    while (i < line.size() && out.count < kLineTokens) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        if (i >= line.size()) break;
        size_t j = i;
        while (j < line.size() && line[j] != ' ')
            ++j;
        out.t[out.count++] = line.substr(i, j - i);
        i = j;
    }
    return out;
}

QString tokenText(std::string_view token) {
    return FromGb(QByteArray(token.data(), qsizetype(token.size())));
}

enum class Fault { None, Shape, Number };

// Checks one line in the order the old two passes did (lengths, then ranges, then conversion), so a
// line counts as malformed exactly when the validation pass would have refused it. On success the
// entry is filled; otherwise reason says why, in the user's words.
Fault checkLine(const Tokens& tk, TDrawRec& d, QString& reason, const Game& game) {
    // The issue, then fronts, backs and the special number.
    const int fronts = game.frontPicks;
    const int backsEnd = fronts + game.backPicks;
    const int numbers = backsEnd + game.specialPicks;
    if (tk.count < numbers + 1) {
        reason = QStringLiteral("只有%1个号码").arg(std::max(tk.count - 1, 0));
        return Fault::Shape;
    }
    if (tk.t[0].size() != 7) {
        reason = QStringLiteral("期号'%1'不是7位").arg(tokenText(tk.t[0]));
        return Fault::Shape;
    }
    for (int k = 1; k <= numbers; ++k) {
        if (tk.t[k].size() != 2) {
            reason = QStringLiteral("号码'%1'不是两位").arg(tokenText(tk.t[k]));
            return Fault::Shape;
        }
    }
    int values[kLineTokens] = {};
    bool converts[kLineTokens] = {};
    for (int k = 1; k <= numbers; ++k)
        converts[k] = TryStrToInt(tk.t[k], values[k]);
    // What kind of number token k is: its word and its pool.
    auto wordOf = [&](int k) { return k <= fronts ? game.front() : k <= backsEnd ? game.back() : game.special(); };
    for (int k = 1; k <= numbers; ++k) {
        const int hi = k > fronts && k <= backsEnd ? game.backPool : game.frontPool;
        if (converts[k] && (values[k] < 1 || values[k] > hi)) {
            reason = QStringLiteral("%1%2超出范围").arg(wordOf(k), tokenText(tk.t[k]));
            return Fault::Shape;
        }
    }
    if (!TryStrToInt(tk.t[0].substr(0, 4), d.Year) || !TryStrToInt(tk.t[0].substr(4, 3), d.Issue)) {
        reason = QStringLiteral("'%1' 不是数字").arg(tokenText(tk.t[0]));
        return Fault::Number;
    }
    for (int k = 1; k <= numbers; ++k) {
        if (!converts[k]) {
            reason = QStringLiteral("'%1' 不是数字").arg(tokenText(tk.t[k]));
            return Fault::Number;
        }
    }
    // Backs are a pool of their own; the special number comes from the fronts' pool.
    uint64_t seen = 0, frontsSeen = 0;
    for (int k = 1; k <= numbers; ++k) {
        if (k == fronts + 1) frontsSeen = std::exchange(seen, 0);
        if (k == backsEnd + 1) seen = frontsSeen;
        const uint64_t bit = uint64_t(1) << values[k];
        if (seen & bit) {
            reason = k > backsEnd ? QStringLiteral("%1%2与%3重复")
                                        .arg(wordOf(k))
                                        .arg(values[k], 2, 10, QLatin1Char('0'))
                                        .arg(game.front())
                                  : QStringLiteral("%1%2重复").arg(wordOf(k)).arg(values[k], 2, 10, QLatin1Char('0'));
            return Fault::Shape;
        }
        seen |= bit;
    }
    // Measures read the fronts ascending (span, AC, runs); the line may list them in drawing order.
    int* const frontsBegin = values + 1;
    int* const backsBegin = values + 1 + fronts;
    d.RedsTypedUnsorted = uint8_t((std::is_sorted(frontsBegin, backsBegin) ? 0 : 1) |
                                  (std::is_sorted(backsBegin, values + 1 + backsEnd) ? 0 : 2));
    // An insertion into Red keeps it ascending (at most seven numbers).
    for (int k = 0; k < fronts; ++k) {
        int at = k;
        while (at > 0 && d.Ticket.Red[at - 1] > frontsBegin[k]) {
            d.Ticket.Red[at] = d.Ticket.Red[at - 1];
            --at;
        }
        d.Ticket.Red[at] = uint8_t(frontsBegin[k]);
    }
    d.Ticket.Valid = 1;
    for (int k = fronts + 1; k <= backsEnd; ++k)
        d.Ticket.Blue[values[k] - 1] = 1;
    if (game.specialPicks) d.Ticket.Special = uint8_t(values[numbers]);
    return Fault::None;
}

std::vector<std::string_view> nonBlankLines(const QByteArray& bytes) {
    std::vector<std::string_view> lines;
    lines.reserve(size_t(bytes.size() / 24 + 1));
    const char* data = bytes.constData();
    const size_t n = size_t(bytes.size());
    size_t start = 0;
    for (size_t i = 0; i <= n; ++i) {
        if (i == n || data[i] == '\n' || data[i] == '\r') {
            std::string_view line = trimmed(std::string_view(data + start, i - start));
            if (!line.empty()) lines.push_back(line);
            if (i < n && data[i] == '\r' && i + 1 < n && data[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    return lines;
}

} // namespace

QStringList SplitString(const QString& sep, const QString& text) {
    QStringList pieces;
    qsizetype b = 0, e = text.size();
    while (b < e && text[b].unicode() <= 32)
        ++b;
    while (e > b && text[e - 1].unicode() <= 32)
        --e;
    if (sep.isEmpty()) {
        if (e > b) pieces.append(text.mid(b, e - b));
        return pieces;
    }
    QStringView rest = QStringView(text).mid(b, e - b);
    while (!rest.isEmpty()) {
        const qsizetype at = rest.indexOf(sep);
        if (at == 0) {
            rest = rest.mid(sep.size());
        } else if (at < 0) {
            pieces.append(rest.toString());
            break;
        } else {
            pieces.append(rest.left(at).toString());
            rest = rest.mid(at + sep.size());
        }
    }
    return pieces;
}

QString BadLinesHeading() {
    return QStringLiteral("文本内容中下列行的数据有错误，请纠正再保存！！");
}

ParseResult ParseHistory(const QByteArray& gbBytes, const Game& game) {
    ParseResult result;
    const QByteArray bytes = WithoutUtf8Bom(gbBytes);
    const std::vector<std::string_view> lines = nonBlankLines(bytes);

    // Every faulty line is named with its reason in one message, so one round of fixing is enough.
    TCodeArr history(lines.size(), TDrawRec{});
    bool malformed = false;
    QString reason;
    for (size_t n = 0; n < lines.size(); ++n) {
        const Fault fault = checkLine(splitSpaces(lines[n]), history[n], reason, game);
        if (fault == Fault::None) continue;
        malformed = malformed || fault == Fault::Shape;
        ++result.badLineCount;
        result.badLines.append(int(n + 1));
        result.lineErrors.append(QStringLiteral("第%1行：").arg(n + 1) + reason);
    }
    if (result.badLineCount > 0) {
        // A half-filled entry would feed zeros into every analysis, so the history is not replaced.
        result.status = malformed ? ParseResult::BadLines : ParseResult::BadNumbers;
        result.message = BadLinesHeading() + QLatin1Char('\n') + result.lineErrors.join(QLatin1Char('\n'));
        return result;
    }
    result.history = std::move(history);
    return result;
}

ParseResult ParseHistoryText(const QString& text, const Game& game) {
    return ParseHistory(ToGb(text.startsWith(QChar(0xFEFF)) ? QStringView(text).mid(1) : QStringView(text)), game);
}

int CountValidCodes(const TCodeList& codes) {
    int count = 0;
    for (const TCodeRec& c : codes)
        count += c.Valid == 1;
    return count;
}
