#include "history/Parser.h"

#include "history/Convert.h"
#include "history/GbText.h"

#include <array>
#include <string_view>

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

// Up to the first nine tokens of a trimmed line (tokens past the eighth are ignored).
struct Tokens {
    std::array<std::string_view, 8> t;
    int count = 0;
};

Tokens splitSpaces(std::string_view line) {
    Tokens out;
    size_t i = 0;
    while (i < line.size() && out.count < 8) {
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

bool shapeOk(const Tokens& tk) {
    if (tk.count < 8 || tk.t[0].size() != 7) return false;
    for (int k = 1; k < 8; ++k)
        if (tk.t[k].size() != 2) return false;
    return true;
}

// A number that converts but lies outside its range makes the line bad; one that does not convert
// is left to the fill pass, which reports it line by line.
bool rangesOk(const Tokens& tk) {
    for (int k = 1; k < 8; ++k) {
        int v;
        if (!TryStrToInt(tk.t[k], v)) continue;
        const int hi = k == 7 ? 16 : 33;
        if (v < 1 || v > hi) return false;
    }
    return true;
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

ParseResult ParseHistory(const QByteArray& gbBytes) {
    ParseResult result;
    const std::vector<std::string_view> lines = nonBlankLines(gbBytes);

    QString list;
    for (size_t n = 0; n < lines.size(); ++n) {
        const Tokens tk = splitSpaces(lines[n]);
        if (shapeOk(tk) && rangesOk(tk)) continue;
        ++result.badLineCount;
        result.badLines.append(int(n + 1));
        list += QString::number(n + 1) + QLatin1Char(',');
        if (result.badLineCount % 10 == 0) list += QLatin1Char('\n');
    }
    if (result.badLineCount > 0) {
        result.status = ParseResult::BadLines;
        result.message = BadLinesHeading() + QLatin1Char('\n') + list;
        return result;
    }

    TCodeArr history(lines.size(), TDrawRec{});
    for (size_t n = 0; n < lines.size(); ++n) {
        const Tokens tk = splitSpaces(lines[n]);
        TDrawRec& d = history[n];
        // Fields are filled in order and the first failing token ends the line.
        bool ok = TryStrToInt(tk.t[0].substr(0, 4), d.Year) && TryStrToInt(tk.t[0].substr(4, 3), d.Issue);
        for (int k = 0; ok && k < 6; ++k) {
            int v;
            ok = TryStrToInt(tk.t[k + 1], v);
            if (ok) d.Ticket.Red[k] = uint8_t(v);
        }
        if (ok) {
            d.Ticket.Valid = 1;
            int blue;
            ok = TryStrToInt(tk.t[7], blue);
            if (ok) d.Ticket.Blue[blue - 1] = 1;
        }
        if (!ok) result.lineErrors.append(QStringLiteral("第%1行数据有错误！！").arg(n + 1));
    }
    if (!result.lineErrors.isEmpty()) {
        // A half-filled entry would feed zeros into every analysis, so the history is not replaced.
        result.status = ParseResult::BadNumbers;
        return result;
    }
    result.history = std::move(history);
    return result;
}

ParseResult ParseHistoryText(const QString& text) {
    return ParseHistory(ToGb(text));
}

int CountValidCodes(const TCodeList& codes) {
    int count = 0;
    for (const TCodeRec& c : codes)
        count += c.Valid == 1;
    return count;
}
