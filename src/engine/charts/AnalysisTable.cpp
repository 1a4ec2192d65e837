#include "engine/charts/AnalysisTable.h"

#include "engine/charts/Periods.h"
#include "engine/core/Pools.h"
#include "engine/metrics/Code.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace {

constexpr int Cols = 29;
constexpr int FirstMeasureCol = 8;
constexpr int FirstCompareCol = 26; // the three columns that need the draw before
constexpr TColor TotalsColor = 0x808080;

const char* const MeasureTitles[Cols - FirstMeasureCol] = {
    "和值",         "平均\r\n值",   "尾数\r\n和值", "奇号\r\n个数", "偶号\r\n个数", "奇偶\r\n偏差",
    "奇号\r\n连续", "偶号\r\n连续", "大号\r\n个数", "小号\r\n个数", "大小\r\n偏差", "尾号\r\n组数",
    "AC\r\n值",     "质号\r\n个数", "连号\r\n个数", "连号\r\n组数", "首尾\r\n差",   "最大\r\n间距",
    "同位\r\n相同", "重号\r\n个数", "斜号\r\n个数"};

// Two-digit texts of 0..999 built once: a table of thousands of rows then shares them instead of
// formatting every cell anew.
std::vector<QString> TextTable(int width) {
    std::vector<QString> t;
    t.reserve(1000);
    for (int i = 0; i < 1000; ++i)
        t.push_back(NumToText(i, width));
    return t;
}

// A draw-row number: two digits at least, or plain for the average column.
QString Cell(int32_t v, bool plain = false) {
    static const std::vector<QString> padded = TextTable(2), bare = TextTable(0);
    if (v < 0 || v >= 1000) return NumToText(v, plain ? 0 : 2);
    return plain ? bare[size_t(v)] : padded[size_t(v)];
}

// Columns 8..25 of one draw, in column order.
std::array<int32_t, FirstCompareCol - FirstMeasureCol> OwnMeasures(const TCodeRec& t) {
    const int32_t odd = OddCount(t), big = BigCount(t), sum = SumValue(t);
    const RunInfo runs = RunMeasures(t);
    return {sum,
            sum / 6,
            SumValue(t, true),
            odd,
            6 - odd,
            std::abs(2 * odd - 6),
            OddStepCount(t),
            EvenStepCount(t),
            big,
            6 - big,
            std::abs(2 * big - 6),
            6 - TailGroupCount(t),
            AcValue(t),
            PrimeCount(t),
            runs.numbers,
            runs.groups,
            SpanValue(t),
            MaxGap(t)};
}

} // namespace

