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

// Numbers of one line: up to a front pool before the "+" (bankers and drags of a 胆拖 line) and up to a
// back pool after it, more make the line bad anyway.
struct LineNumbers {
    int before[GameLimits::kMaxFrontPool + 1];
    int after[GameLimits::kMaxBackPool + 1];
    int nBefore = 0;
    int nAfter = 0;
    int nBankers = -1;     // the numbers before "#", -1 without one
    int nBackBankers = -1; // the numbers after "+" and before a second "#"
    bool plus = false;
};

bool splitLine(QStringView line, LineNumbers& n, bool backBankers) {
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
            if (n.plus) {
                if (!backBankers || n.nBackBankers >= 0) return false;
                n.nBackBankers = n.nAfter;
            } else {
                if (n.nBankers >= 0) return false;
                n.nBankers = n.nBefore;
            }
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

QString number(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// Bankers and drags of one pool of a 胆拖 line; the fault names what is wrong, in the user's words.
// prefix is "" for the fronts and "后区" for the super lotto's backs.
bool readBankerPart(const int* values, int count, int d, int pool, int picks, int maxBankers,
                    const QString& prefix, uint64_t& all, uint64_t& bankersOut, QString& fault) {
    uint64_t bankers = 0;
    uint64_t drags = 0;
    const QString bankerWord = prefix + QStringLiteral("胆码");
    const QString dragWord = prefix + QStringLiteral("拖码");
    for (int k = 0; k < count; ++k) {
        const int v = values[k];
        const bool banker = k < d;
        if (v < 1 || v > pool) {
            fault = QStringLiteral("%1%2超出范围（01-%3）")
                        .arg(banker ? bankerWord : dragWord, number(v))
                        .arg(pool);
            return false;
        }
        const uint64_t bit = uint64_t(1) << v;
        if (!banker && (bankers & bit)) {
            fault = QStringLiteral("%1%2也在拖码中").arg(bankerWord, number(v));
            return false;
        }
        uint64_t& mask = banker ? bankers : drags;
        if (mask & bit) {
            fault = QStringLiteral("%1%2重复").arg(banker ? bankerWord : dragWord, number(v));
            return false;
        }
        mask |= bit;
    }
    if (d < 1) {
        fault = prefix + QStringLiteral("\"#\"前没有胆码");
        return false;
    }
    if (d > maxBankers) {
        fault = QStringLiteral("%1%2个，最多%3个").arg(bankerWord).arg(d).arg(maxBankers);
        return false;
    }
    if (count < picks + 1) {
        fault = QStringLiteral("%1胆码和拖码共%2个，至少要%3个").arg(prefix).arg(count).arg(picks + 1);
        return false;
    }
    all = bankers | drags;
    bankersOut = bankers;
    return true;
}

// How many numbers of a pool a line holds, when that is outside least..most.
QString countFault(const QString& word, int count, int least, int most) {
    return QStringLiteral("%1号码%2个，应为%3-%4个").arg(word).arg(count).arg(least).arg(most);
}

// The numbers of one pool of a plain line; the fault as above.
bool readPlainPart(const int* values, int count, int pool, const QString& word, uint64_t& mask,
                   QString& fault) {
    for (int k = 0; k < count; ++k) {
        const int v = values[k];
        if (v < 1 || v > pool) {
            fault = QStringLiteral("%1号码%2超出范围（01-%3）").arg(word, number(v)).arg(pool);
            return false;
        }
        const uint64_t bit = uint64_t(1) << v;
        if (mask & bit) {
            fault = QStringLiteral("%1号码%2重复").arg(word, number(v));
            return false;
        }
        mask |= bit;
    }
    return true;
}

// The fronts of a line: its bankers and drags, or frontCount plain numbers (a compound of up to
// MaxCompoundFronts); word names them in a fault.
bool readFrontPart(const LineNumbers& n, int frontCount, const Game& game, const QString& word, PrizeTicket& t,
                   QString& fault) {
    if (n.nBankers >= 0) {
        if (!readBankerPart(n.before, n.nBefore, n.nBankers, game.frontPool, game.frontPicks,
                            game.frontPicks - 1, QString(), t.reds, t.bankers, fault))
            return false;
    } else {
        if (!readPlainPart(n.before, frontCount, game.frontPool, word, t.reds, fault)) return false;
        if (frontCount < game.frontPicks || frontCount > MaxCompoundFronts) {
            fault = countFault(word, frontCount, game.frontPicks, MaxCompoundFronts);
            return false;
        }
    }
    t.redCount = std::popcount(t.reds);
    return true;
}

// The two-colour ball's lines, read as they have always been; every bad line gets its fault.
bool readSsqLine(QStringView line, PrizeTicket& t, QString& fault, const Game& game) {
    LineNumbers n;
    if (!splitLine(line, n, false)) {
        fault = QStringLiteral("含有无法识别的内容");
        return false;
    }
    const QString front = game.front();
    const QString back = game.back();
    int redCount = n.nBefore;
    const int* blues = n.after;
    int blueCount = n.nAfter;
    if (n.plus) {
        if (blueCount == 0) {
            fault = QStringLiteral("\"+\"后没有%1号码").arg(back);
            return false;
        }
    } else if (n.nBefore == game.frontPicks + game.backPicks && n.nBankers < 0) {
        redCount = game.frontPicks;
        blues = n.before + game.frontPicks;
        blueCount = game.backPicks;
    }
    uint64_t blueMask = 0;
    if (!readPlainPart(blues, blueCount, game.backPool, back, blueMask, fault)) return false;
    if (!readFrontPart(n, redCount, game, front, t, fault)) return false;
    t.blues = uint32_t(blueMask);
    t.blueCount = blueCount;
    return true;
}

// A line of a game with two back numbers: every bad line gets its fault.
bool readPairLine(QStringView line, PrizeTicket& t, QString& fault, const Game& game, bool defaultBacks) {
    LineNumbers n;
    if (!splitLine(line, n, true)) {
        fault = QStringLiteral("含有无法识别的内容");
        return false;
    }
    const QString front = game.front();
    const QString back = game.back();
    int frontCount = n.nBefore;
    const int* backs = n.after;
    int backCount = n.nAfter;
    if (!n.plus && n.nBefore == game.frontPicks + game.backPicks && n.nBankers < 0) {
        frontCount = game.frontPicks;
        backs = n.before + game.frontPicks;
        backCount = game.backPicks;
    } else if (!n.plus && !defaultBacks) {
        fault = QStringLiteral("缺少%1号码（用\"+\"分开%2和%1）").arg(back, front);
        return false;
    }
    if (!readFrontPart(n, frontCount, game, front, t, fault)) return false;
    uint64_t backMask = 0;
    uint64_t backBankers = 0;
    if (n.nBackBankers >= 0) {
        if (!readBankerPart(backs, backCount, n.nBackBankers, game.backPool, game.backPicks,
                            game.backPicks - 1, back, backMask, backBankers, fault))
            return false;
    } else if (n.plus || backCount) {
        if (!readPlainPart(backs, backCount, game.backPool, back, backMask, fault)) return false;
        if (backCount < game.backPicks) {
            fault = countFault(back, backCount, game.backPicks, game.backPool);
            return false;
        }
    }
    t.blues = uint32_t(backMask);
    t.backBankers = uint32_t(backBankers);
    t.blueCount = std::popcount(t.blues);
    return true;
}

// A line of a game of one pool (七乐彩): its numbers alone, no "+" part; every bad line gets its fault.
bool readNumbersLine(QStringView line, PrizeTicket& t, QString& fault, const Game& game) {
    LineNumbers n;
    if (!splitLine(line, n, false)) {
        fault = QStringLiteral("含有无法识别的内容");
        return false;
    }
    if (n.plus) {
        fault = QStringLiteral("%1的投注号码没有\"+\"后的部分").arg(game.nameText());
        return false;
    }
    // The numbers are named alone: "号码31超出范围".
    return readFrontPart(n, n.nBefore, game, QString(), t, fault);
}

} // namespace

TicketList ReadTickets(QStringView text, uint32_t defaultBlues, const Game& game) {
    TicketList list;
    const bool pairs = game.backPicks > 1;
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
        const bool read = pairs               ? readPairLine(line, t, fault, game, defaultBlues != 0)
                          : game.backPicks == 0 ? readNumbersLine(line, t, fault, game)
                                                : readSsqLine(line, t, fault, game);
        if (!read) {
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

uint32_t ReadBlueList(const QString& text, const Game& game) {
    uint64_t mask = 0;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return 0;
    if (game.backPicks == 0)
        throw KelvoraError(QStringLiteral("%1的投注号码只有%2，不能另配号码列表\"%3\"")
                               .arg(game.nameText(), game.frontCount(), text));
    const QString invalid =
        game.backPicks == 1
            ? QStringLiteral("%1列表\"%2\"无效：应为01-%3之间互不相同的号码，用逗号分隔")
                  .arg(game.back(), text)
                  .arg(game.backPool)
            : QStringLiteral("%1列表\"%2\"无效：应为01-%3之间互不相同的号码（至少%4个），用逗号分隔")
                  .arg(game.back(), text)
                  .arg(game.backPool)
                  .arg(game.backPicks);
    const QStringList parts = trimmed.split(QRegularExpression(QStringLiteral("[,，\\s]+")));
    for (const QString& part : parts) {
        bool ok = false;
        const int v = part.toInt(&ok);
        if (!ok || v < 1 || v > game.backPool || part.size() > 2 || (mask & (uint64_t(1) << v)))
            throw KelvoraError(invalid);
        mask |= uint64_t(1) << v;
    }
    if (parts.size() < game.backPicks) throw KelvoraError(invalid);
    return uint32_t(mask);
}

QString DecodeTicketFile(const QByteArray& bytes) {
    return DecodeImportText(bytes);
}
