#include "engine/charts/OmissionChart.h"

#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"
#include "engine/metrics/Code.h"

#include <QJsonArray>
#include <algorithm>
#include <vector>

namespace {

constexpr int Cols = 9;

const char* const Headers[Cols] = {
    "号码",     "遗漏值",           "最大间隔",         "平均间隔",         "最多连续",
    "出现总数", "20期出\r\n现次数", "50期出\r\n现次数", "100期出\r\n现次数"};

struct NumberStats {
    int32_t total = 0, last20 = 0, last50 = 0, last100 = 0;
    int32_t gap = 0, longestGap = 0, streak = 0, longestStreak = 0;
};

B0NetModel BlankTable(int numbers, const QString& title, TColor rowColor, int left, int top, int height) {
    B0NetModel t;
    t.SetDimension(Cols, numbers + 1, QList<int>(Cols, 64));
    t.FTitle = title;
    t.FRowHeight = 32;
    t.setBounds(left, top, OmissionTableWidth, height);
    for (int r = 0; r <= numbers; ++r)
        for (int c = 0; c < Cols; ++c) {
            t.SetValue(c, r, r == 0 ? QString::fromUtf8(Headers[c]) : QString::number(r));
            t.SetCellColor(c, r, r == 0 ? OmissionHeaderColor : rowColor);
        }
    t.Resize();
    return t;
}

// Walks the history oldest first; drawn(draw) has bit k set for every number k in the draw.
template <typename Drawn>
std::vector<NumberStats> CountStats(const TCodeArr& history, int numbers, Drawn drawn) {
    std::vector<NumberStats> s(size_t(numbers) + 1);
    const size_t L = history.size();
    for (size_t i = 0; i < L; ++i) {
        const uint64_t bits = drawn(history[i].Ticket);
        for (int k = 1; k <= numbers; ++k) {
            NumberStats& x = s[size_t(k)];
            if (bits >> k & 1) {
                ++x.total;
                // Short histories: every draw counts for the windows it does not fill.
                if (i + 100 >= L) ++x.last100;
                if (i + 50 >= L) ++x.last50;
                if (i + 20 >= L) ++x.last20;
                x.gap = 0;
                x.longestStreak = std::max(x.longestStreak, ++x.streak);
            } else {
                x.longestGap = std::max(x.longestGap, ++x.gap);
                x.streak = 0;
            }
        }
    }
    return s;
}

void WriteStats(B0NetModel& t, const std::vector<NumberStats>& s, size_t drawCount) {
    for (int k = 1; k < int(s.size()); ++k) {
        const NumberStats& x = s[size_t(k)];
        t.SetValue(1, k, QString::number(x.gap));
        t.SetValue(2, k, QString::number(x.longestGap));
        // A number never drawn has no average interval.
        t.SetValue(3, k,
                   x.total > 0 ? QString::asprintf("%2.2f", double(drawCount) / x.total)
                               : QStringLiteral("-"));
        t.SetValue(4, k, QString::number(x.longestStreak));
        t.SetValue(5, k, QString::number(x.total));
        t.SetValue(6, k, QString::number(x.last20));
        t.SetValue(7, k, QString::number(x.last50));
        t.SetValue(8, k, QString::number(x.last100));
    }
    t.Resize();
}

} // namespace

QJsonObject OmissionTables::toJson() const {
    return QJsonObject{{"kind", "tables"}, {"tables", QJsonArray{red.toJson(), blue.toJson()}}};
}

OmissionTables FillOmission(const TCodeArr& history, int n, int boxWidth, const Game& game) {
    CheckPeriodsAbove(history, n);
    const int left = (boxWidth - OmissionTableWidth) / 2;
    const int rowHeight = 32;
    OmissionTables t;
    t.red = BlankTable(game.frontPool, ChartWords("红球分析表", game), OmissionRedRowColor, left, 0,
                       (game.frontPool + 3) * rowHeight);
    const int sidePool = game.sidePool();
    t.blue = BlankTable(sidePool, ChartWords("蓝球分析表", game), OmissionBlueRowColor, left,
                        t.red.bounds().height() + 20, (sidePool + 9) * rowHeight);
    const auto frontBits = [](const TCodeRec& d) {
        uint64_t bits = 0;
        for (const uint8_t front : d.Red)
            if (front < 64) bits |= uint64_t(1) << front;
        return bits & ~uint64_t(1); // 0 is no number
    };
    WriteStats(t.red, CountStats(history, game.frontPool, frontBits), history.size());
    // The side numbers of a draw: its backs, or its special number.
    const auto sideBits = [&game](const TCodeRec& d) {
        int side[MaxSidePicks];
        uint64_t bits = 0;
        for (int k = 0, found = SideNumbers(d, game, side); k < found; ++k)
            bits |= uint64_t(1) << side[k];
        return bits;
    };
    WriteStats(t.blue, CountStats(history, sidePool, sideBits), history.size());
    return t;
}
