#include "ui/charts/ChartPages.h"

#include "ui/charts/AnalysisPage.h"
#include "ui/charts/ChartPage.h"
#include "ui/charts/EmptyRowColPage.h"
#include "ui/charts/GannPage.h"
#include "ui/charts/OmissionPage.h"
#include "ui/charts/RotationPage.h"
#include "ui/charts/SalesPoolPage.h"
#include "ui/charts/StatsPage.h"
#include "ui/charts/TrendPage.h"
#include "ui/charts/ZonePage.h"

namespace {

// The page of a sheet: its kind picks the control; a few sheets add widgets of their own.
TChartPage* createPage(const ChartSheet& sheet, const TCodeArr& history, QWidget* parent) {
    switch (sheet.number) {
    case 2:
        return new TZonePage(history, parent);
    case 5:
        return new TBigSmallPage(history, parent);
    case 8:
        return new TRotationPage(history, parent);
    case 13:
        return new TAnalysisPage(history, parent);
    default:
        break;
    }
    switch (sheet.kind) {
    case ChartKind::Grid:
        return new TTrendPage(history, sheet.number, parent);
    case ChartKind::Bars:
        return new TStatsPage(history, sheet.number == 7 ? TStatsPage::Red : TStatsPage::Blue, parent);
    case ChartKind::Boards:
        return sheet.number == 6 ? static_cast<TChartPage*>(new TEmptyRowColPage(history, parent))
                                 : new TGannPage(history, parent);
    case ChartKind::Tables:
        return new TOmissionPage(history, parent);
    case ChartKind::Lines:
        return new TSalesPoolPage(history, parent);
    }
    return new TChartPage(history, sheet.number, parent);
}

} // namespace

TChartPages::TChartPages(const TCodeArr& history, QWidget* parent) : QTabWidget(parent), m_history(history) {
    setObjectName(QStringLiteral("GridPctl"));
    for (const ChartSheet& sheet : ChartSheets) {
        TChartPage* page = createPage(sheet, m_history, this);
        addTab(page, sheet.title(page->game()));
    }
    // Until a chart command picks another sheet, the omission statistics are in front.
    setCurrentIndex(InitialSheet);
}

void TChartPages::showSheet(int index) {
    if (index < 0 || index >= count()) return;
    if (index == currentIndex() && isVisible()) {
        currentSheet()->refill();
        return;
    }
    setCurrentIndex(index);
}

TChartPage* TChartPages::sheet(int index) const {
    return qobject_cast<TChartPage*>(widget(index));
}

TChartPage* TChartPages::currentSheet() const {
    return qobject_cast<TChartPage*>(currentWidget());
}

void TChartPages::setGame(const Game& game) {
    for (int i = 0; i < count(); ++i) {
        sheet(i)->setGame(game);
        setTabText(i, ChartSheets[size_t(i)].title(game));
    }
}

void TChartPages::setFigures(const FiguresTable* figures) {
    for (int i = 0; i < count(); ++i)
        if (auto* page = qobject_cast<TSalesPoolPage*>(sheet(i))) page->setFigures(figures);
}

void TChartPages::figuresChanged() {
    for (int i = 0; i < count(); ++i)
        if (auto* page = qobject_cast<TSalesPoolPage*>(sheet(i))) page->figuresChanged();
}