H2NetModel FillAnalysisTable(const TCodeArr& history, int n) {
    CheckPeriods(history, n);
    H2NetModel m;
    m.FFontSize = 9;
    QList<int> widths{56, 18, 18, 18, 18, 18, 18, 24, 32, 32};
    while (widths.size() < Cols)
        widths.append(25);
    m.SetDimension(Cols, n + 1, 2, widths);
    for (int c = 1; c <= 6; ++c)
        m.SetValue(1, c, QString::number(c));

    const TColor fix = m.FFixColor;
    m.SetMergeCount(3 + Cols - FirstMeasureCol);
    m.SetMerge(0, true, {0, 0}, {0, 1}, QStringLiteral("期号"), fix);
    m.SetMerge(1, true, {1, 0}, {6, 0}, QStringLiteral("红球号码"), fix);
    m.SetMerge(2, true, {7, 0}, {7, 1}, QStringLiteral("蓝球"), fix);
    for (int c = FirstMeasureCol; c < Cols; ++c)
        m.SetMerge(3 + c - FirstMeasureCol, true, {c, 0}, {c, 1},
                   QString::fromUtf8(MeasureTitles[c - FirstMeasureCol]), fix);

    std::array<int64_t, Cols> totals{};
    for (int p = 0; p < n; ++p) {
        const size_t i = history.size() - 1 - size_t(p);
        const TDrawRec& d = history[i];
        const int row = p + 2;
        m.SetValue(row, 0, NumToText(d.Year, 4) + NumToText(d.Issue, 3));
        for (int k = 0; k < Pools::kRedPicks; ++k)
            m.SetValue(row, 1 + k, Cell(d.Ticket.Red[k]));
        uint8_t blues[Pools::kBluePool];
        if (BlueList(d.Ticket, blues) > 0) m.SetValue(row, 7, Cell(blues[0]));

        const auto own = OwnMeasures(d.Ticket);
        for (int k = 0; k < int(own.size()); ++k) {
            const int col = FirstMeasureCol + k;
            // The average is the one column written without padding.
            m.SetValue(row, col, Cell(own[k], col == 9));
            totals[col] += own[k];
        }
        if (i == 0) continue; // the oldest draw has nothing to compare with
        const TCodeRec& prev = history[i - 1].Ticket;
        const int32_t compare[3] = {SamePosCount(d.Ticket, prev), CommonCount(d.Ticket, prev),
                                    DiagonalCount(d.Ticket, prev)};
        for (int k = 0; k < 3; ++k) {
            m.SetValue(row, FirstCompareCol + k, Cell(compare[k]));
            totals[FirstCompareCol + k] += compare[k];
        }
    }

    const int totalsRow = n + 2;
    m.SetValue(totalsRow, 0, QStringLiteral("合计"));
    for (int c = 0; c < Cols; ++c)
        m.SetCellColor(totalsRow, c, TotalsColor);
    for (int c = FirstMeasureCol; c < Cols; ++c)
        m.SetValue(totalsRow, c, QString::number(totals[c]));
    return m;
}

QString AnalysisExplanationCaption() {
    return QStringLiteral("统计分析表 图表说明");
}

QStringList AnalysisExplanationLines() {
    return {
        QStringLiteral("说明："),
        QStringLiteral("和值：所有红球的和数值；"),
        QStringLiteral("平均值：所有红球的和数值/6；"),
        QStringLiteral("尾数和值：所有红球的个位数之和；"),
        QStringLiteral("奇号个数：红球中号码为奇数的个数；   "),
        QStringLiteral("偶号个数：红球中号码为偶数的个数；"),
        QStringLiteral("奇偶偏差：奇号个数-偶号个数；"),
        QStringLiteral(
            "奇号连续：前后两个号间隔为2，且号码都是奇数，这样的号码的组数，例如：01，03，07，09，11，"
            "19则奇号连续为3，即01-03，07-09，09-11。"),
        QStringLiteral(
            "偶号连续：前后两个号间隔为2，且号码都是偶数，这样的号码的组数，例如：02，04，08，10，12，"
            "20则奇号连续为3，即02-04，08-10，10-12。"),
        QStringLiteral("大号个数：红球中号码为大数（大于等于18的数为大数）的个数；"),
        QStringLiteral("小号个数：红球中号码为小数（小于等于17的数为小数）的个数；"),
        QStringLiteral("大小偏差：大号个数-小号个数；"),
        QStringLiteral("AC值：一个算术复杂度的计算值。"),
        QStringLiteral(
            "质号个数：红球中号码为质数的个数；连号个数：红球中相连的号码个数，例如：01,02,06,07,08,10，"
            "则连号个数为5,01,02,06,07,08；"),
        QStringLiteral("连号组数：红球中相连号码出现的组的个数，例如：01,02,06,07,08,10，则连号组数为2。"),
        QStringLiteral("首尾差：红球中最大号－最小号；"),
        QStringLiteral("最大间距：相邻的两个红球之间最大的间隔；"),
        QStringLiteral("同位相同：本期红球与上期红球同位置相同号码的个数；"),
        QStringLiteral("重号个数：本期红球中出现上期红球的个数；    "),
        QStringLiteral("斜号个数：本期红球与上期红球号码斜连的个数。"),
    };
}
