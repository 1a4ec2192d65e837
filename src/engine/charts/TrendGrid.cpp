#include "engine/charts/TrendGrid.h"

#include "engine/core/Pools.h"
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

int FirstBlue(const TCodeRec& ticket) {
    for (int b = 0; b < Pools::kBluePool; ++b)
        if (ticket.Blue[b]) return b + 1;
    return 0;
}

void BeginTrendGrid(H2NetModel& model, int fontSize, int n, const QList<int>& widths) {
    model.FFontSize = fontSize;
    model.SetDimension(int(widths.size()), n + 1, 2, widths);
}

void SetTrendCaptions(H2NetModel& model, std::initializer_list<TrendCaption> captions) {
    model.SetMergeCount(int(captions.size()));
    int i = 0;
    for (const TrendCaption& c : captions)
        model.SetMerge(i++, true, QPoint(c.left, c.top), QPoint(c.right, c.bottom), QString::fromUtf8(c.text),
                       model.FFixColor);
}

void SetHeaderRun(H2NetModel& model, int firstCol, int count, int first) {
    for (int k = 0; k < count; ++k)
        model.SetValue(1, firstCol + k, PlainText(first + k));
}

void WriteDrawHead(H2NetModel& model, int row, const TDrawRec& draw, bool reds, int blueCol) {
    model.SetValue(row, 0, IssueText(draw));
    if (reds)
        for (int k = 0; k < Pools::kRedPicks; ++k)
            model.SetValue(row, 1 + k, TwoDigitText(draw.Ticket.Red[k]));
    if (const int b = FirstBlue(draw.Ticket)) model.SetValue(row, blueCol, TwoDigitText(b));
}

void WriteTotalsRow(H2NetModel& model, int n, const int* totals, int from, int to) {
    const int row = n + 2;
    for (int c = 0; c < model.colsCount(); ++c)
        model.SetCellColor(row, c, TrendTotalsColor);
    model.SetValue(row, 0, QStringLiteral("合计"));
    for (int c = from; c <= to; ++c)
        model.SetValue(row, c, PlainText(totals[c]));
}
