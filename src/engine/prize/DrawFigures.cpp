#include "engine/prize/DrawFigures.h"

#include "engine/core/KelvoraError.h"
#include "engine/history/DataFile.h"
#include "engine/io/JsonWriter.h"
#include "engine/prize/PrizeTiers.h"

#include <QFileInfo>
#include <algorithm>

namespace {

constexpr int64_t Unknown = -1;

bool isDigits(QByteArrayView token) {
    return !token.isEmpty() && std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A count: digits, or "-" (or -1) for not known. False for anything else.
bool readCount(QByteArrayView token, int64_t& value) {
    if (token == "-" || token == "-1") {
        value = Unknown;
        return true;
    }
    if (!isDigits(token) || token.size() > 15) return false;
    value = token.toLongLong();
    return true;
}

// An amount in 元 ("5000000", "4.6", "123.45") as fen, or "-".
bool readYuan(QByteArrayView token, int64_t& fen) {
    // Some sources write -1 for an amount that was not paid (no winner).
    if (token == "-" || token == "-1") {
        fen = Unknown;
        return true;
    }
    const qsizetype dot = token.indexOf('.');
    const QByteArrayView whole = dot < 0 ? token : token.first(dot);
    const QByteArrayView cents = dot < 0 ? QByteArrayView() : token.sliced(dot + 1);
    if (!isDigits(whole) || whole.size() > 13) return false;
    if (dot >= 0 && (cents.isEmpty() || cents.size() > 2 || !isDigits(cents))) return false;
    fen = whole.toLongLong() * 100;
    if (!cents.isEmpty()) fen += cents.toLongLong() * (cents.size() == 1 ? 10 : 1);
    return true;
}

// "2026-06-20" as a date; invalid for anything else.
QDate isoDate(QByteArrayView t) {
    if (t.size() != 10 || t[4] != '-' || t[7] != '-' || !isDigits(t.first(4)) || !isDigits(t.sliced(5, 2)) ||
        !isDigits(t.sliced(8, 2)))
        return {};
    return QDate(t.first(4).toInt(), t.sliced(5, 2).toInt(), t.sliced(8, 2).toInt());
}

QString tokenText(QByteArrayView token) {
    return QString::fromUtf8(token.data(), token.size());
}

QString yuanField(int64_t fen) {
    if (fen < 0) return QStringLiteral("-");
    return fen % 100 ? QStringLiteral("%1.%2").arg(fen / 100).arg(fen % 100, 2, 10, QLatin1Char('0'))
                     : QString::number(fen / 100);
}

QString countField(int64_t n) {
    return n < 0 ? QStringLiteral("-") : QString::number(n);
}

bool sameFigures(const DrawFigures& a, const DrawFigures& b) {
    // A figure one side does not know never contradicts the other.
    auto agree = [](int64_t x, int64_t y) { return x < 0 || y < 0 || x == y; };
    if (!agree(a.sales, b.sales) || !agree(a.pool, b.pool)) return false;
    if (a.date.isValid() && b.date.isValid() && a.date != b.date) return false;
    for (size_t t = 0; t < a.tiers.size() && t < b.tiers.size(); ++t)
        if (!agree(a.tiers[t].winners, b.tiers[t].winners) || !agree(a.tiers[t].amount, b.tiers[t].amount))
            return false;
    return true;
}

} // namespace

const DrawFigures* FiguresTable::find(int issue) const {
    const auto it = std::lower_bound(draws.begin(), draws.end(), issue,
                                     [](const DrawFigures& d, int i) { return d.issue < i; });
    return it != draws.end() && it->issue == issue ? &*it : nullptr;
}

int64_t FiguresTable::poolBefore(int issue) const {
    const auto it = std::lower_bound(draws.begin(), draws.end(), issue,
                                     [](const DrawFigures& d, int i) { return d.issue < i; });
    return it == draws.begin() ? Unknown : std::prev(it)->pool;
}

int FigureTierCount(const Game& game) {
    int most = 0;
    for (const PrizeRules& rules : PrizeVersions(game))
        most = std::max(most, rules.tierCount);
    return most;
}

QString FiguresUpdatePath(const Game& game) {
    QString path = QString::fromLatin1(game.updateFile);
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? path + QStringLiteral("-figures") : path.insert(dot, QStringLiteral("-figures"));
}

FiguresLoad ParseFigures(const QByteArray& bytes, const Game& game, const TCodeArr* history) {
    FiguresLoad load;
    load.table.game = &game;
    const int tiers = FigureTierCount(game);
    const int numbers = 4 + 2 * tiers; // issue, date, sales, pool and the tier pairs; a source may follow
    QStringList faults;
    std::vector<int> held;
    if (history) {
        held.reserve(history->size());
        for (const TDrawRec& d : *history)
            held.push_back(d.code());
        std::sort(held.begin(), held.end());
    }
    int lineNo = 0;
    std::vector<QByteArrayView> tokens;
    for (QByteArrayView rest(bytes); !rest.isEmpty();) {
        const qsizetype end = rest.indexOf('\n');
        QByteArrayView line = (end < 0 ? rest : rest.first(end)).trimmed();
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        ++lineNo;
        if (line.isEmpty() || line.startsWith('#')) continue;
        tokens.clear();
        for (qsizetype i = 0; i < line.size();) {
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
                ++i;
            qsizetype j = i;
            while (j < line.size() && line[j] != ' ' && line[j] != '\t')
                ++j;
            if (j > i) tokens.push_back(line.sliced(i, j - i));
            i = j;
        }
        auto fault = [&](const QString& why) { faults << QStringLiteral("第%1行：").arg(lineNo) + why; };
        if (int(tokens.size()) != numbers && int(tokens.size()) != numbers + 1) {
            fault(QStringLiteral("有%1项，%2的开奖公告数据每行应为%3项")
                      .arg(tokens.size())
                      .arg(game.nameText())
                      .arg(numbers + 1));
            continue;
        }
        DrawFigures d;
        if (tokens[0].size() != 7 || !isDigits(tokens[0])) {
            fault(QStringLiteral("期号'%1'不是7位数字").arg(tokenText(tokens[0])));
            continue;
        }
        d.issue = tokens[0].toInt();
        if (tokens[1] != "-") {
            d.date = isoDate(tokens[1]);
            if (!d.date.isValid()) {
                fault(QStringLiteral("日期'%1'无效").arg(tokenText(tokens[1])));
                continue;
            }
        }
        bool ok = readYuan(tokens[2], d.sales) && readYuan(tokens[3], d.pool);
        d.tiers.resize(size_t(tiers));
        for (int t = 0; ok && t < tiers; ++t)
            ok = readCount(tokens[size_t(4 + 2 * t)], d.tiers[size_t(t)].winners) &&
                 readYuan(tokens[size_t(5 + 2 * t)], d.tiers[size_t(t)].amount);
        if (!ok) {
            for (int k = 2; k < numbers; ++k)
                if (int64_t v; !(k % 2 == 0 && k >= 4 ? readCount(tokens[size_t(k)], v) : readYuan(tokens[size_t(k)], v))) {
                    fault(QStringLiteral("'%1' 不是数字").arg(tokenText(tokens[size_t(k)])));
                    break;
                }
            continue;
        }
        if (int(tokens.size()) > numbers) d.source = tokenText(tokens.back());
        // Figures of draws before or after the history's span are kept unused (a history cut short, an
        // update not saved yet); one inside it that the history lacks belongs to other draws.
        if (history && !held.empty() && d.issue > held.front() && d.issue < held.back() &&
            !std::binary_search(held.begin(), held.end(), d.issue)) {
            fault(QStringLiteral("开奖数据中没有第%1期").arg(d.issue));
            continue;
        }
        load.table.draws.push_back(std::move(d));
    }
    std::stable_sort(load.table.draws.begin(), load.table.draws.end(),
                     [](const DrawFigures& a, const DrawFigures& b) { return a.issue < b.issue; });
    for (size_t k = 1; k < load.table.draws.size(); ++k)
        if (load.table.draws[k].issue == load.table.draws[k - 1].issue)
            faults << QStringLiteral("第%1期出现了两次").arg(load.table.draws[k].issue);
    if (!faults.isEmpty()) {
        load.status = FiguresLoad::Refused;
        load.table.draws.clear();
        // A file of another game faults on every line: the first ones say enough.
        constexpr qsizetype shown = 20;
        const qsizetype all = faults.size();
        if (all > shown) {
            faults.resize(shown);
            faults << QStringLiteral("……共%1行有错误").arg(all);
        }
        load.message = QStringLiteral("开奖公告数据（销量、奖池和各奖级）中下列行有错误，这些数据未采用：\n") +
                       faults.join(QLatin1Char('\n'));
        return load;
    }
    load.status = FiguresLoad::Ok;
    return load;
}

FiguresLoad LoadFigures(const QString& path, const Game& game, const TCodeArr* history) {
    FiguresLoad load;
    load.table.game = &game;
    if (path.isEmpty() || !QFileInfo::exists(path)) return load;
    // Read as every file a user names: bounded in size, a folder or a device refused.
    QByteArray bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const KelvoraError& e) {
        load.status = FiguresLoad::Refused;
        load.message = QStringLiteral("无法读取开奖公告数据：") + e.message();
        return load;
    }
    return ParseFigures(bytes, game, history);
}

