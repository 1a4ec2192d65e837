#include "engine/charts/H2NetModel.h"

#include <QJsonArray>
#include <QtDebug>

H2NetModel::H2NetModel() {
    Clear();
}

void H2NetModel::Clear() {
    FFixColor = DefaultFixColor;
    FFixRowCount = 0;
    FColWidthArr.clear();
    FRowHeight = 20;
    FLineWidth = 1;
    FColsCount = 0;
    FDynRows = 0;
    FCells.clear();
    FCellColors.clear();
    FMerges.clear();
}

void H2NetModel::SetDimension(int ACols, int ADynRows, int AFixRows, const QList<int>& AColWidths) {
    FColsCount = std::max(ACols, 0);
    FDynRows = std::max(ADynRows, 0);
    FFixRowCount = std::max(AFixRows, 0);
    const qsizetype n = qsizetype(FColsCount) * (FDynRows + FFixRowCount);
    FCells = QStringList(n, QString());
    FCellColors.assign(size_t(n), clWindow);
    FColWidthArr = AColWidths.mid(0, FColsCount);
    while (FColWidthArr.size() < FColsCount)
        FColWidthArr.append(0);
}

void H2NetModel::report(const QString& text) const {
    FOnIndexError.report(text);
}

bool H2NetModel::cellIndex(int ARow, int ACol, qsizetype& index) const {
    if (ARow < 0 || ACol < 0 || ACol >= FColsCount || ARow >= rowCount()) return false;
    index = ACol + qsizetype(ARow) * FColsCount;
    return true;
}

void H2NetModel::SetValue(int ARow, int ACol, const QString& Text) {
    if (ACol < 0 || ACol >= FColsCount) report(QStringLiteral("SetValue x>=FColsCount "));
    if (ARow < 0 || ARow >= rowCount()) report(QStringLiteral("SetValue y>=FDynRows+FFixRowCount "));
    qsizetype i;
    if (cellIndex(ARow, ACol, i)) FCells[i] = Text;
}

QString H2NetModel::GetValue(int ARow, int ACol) const {
    if (ACol < 0 || ACol >= FColsCount) report(QStringLiteral("GetValue x>=FColsCount "));
    if (ARow < 0 || ARow >= rowCount()) report(QStringLiteral("GetValue y>=FDynRows+FFixRowCount "));
    qsizetype i;
    return cellIndex(ARow, ACol, i) ? FCells[i] : QString();
}

void H2NetModel::SetCellColor(int ARow, int ACol, TColor Color) {
    qsizetype i;
    if (cellIndex(ARow, ACol, i)) FCellColors[size_t(i)] = Color;
}

TColor H2NetModel::GetCellColor(int ARow, int ACol) const {
    qsizetype i;
    return cellIndex(ARow, ACol, i) ? FCellColors[size_t(i)] : clWindow;
}

void H2NetModel::SetMergeCount(int N) {
    FMerges.assign(size_t(std::max(N, 0)), TMergeRec{});
}

void H2NetModel::SetMerge(int Index, bool Active, QPoint TopLeft, QPoint BottomRight, const QString& Text,
                          TColor Color) {
    if (Index < 0 || Index >= mergeCount()) return;
    FMerges[size_t(Index)] = TMergeRec{Active, TopLeft, BottomRight, Text, Color};
}

TMergeRec H2NetModel::GetMerge(int Index) const {
    if (Index < 0 || Index >= mergeCount()) return {};
    return FMerges[size_t(Index)];
}

int H2NetModel::LeftOfCol(int ACol) const {
    if (ACol > FColWidthArr.size()) report(QStringLiteral("ACol>Length(FColWidthArr)"));
    int x = 1;
    const int n = std::min<int>(ACol, int(FColWidthArr.size()));
    for (int i = 0; i < n; ++i)
        x += FColWidthArr[i] + FLineWidth;
    return x;
}

int H2NetModel::TopOfRow(int ARow, bool scrolled, int topRow) const {
    const int r = scrolled ? ARow - topRow : ARow;
    return 1 + r * (FRowHeight + FLineWidth);
}

TNetRect H2NetModel::RectOfCell(int ARow, int ACol, bool scrolled, int topRow) const {
    int width = 0;
    if (ACol >= FColWidthArr.size())
        report(QStringLiteral("RectOfCell ACol>Length(FColWidthArr)"));
    else if (ACol >= 0)
        width = FColWidthArr[ACol];
    TNetRect r;
    r.Left = LeftOfCol(std::min<int>(ACol, int(FColWidthArr.size())));
    r.Right = r.Left + width;
    r.Top = TopOfRow(ARow, scrolled, topRow);
    r.Bottom = r.Top + FRowHeight;
    return r;
}

QJsonObject H2NetModel::toJson() const {
    QJsonArray widths;
    for (int w : FColWidthArr)
        widths.append(w);
    QJsonArray cells, colors;
    for (int r = 0; r < rowCount(); ++r) {
        QJsonArray rowCells, rowColors;
        for (int c = 0; c < FColsCount; ++c) {
            const qsizetype i = c + qsizetype(r) * FColsCount;
            rowCells.append(FCells[i]);
            rowColors.append(ColorToJson(FCellColors[size_t(i)]));
        }
        cells.append(rowCells);
        colors.append(rowColors);
    }
    QJsonArray merges;
    for (const TMergeRec& m : FMerges) {
        merges.append(QJsonObject{{"active", m.Active},
                                  {"left", m.TopLeft.x()},
                                  {"top", m.TopLeft.y()},
                                  {"right", m.BottomRight.x()},
                                  {"bottom", m.BottomRight.y()},
                                  {"text", m.Text},
                                  {"color", ColorToJson(m.Color)}});
    }
    return QJsonObject{
        {"kind", "grid"},       {"fontSize", FFontSize}, {"cols", FColsCount}, {"fixedRows", FFixRowCount},
        {"dataRows", FDynRows}, {"colWidths", widths},   {"cells", cells},     {"colors", colors},
        {"merges", merges}};
}
