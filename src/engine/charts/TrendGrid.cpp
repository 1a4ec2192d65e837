#include "engine/charts/TrendGrid.h"

#include "engine/metrics/Code.h"

#include <array>

const QString& TwoDigitText(int value) {
    static const std::array<QString, 100> texts = [] {
        std::array<QString, 100> t;
        for (int i = 0; i < 100; ++i)
            t[size_t(i)] = NumToText(i, 2, true);
        return t;
    }();
    static const QString none;
    return value >= 0 && value < 100 ? texts[size_t(value)] : none;
}

QString PlainText(int value) {
    static const std::array<QString, 100> texts = [] {
        std::array<QString, 100> t;
        for (int i = 0; i < 100; ++i)
            t[size_t(i)] = QString::number(i);
        return t;
    }();
    return value >= 0 && value < 100 ? texts[size_t(value)] : QString::number(value);
}

QString IssueText(const TDrawRec& draw) {
    return NumToText(draw.Year, 4, true) + NumToText(draw.Issue, 3, true);
}

int SideNumbers(const TCodeRec& ticket, const Game& game, int (&side)[MaxSidePicks]) {
    static_assert(MaxSidePicks >= 1, "room for a special number");
    int count = 0;
    for (int b = 0; b < game.backPool && count < game.backPicks; ++b)
        if (ticket.Blue[b]) side[count++] = b + 1;
    if (game.specialPicks && ticket.Special >= 1 && ticket.Special <= game.frontPool && count < MaxSidePicks)
        side[count++] = ticket.Special;
    return count;
}

QString SideText(const TCodeRec& ticket, const Game& game) {
    int side[MaxSidePicks];
    const int count = SideNumbers(ticket, game, side);
    if (count == 1) return TwoDigitText(side[0]);
    QString text;
    for (int k = 0; k < count; ++k) {
        if (k > 0) text += u' ';
        text += TwoDigitText(side[k]);
    }
    return text;
}

QString ChartWords(const char* utf8, const Game& game) {
    QString text = QString::fromUtf8(utf8);
    text.replace(QStringLiteral("红球"), game.front()).replace(QStringLiteral("蓝球"), game.side());
    // A front word ending in 号 takes 码, not 号码: "基本号码".
    return text.replace(QStringLiteral("号号码"), QStringLiteral("号码"));
}

void BeginTrendGrid(H2NetModel& model, int fontSize, int n, const QList<int>& widths) {
    model.FFontSize = fontSize;
    model.SetDimension(int(widths.size()), n + 1, 2, widths);
}

void SetTrendCaptions(H2NetModel& model, std::initializer_list<TrendCaption> captions, const Game& game) {
    model.SetMergeCount(int(captions.size()));
    int i = 0;
    for (const TrendCaption& c : captions)
        model.SetMerge(i++, true, QPoint(c.left, c.top), QPoint(c.right, c.bottom), ChartWords(c.text, game),
                       model.FFixColor);
}

void SetHeaderRun(H2NetModel& model, int firstCol, int count, int first) {
    for (int k = 0; k < count; ++k)
        model.SetValue(1, firstCol + k, PlainText(first + k));
}

void WriteDrawHead(H2NetModel& model, int row, const TDrawRec& draw, bool reds, int blueCol,
                   const Game& game) {
    model.SetValue(row, 0, IssueText(draw));
    if (reds)
        for (int k = 0; k < game.frontPicks; ++k)
            model.SetValue(row, 1 + k, TwoDigitText(draw.Ticket.Red[k]));
    const QString side = SideText(draw.Ticket, game);
    if (!side.isEmpty()) model.SetValue(row, blueCol, side);
}

void WriteTotalsRow(H2NetModel& model, int n, const int* totals, int from, int to) {
    const int row = n + 2;
    for (int c = 0; c < model.colsCount(); ++c)
        model.SetCellColor(row, c, TrendTotalsColor);
    model.SetValue(row, 0, QStringLiteral("合计"));
    for (int c = from; c <= to; ++c)
        model.SetValue(row, c, PlainText(totals[c]));
}
