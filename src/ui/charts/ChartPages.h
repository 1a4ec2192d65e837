#pragma once

#include "engine/charts/ChartSheets.h"
#include "engine/core/CodeRec.h"

#include <QTabWidget>

class TChartPage;
struct FiguresTable;

// The chart page control GridPctl: the sheets of the engine's table in page-index order. Each sheet
// rebuilds its chart whenever it becomes the visible page.
class TChartPages : public QTabWidget {
    Q_OBJECT
  public:
    static constexpr int SheetCount = ChartSheetCount;
    static constexpr int InitialSheet = 10; // "遗漏统计图"

    TChartPages(const TCodeArr& history, QWidget* parent = nullptr);

    // Brings the sheet of page index (0..SheetCount - 1) to the front; -1 keeps the current sheet. Asking for
    // the sheet already in front while the control is visible rebuilds it, as a fresh visit would.
    void showSheet(int index);

    // Sheet of page index 0..SheetCount - 1 (nullptr outside).
    TChartPage* sheet(int index) const;
    TChartPage* currentSheet() const;

    // Every sheet and its tab show `game` (the history holds its draws now); the sheet in view
    // rebuilds.
    void setGame(const Game& game);
    // The draw figures the sheets that read them show (the data panel's; they stay valid).
    void setFigures(const FiguresTable* figures);

  public slots:
    // The figures changed: a sheet of them in view is drawn again.
    void figuresChanged();

  private:
    const TCodeArr& m_history;
};
