#include "engine/charts/AnalysisTable.h"

#include "engine/charts/Periods.h"
#include "engine/charts/TrendGrid.h"
#include "engine/metrics/Code.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace {

constexpr int OwnMeasureCount = 18;
constexpr int CompareCount = 3; // the last columns need the draw before
constexpr TColor TotalsColor = 0x808080;

const char* const MeasureTitles[OwnMeasureCount + CompareCount] = {
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

// The own measures of one draw, in column order.
std::array<int32_t, OwnMeasureCount> OwnMeasures(const TCodeRec& t, const Game& game) {
    const int32_t picks = game.frontPicks;
    const int32_t odd = OddCount(t), big = BigCount(t, game), sum = SumValue(t);
    const RunInfo runs = RunMeasures(t, game);
    return {sum,
            sum / picks,
            SumValue(t, true),
            odd,
            picks - odd,
            std::abs(2 * odd - picks),
            OddStepCount(t, game),
            EvenStepCount(t, game),
            big,
            picks - big,
            std::abs(2 * big - picks),
            picks - TailGroupCount(t, game),
            AcValue(t, game),
            PrimeCount(t),
            runs.numbers,
            runs.groups,
            SpanValue(t, game),
            MaxGap(t, game)};
}

} // namespace

H2NetModel FillAnalysisTable(const TCodeArr& history, int n) {
    return FillAnalysisTable(history, n, Game::ssq());
}

H2NetModel FillAnalysisTable(const TCodeArr& history, int n, const Game& game) {
    CheckPeriods(history, n);
    const int picks = game.frontPicks;
    const int backCol = picks + 1;
    const int firstMeasureCol = backCol + 1;
    const int firstCompareCol = firstMeasureCol + OwnMeasureCount;
    const int cols = firstCompareCol + CompareCount;
    const int averageCol = firstMeasureCol + 1;

    H2NetModel m;
    m.FFontSize = 9;
    QList<int> widths{56};
    for (int k = 0; k < picks; ++k)
        widths.append(18);
    widths << 12 + 12 * game.sidePicks() << 32 << 32;
    while (widths.size() < cols)
        widths.append(25);
    m.SetDimension(cols, n + 1, 2, widths);
    for (int c = 1; c <= picks; ++c)
        m.SetValue(1, c, QString::number(c));

    const TColor fix = m.FFixColor;
    m.SetMergeCount(3 + cols - firstMeasureCol);
    m.SetMerge(0, true, {0, 0}, {0, 1}, QStringLiteral("期号"), fix);
    m.SetMerge(1, true, {1, 0}, {picks, 0}, ChartWords("红球号码", game), fix);
    m.SetMerge(2, true, {backCol, 0}, {backCol, 1}, ChartWords("蓝球", game), fix);
    for (int c = firstMeasureCol; c < cols; ++c)
        m.SetMerge(3 + c - firstMeasureCol, true, {c, 0}, {c, 1},
                   QString::fromUtf8(MeasureTitles[c - firstMeasureCol]), fix);

    std::array<int64_t, 1 + GameLimits::kMaxFrontPicks + 1 + OwnMeasureCount + CompareCount> totals{};
    for (int p = 0; p < n; ++p) {
        const size_t i = history.size() - 1 - size_t(p);
        const TDrawRec& d = history[i];
        const int row = p + 2;
        m.SetValue(row, 0, NumToText(d.Year, 4) + NumToText(d.Issue, 3));
        for (int k = 0; k < picks; ++k)
            m.SetValue(row, 1 + k, Cell(d.Ticket.Red[k]));
        int side[MaxSidePicks];
        const int found = SideNumbers(d.Ticket, game, side);
        if (found == 1) {
            m.SetValue(row, backCol, Cell(side[0]));
        } else if (found > 1) {
            QStringList texts;
            for (int k = 0; k < found; ++k)
                texts << Cell(side[k]);
            m.SetValue(row, backCol, texts.join(u' '));
        }

        const auto own = OwnMeasures(d.Ticket, game);
        for (int k = 0; k < int(own.size()); ++k) {
            const int col = firstMeasureCol + k;
            // The average is the one column written without padding.
            m.SetValue(row, col, Cell(own[k], col == averageCol));
            totals[col] += own[k];
        }
        if (i == 0) continue; // the oldest draw has nothing to compare with
        const TCodeRec& prev = history[i - 1].Ticket;
        const int32_t compare[CompareCount] = {SamePosCount(d.Ticket, prev, game),
                                               CommonCount(d.Ticket, prev),
                                               DiagonalCount(d.Ticket, prev, game)};
        for (int k = 0; k < CompareCount; ++k) {
            m.SetValue(row, firstCompareCol + k, Cell(compare[k]));
            totals[firstCompareCol + k] += compare[k];
        }
    }

    const int totalsRow = n + 2;
    m.SetValue(totalsRow, 0, QStringLiteral("合计"));
    for (int c = 0; c < cols; ++c)
        m.SetCellColor(totalsRow, c, TotalsColor);
    for (int c = firstMeasureCol; c < cols; ++c)
        m.SetValue(totalsRow, c, QString::number(totals[c]));
    return m;
}

QString AnalysisExplanationCaption() {
    return QStringLiteral("统计分析表 图表说明");
}

QStringList AnalysisExplanationLines(const Game& game) {
    QStringList lines{
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
    // Written in the two-colour ball's words and constants, which the replacements leave as they are.
    for (QString& line : lines)
        line.replace(QStringLiteral("红球"), game.front())
            .replace(QStringLiteral("/6"), QStringLiteral("/%1").arg(game.frontPicks))
            .replace(QStringLiteral("大于等于18"), QStringLiteral("大于等于%1").arg(game.smallMax + 1))
            .replace(QStringLiteral("小于等于17"), QStringLiteral("小于等于%1").arg(game.smallMax));
    // The examples are six-number draws. Five numbers drop the last, seven add one past it; either
    // way the counts the lines give stay right.
    if (game.frontPicks == 5) {
        for (QString& line : lines)
            line.replace(QStringLiteral("11，19则"), QStringLiteral("11则"))
                .replace(QStringLiteral("12，20则"), QStringLiteral("12则"))
                .replace(QStringLiteral("08,10，则"), QStringLiteral("08，则"));
    } else if (game.frontPicks == 7) {
        for (QString& line : lines)
            line.replace(QStringLiteral("11，19则"), QStringLiteral("11，19，25则"))
                .replace(QStringLiteral("12，20则"), QStringLiteral("12，20，26则"))
                .replace(QStringLiteral("08,10，则"), QStringLiteral("08,10,15，则"));
    }
    return lines;
}
