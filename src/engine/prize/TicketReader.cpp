#include "engine/prize/TicketReader.h"

#include "engine/core/KelvoraError.h"
#include "engine/core/Pools.h"
#include "engine/history/ImportText.h"
#include "engine/io/GbText.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <bit>

namespace {

bool isSeparator(char16_t c) {
    return c == u' ' || c == u'\t' || c == u',' || c == u'\r' || c == u'，' || c == u'\u3000';
}

bool isSkipped(QStringView line) {
    qsizetype i = 0;
    while (i < line.size() && isSeparator(line[i].unicode()))
        ++i;
    if (i == line.size()) return true;
    const QStringView rest = line.mid(i);
    return rest.startsWith(u"缩水结果总共") || rest.startsWith(u"超过10万注") ||
           rest.startsWith(u"单注预测(") || rest.startsWith(u"复式预测(");
}

// Numbers of one line: up to 33 before the "+" (bankers and drags of a 胆拖 line) and up to 16 after it,
// more make the line bad anyway.
struct LineNumbers {
    int before[GameLimits::kMaxFrontPool + 1];
    int after[GameLimits::kMaxBackPool + 1];
    int nBefore = 0;
    int nAfter = 0;
    int nBankers = -1; // the numbers before "#", -1 without one
    bool plus = false;
};

bool splitLine(QStringView line, LineNumbers& n) {
    const qsizetype size = line.size();
    qsizetype i = 0;
    bool first = true;
    while (i < size) {
        const char16_t c = line[i].unicode();
        if (isSeparator(c)) {
            ++i;
            continue;
        }
        if (c == u'#' || c == u'＃') {
            if (n.plus || n.nBankers >= 0) return false;
            n.nBankers = n.nBefore;
            first = false;
            ++i;
            continue;
        }
        if (c == u'+') {
            if (n.plus) return false;
            n.plus = true;
            first = false;
            ++i;
            continue;
        }
        if (c < u'0' || c > u'9') return false;
        int value = 0;
        int digits = 0;
        while (i < size && line[i].unicode() >= u'0' && line[i].unicode() <= u'9') {
            if (++digits > 7) return false;
            value = value * 10 + (line[i].unicode() - u'0');
            ++i;
        }
        if (i < size && !isSeparator(line[i].unicode()) && line[i].unicode() != u'+' &&
            line[i].unicode() != u'#' && line[i].unicode() != u'＃')
            return false;
        if (first && digits == 7) { // the issue code of a history line
            first = false;
            continue;
        }
        first = false;
        if (digits > 2) return false;
        if (n.plus) {
            if (n.nAfter == GameLimits::kMaxBackPool + 1) return false;
            n.after[n.nAfter++] = value;
        } else {
            if (n.nBefore == GameLimits::kMaxFrontPool + 1) return false;
            n.before[n.nBefore++] = value;
        }
    }
    return true;
}

bool addNumbers(const int* values, int count, int highest, uint64_t& mask) {
    for (int k = 0; k < count; ++k) {
        const int v = values[k];
        if (v < 1 || v > highest) return false;
        const uint64_t bit = uint64_t(1) << v;
        if (mask & bit) return false;
        mask |= bit;
    }
    return true;
}

QString number(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// The reds of a 胆拖 line; the fault names what is wrong, in the user's words.
bool readBankerReds(const LineNumbers& n, PrizeTicket& t, QString& fault, const Game& game) {
    const int d = n.nBankers;
    uint64_t bankers = 0;
    uint64_t drags = 0;
    for (int k = 0; k < n.nBefore; ++k) {
        const int v = n.before[k];
        const bool banker = k < d;
        if (v < 1 || v > game.frontPool) {
            fault = QStringLiteral("%1%2超出范围（01-%3）")
                        .arg(banker ? QStringLiteral("胆码") : QStringLiteral("拖码"), number(v))
                        .arg(game.frontPool);
            return false;
        }
        const uint64_t bit = uint64_t(1) << v;
        if (!banker && (bankers & bit)) {
            fault = QStringLiteral("胆码%1也在拖码中").arg(number(v));
            return false;
        }
        uint64_t& mask = banker ? bankers : drags;
        if (mask & bit) {
            fault = QStringLiteral("%1%2重复")
                        .arg(banker ? QStringLiteral("胆码") : QStringLiteral("拖码"), number(v));
            return false;
        }
        mask |= bit;
    }
    if (d < 1) {
        fault = QStringLiteral("\"#\"前没有胆码");
        return false;
    }
    if (d > game.frontPicks - 1) {
        fault = QStringLiteral("胆码%1个，最多%2个").arg(d).arg(game.frontPicks - 1);
        return false;
    }
    if (n.nBefore < game.frontPicks + 1) {
        fault = QStringLiteral("胆码和拖码共%1个，至少要%2个").arg(n.nBefore).arg(game.frontPicks + 1);
        return false;
    }
    t.reds = bankers | drags;
    t.bankers = bankers;
    t.redCount = n.nBefore;
    return true;
}

bool readLine(QStringView line, PrizeTicket& t, QString& fault, const Game& game, bool defaultBacks) {
    LineNumbers n;
    if (!splitLine(line, n)) return false;
    int redCount = n.nBefore;
    const int* blues = n.after;
    int blueCount = n.nAfter;
    if (n.plus) {
        if (blueCount < game.backPicks) return false;
    } else if (n.nBefore == game.frontPicks + game.backPicks && n.nBankers < 0) {
        redCount = game.frontPicks;
        blues = n.before + game.frontPicks;
        blueCount = game.backPicks;
    } else if (game.backPicks > 1 && !defaultBacks) {
        return false;
    }
    if (blueCount > game.backPool) return false;
    uint64_t blueMask = 0;
    if (!addNumbers(blues, blueCount, game.backPool, blueMask)) return false;
    if (n.nBankers >= 0) {
        if (!readBankerReds(n, t, fault, game)) return false;
    } else {
        if (redCount < game.frontPicks || redCount > 20) return false;
        uint64_t reds = 0;
        if (!addNumbers(n.before, redCount, game.frontPool, reds)) return false;
        t.reds = reds;
        t.redCount = redCount;
    }
    t.blues = uint32_t(blueMask);
    t.blueCount = blueCount;
    return true;
}

} // namespace

TicketList ReadTickets(QStringView text, uint32_t defaultBlues, const Game& game) {
    TicketList list;
    const int defaultCount = std::popcount(defaultBlues);
    qsizetype start = 0;
    int lineNo = 0;
    const qsizetype size = text.size();
    while (start <= size) {
        // CR LF, LF and a lone CR each end a line.
        qsizetype end = start;
        while (end < size && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        ++lineNo;
        const QStringView line = text.mid(start, end - start);
        start = end + (end + 1 < size && text[end] == u'\r' && text[end + 1] == u'\n' ? 2 : 1);
        if (isSkipped(line)) continue;
        PrizeTicket t;
        QString fault;
        if (!readLine(line, t, fault, game, defaultBlues != 0)) {
            list.badLines.push_back(lineNo);
            list.faults.push_back(fault);
            continue;
        }
        t.line = lineNo;
        if (t.blueCount == 0) {
            t.blues = defaultBlues;
            t.blueCount = defaultCount;
        }
        list.tickets.push_back(t);
    }
    return list;
}

QString BadLinesMessage(const std::vector<int>& badLines) {
    QString message;
    for (int line : badLines) {
        if (!message.isEmpty()) message += QLatin1Char('\n');
        message += QStringLiteral("第%1行不是有效的投注号码").arg(line);
    }
    return message;
}

QString BadLinesMessage(const TicketList& list) {
    QString message;
    for (size_t k = 0; k < list.badLines.size(); ++k) {
        if (!message.isEmpty()) message += QLatin1Char('\n');
        message += QStringLiteral("第%1行不是有效的投注号码").arg(list.badLines[k]);
        if (k < list.faults.size() && !list.faults[k].isEmpty())
            message += QStringLiteral("：") + list.faults[k];
    }
    return message;
}

uint32_t ReadBlueList(const QString& text) {
    uint64_t mask = 0;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return 0;
    for (const QString& part : trimmed.split(QRegularExpression(QStringLiteral("[,，\\s]+")))) {
        bool ok = false;
        const int v = part.toInt(&ok);
        if (!ok || v < 1 || v > Pools::kBluePool || part.size() > 2 || (mask & (uint64_t(1) << v)))
            throw KelvoraError(
                QStringLiteral("蓝球列表\"%1\"无效：应为01-16之间互不相同的号码，用逗号分隔").arg(text));
        mask |= uint64_t(1) << v;
    }
    return uint32_t(mask);
}

QString DecodeTicketFile(const QByteArray& bytes) {
    return DecodeImportText(bytes);
}
