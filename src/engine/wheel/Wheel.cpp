#include "engine/wheel/Wheel.h"

#include "engine/core/KelvoraError.h"
#include "engine/io/JsonWriter.h"
#include "engine/wheel/StoredWheels.h"

#include <QRegularExpression>
#include <algorithm>
#include <bit>

namespace {

QString two(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Lexicographic order of the positions: the ticket holding the lowest differing position first.
bool lexicographicLess(WheelMask a, WheelMask b) {
    const WheelMask x = a ^ b;
    return x && (a & (x & (~x + 1)));
}

} // namespace

QString WheelNumbersText(const std::vector<int>& numbers) {
    QString s;
    for (int n : numbers) {
        if (!s.isEmpty()) s += QLatin1Char(' ');
        s += two(n);
    }
    return s;
}

QString WheelCancelledMessage() {
    return QStringLiteral("已取消，没有生成投注号码");
}

std::vector<int> ReadWheelNumbers(const QString& text, int pool, const QString& what) {
    std::vector<int> numbers;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return numbers;
    for (const QString& part : trimmed.split(QRegularExpression(QStringLiteral("[,，、\\s]+")))) {
        bool ok = false;
        const int v = part.toInt(&ok);
        if (!ok || part.size() > 2 || v < 1 || v > pool)
            throw KelvoraError(
                QStringLiteral("%1\"%2\"无效：应为01-%3之间的号码").arg(what, part, two(pool)));
        if (std::find(numbers.begin(), numbers.end(), v) != numbers.end())
            throw KelvoraError(QStringLiteral("%1%2重复").arg(what, two(v)));
        numbers.push_back(v);
    }
    return numbers;
}

void CheckWheelRequest(const WheelRequest& r) {
    for (const std::vector<int>* list : {&r.numbers, &r.bankers}) {
        const QString what = list == &r.numbers ? QStringLiteral("号码") : QStringLiteral("胆码");
        for (size_t i = 0; i < list->size(); ++i) {
            const int v = (*list)[i];
            if (v < 1 || v > r.pool)
                throw KelvoraError(QStringLiteral("%1\"%2\"无效：应为01-%3之间的号码")
                                       .arg(what, QString::number(v), two(r.pool)));
            if (std::find(list->begin(), list->begin() + i, v) != list->begin() + i)
                throw KelvoraError(QStringLiteral("%1%2重复").arg(what, two(v)));
        }
    }
    const int v = int(r.numbers.size());
    if (v < r.picks + 1 || v > WheelMaxNumbers)
        throw KelvoraError(QStringLiteral("号码个数为%1个：旋转矩阵需要%2-%3个号码")
                               .arg(v)
                               .arg(r.picks + 1)
                               .arg(WheelMaxNumbers));
    if (r.held < 2 || r.held > r.drawn || r.drawn > r.picks)
        throw KelvoraError(QStringLiteral("保证条件\"中%1保%2\"无效：应满足2≤保≤中≤%3")
                               .arg(r.drawn)
                               .arg(r.held)
                               .arg(r.picks));
    for (int b : r.bankers)
        if (std::find(r.numbers.begin(), r.numbers.end(), b) != r.numbers.end())
            throw KelvoraError(QStringLiteral("胆码%1也在号码中：胆码不能是旋转的号码").arg(two(b)));
    const int d = int(r.bankers.size());
    if (d > r.picks - 1) throw KelvoraError(QStringLiteral("胆码有%1个：最多%2个").arg(d).arg(r.picks - 1));
    if (r.held > r.picks - d)
        throw KelvoraError(
            QStringLiteral("有%1个胆码时每注只余%2个位置，无法保%3").arg(d).arg(r.picks - d).arg(r.held));
}

WheelShape WheelShapeOf(const WheelRequest& r) {
    return {int(r.numbers.size()), r.picks - int(r.bankers.size()), r.drawn, r.held};
}

Wheel BuildWheel(const WheelRequest& request, const WheelSearchOptions& options) {
    CheckWheelRequest(request);
    Wheel w;
    w.numbers = request.numbers;
    w.bankers = request.bankers;
    std::sort(w.numbers.begin(), w.numbers.end());
    std::sort(w.bankers.begin(), w.bankers.end());
    w.drawn = request.drawn;
    w.held = request.held;
    w.picks = request.picks;
    const WheelShape shape = WheelShapeOf(request);
    if (const StoredWheel* stored = FindStoredWheel(shape)) {
        w.tickets = stored->tickets;
        w.stored = true;
    } else {
        // No wheel can be smaller than the bound: reaching it ends the search at once.
        WheelSearchOptions o = options;
        o.target = std::max(o.target, int(WheelLowerBound(shape)));
        if (o.stallSteps == 0) o.stallSteps = WheelStallSteps(shape);
        w.tickets = SearchWheel(shape, o, {}, &w.search);
    }
    if (w.tickets.empty() && w.search.end == WheelSearchEnd::Cancelled)
        throw KelvoraError(WheelCancelledMessage());
    const WheelCheckResult check = CheckWheel(shape.v, shape.drawn, shape.held, w.tickets, 0);
    if (w.tickets.empty() || check.uncovered != 0)
        throw KelvoraError(QStringLiteral("旋转矩阵未通过验证，没有生成投注号码"));
    w.draws = check.draws;
    w.lowerBound = SchoenheimBound(shape.v, shape.k, shape.drawn, shape.held);
    std::sort(w.tickets.begin(), w.tickets.end(), lexicographicLess);
    return w;
}

std::vector<std::vector<int>> WheelTicketNumbers(const Wheel& wheel) {
    std::vector<std::vector<int>> all;
    all.reserve(wheel.tickets.size());
    for (WheelMask t : wheel.tickets) {
        std::vector<int> numbers = wheel.bankers;
        for (size_t i = 0; i < wheel.numbers.size(); ++i)
            if (t >> i & 1u) numbers.push_back(wheel.numbers[i]);
        std::sort(numbers.begin(), numbers.end());
        all.push_back(std::move(numbers));
    }
    return all;
}

QStringList WheelTicketLines(const Wheel& wheel) {
    QStringList lines;
    for (const std::vector<int>& t : WheelTicketNumbers(wheel))
        lines << WheelNumbersText(t);
    return lines;
}

QString WheelCountLine(const Wheel& wheel) {
    return QStringLiteral("共%1注（中%2保%3，%4个号码）")
        .arg(wheel.tickets.size())
        .arg(wheel.drawn)
        .arg(wheel.held)
        .arg(wheel.numbers.size());
}

QString WheelVerifiedLine(const Wheel& wheel) {
    return QStringLiteral("已验证：全部%1种开奖组合均满足").arg(wheel.draws);
}

QString WheelJson(const Wheel& wheel, const QString& game) {
    const std::vector<std::vector<int>> tickets = WheelTicketNumbers(wheel);
    JsonWriter w;
    w.beginObject().member(u"game", game);
    w.key(u"numbers").numbers(wheel.numbers).key(u"bankers").numbers(wheel.bankers);
    w.key(u"guarantee").beginArray().value(wheel.drawn).value(wheel.held).endArray();
    w.key(u"tickets").beginArray();
    for (const std::vector<int>& t : tickets)
        w.numbers(t);
    w.endArray().member(u"count", tickets.size()).member(u"uncovered", 0).key(u"lowerBound");
    if (wheel.lowerBound)
        w.value(*wheel.lowerBound);
    else
        w.null();
    return w.endObject().text();
}