QByteArray FiguresFileText(const FiguresTable& table) {
    const int tiers = table.game ? FigureTierCount(*table.game) : 0;
    QString text = QStringLiteral("# issue date sales pool");
    for (int t = 1; t <= tiers; ++t)
        text += QStringLiteral(" n%1 a%1").arg(t);
    text += QStringLiteral(" source   (- = not known)\n");
    for (const DrawFigures& d : table.draws) {
        QStringList fields{QString::number(d.issue),
                           d.date.isValid() ? d.date.toString(Qt::ISODate) : QStringLiteral("-"),
                           yuanField(d.sales), yuanField(d.pool)};
        for (int t = 0; t < tiers; ++t) {
            const TierFigures f = size_t(t) < d.tiers.size() ? d.tiers[size_t(t)] : TierFigures{};
            fields << countField(f.winners) << yuanField(f.amount);
        }
        fields << (d.source.isEmpty() ? QStringLiteral("-") : d.source);
        text += fields.join(QLatin1Char(' ')) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

FiguresMerge MergeFigures(const FiguresTable& held, const FiguresTable& incoming) {
    FiguresMerge m;
    m.table = held;
    if (!m.table.game) m.table.game = incoming.game;
    QStringList contradictions;
    for (const DrawFigures& d : incoming.draws) {
        auto it = std::lower_bound(m.table.draws.begin(), m.table.draws.end(), d.issue,
                                   [](const DrawFigures& x, int i) { return x.issue < i; });
        if (it == m.table.draws.end() || it->issue != d.issue) {
            m.table.draws.insert(it, d);
            ++m.added;
            continue;
        }
        if (!sameFigures(*it, d)) {
            contradictions << QString::number(d.issue);
            continue;
        }
        // Fill what the held draw did not know.
        bool filled = false;
        auto fill = [&filled](int64_t& mine, int64_t theirs) {
            if (mine < 0 && theirs >= 0) {
                mine = theirs;
                filled = true;
            }
        };
        fill(it->sales, d.sales);
        fill(it->pool, d.pool);
        if (!it->date.isValid() && d.date.isValid()) {
            it->date = d.date;
            filled = true;
        }
        it->tiers.resize(std::max(it->tiers.size(), d.tiers.size()));
        for (size_t t = 0; t < d.tiers.size(); ++t) {
            fill(it->tiers[t].winners, d.tiers[t].winners);
            fill(it->tiers[t].amount, d.tiers[t].amount);
        }
        m.filled += filled;
    }
    if (!contradictions.isEmpty()) {
        m.table = held;
        m.added = m.filled = 0;
        m.message = QStringLiteral("第%1期与已有的开奖公告数据不一致").arg(contradictions.join(QStringLiteral("、")));
        return m;
    }
    m.ok = true;
    return m;
}

QString YuanText(int64_t fen) {
    if (fen < 0) return QStringLiteral("-");
    QString whole = QString::number(fen / 100);
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
        whole.insert(at, QLatin1Char(','));
    return fen % 100 ? QStringLiteral("%1.%2").arg(whole).arg(fen % 100, 2, 10, QLatin1Char('0')) : whole;
}

QString WeekdayText(const QDate& date) {
    static const char16_t* const names[] = {u"星期一", u"星期二", u"星期三", u"星期四",
                                            u"星期五", u"星期六", u"星期日"};
    return date.isValid() ? QString::fromUtf16(names[date.dayOfWeek() - 1]) : QString();
}

std::vector<const DrawFigures*> FiguresRange(const FiguresTable& table, int fromIssue, int count) {
    std::vector<const DrawFigures*> shown;
    if (count <= 0) return shown;
    const auto& draws = table.draws;
    size_t first = 0;
    if (fromIssue > 0)
        first = size_t(std::lower_bound(draws.begin(), draws.end(), fromIssue,
                                        [](const DrawFigures& d, int i) { return d.issue < i; }) -
                       draws.begin());
    else if (draws.size() > size_t(count))
        first = draws.size() - size_t(count);
    for (size_t k = first; k < draws.size() && shown.size() < size_t(count); ++k)
        shown.push_back(&draws[k]);
    return shown;
}

namespace {

JsonWriter& yuanValue(JsonWriter& w, int64_t fen) {
    if (fen < 0) return w.null();
    return fen % 100 ? w.value(double(fen) / 100.0) : w.value(fen / 100);
}

} // namespace

QString FiguresJson(const FiguresTable& table, const std::vector<const DrawFigures*>& draws) {
    JsonWriter w;
    w.beginObject().member(u"game", table.game ? table.game->keyText() : QString()).key(u"draws").beginArray();
    for (const DrawFigures* d : draws) {
        w.beginObject().member(u"issue", d->issue).key(u"date");
        if (d->date.isValid())
            w.value(d->date.toString(Qt::ISODate));
        else
            w.null();
        yuanValue(w.key(u"sales"), d->sales);
        yuanValue(w.key(u"pool"), d->pool);
        w.key(u"tiers").beginArray();
        const PrizeRules& rules = PrizeRulesFor(*table.game, d->issue);
        for (int t = 0; t < rules.tierCount && size_t(t) < d->tiers.size(); ++t) {
            const TierFigures& f = d->tiers[size_t(t)];
            w.beginObject().member(u"name", rules.tierName(t + 1)).key(u"winners");
            if (f.winners < 0)
                w.null();
            else
                w.value(f.winners);
            yuanValue(w.key(u"amount"), f.amount).endObject();
        }
        w.endArray().endObject();
    }
    return w.endArray().endObject().text();
}

QStringList FiguresTextLines(const Game& game, const DrawFigures& draw) {
    QStringList lines;
    QString head = QStringLiteral("第%1期").arg(draw.issue);
    if (draw.date.isValid()) head += QStringLiteral(" %1 %2").arg(draw.date.toString(Qt::ISODate), WeekdayText(draw.date));
    head += QStringLiteral(" 销量%1元 奖池%2元").arg(YuanText(draw.sales), YuanText(draw.pool));
    lines << head;
    const PrizeRules& rules = PrizeRulesFor(game, draw.issue);
    for (int t = 0; t < rules.tierCount && size_t(t) < draw.tiers.size(); ++t) {
        const TierFigures& f = draw.tiers[size_t(t)];
        if (f.winners < 0 && f.amount < 0) continue;
        lines << QStringLiteral("  %1 %2注 每注%3元")
                     .arg(rules.tierName(t + 1), f.winners < 0 ? QStringLiteral("-") : QString::number(f.winners),
                          YuanText(f.amount));
    }
    return lines;
}

FiguresUpdate DecideFiguresUpdate(const UpdateTransfer& transfer, const FiguresTable& held,
                                  const TCodeArr& history, const Game& game) {
    FiguresUpdate u;
    u.table = held;
    if (transfer.httpStatus == 404 || transfer.httpStatus == 410) return u;
    if (const QString failure = TransferFailureText(transfer); !failure.isEmpty()) {
        u.status = FiguresUpdate::Refused;
        u.message = failure;
        return u;
    }
    const FiguresLoad load = ParseFigures(transfer.body, game, &history);
    if (load.status != FiguresLoad::Ok) {
        u.status = FiguresUpdate::Refused;
        u.message = load.message;
        return u;
    }
    const FiguresMerge merge = MergeFigures(held, load.table);
    if (!merge.ok) {
        u.status = FiguresUpdate::Refused;
        u.message = merge.message;
        return u;
    }
    u.status = FiguresUpdate::Merged;
    u.table = merge.table;
    u.added = merge.added + merge.filled;
    return u;
}

QStringList FiguresQueryLines(const Game& game, const DrawFigures& draw) {
    QStringList lines;
    QString head = QStringLiteral("    ");
    if (draw.date.isValid()) head += draw.date.toString(Qt::ISODate) + QLatin1Char(' ') + WeekdayText(draw.date) + QLatin1Char(' ');
    head += QStringLiteral("销量%1元 奖池%2元").arg(YuanText(draw.sales), YuanText(draw.pool));
    lines << head;
    const PrizeRules& rules = PrizeRulesFor(game, draw.issue);
    QStringList tiers;
    for (int t = 0; t < rules.tierCount && size_t(t) < draw.tiers.size(); ++t) {
        const TierFigures& f = draw.tiers[size_t(t)];
        if (f.winners < 0) continue;
        tiers << (f.amount >= 0 && f.winners > 0
                      ? QStringLiteral("%1%2注×%3元").arg(rules.tierName(t + 1)).arg(f.winners).arg(YuanText(f.amount))
                      : QStringLiteral("%1%2注").arg(rules.tierName(t + 1)).arg(f.winners));
    }
    if (!tiers.isEmpty()) lines << QStringLiteral("    ") + tiers.join(QLatin1Char(' '));
    return lines;
}
