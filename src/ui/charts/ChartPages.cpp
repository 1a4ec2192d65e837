#include "charts/ChartPages.h"

#include "charts/AnalysisPage.h"
#include "charts/ChartPage.h"
#include "charts/EmptyRowColPage.h"
#include "charts/GannPage.h"
#include "charts/OmissionPage.h"
#include "charts/RotationPage.h"
#include "charts/StatsPage.h"
#include "charts/TrendPage.h"
#include "charts/ZonePage.h"

TChartPages::TChartPages(const TCodeArr& history, QWidget* parent) : QTabWidget(parent), m_history(history) {
    setObjectName(QStringLiteral("GridPctl"));
    for (int i = 0; i < SheetCount; ++i) {
        const QString caption = QString::fromUtf8(ChartSheetCaptions[i]);
        TChartPage* page = nullptr;
        switch (i + 1) {
        case 1:
            page = new TRedTrendPage(m_history, this);
            break;
        case 2:
            page = new TZonePage(m_history, this);
            break;
        case 3:
            page = new TTailPage(m_history, this);
            break;
        case 4:
            page = new TOddEvenPage(m_history, this);
            break;
        case 5:
            page = new TBigSmallPage(m_history, this);
            break;
        case 6:
            page = new TEmptyRowColPage(m_history, this);
            break;
        case 7:
            page = new TStatsPage(m_history, TStatsPage::Red, this);
            break;
        case 8:
            page = new TRotationPage(m_history, this);
            break;
        case 9:
            page = new TBlueTrendPage(m_history, this);
            break;
        case 10:
            page = new TStatsPage(m_history, TStatsPage::Blue, this);
            break;
        case 11:
            page = new TOmissionPage(m_history, this);
            break;
        case 12:
            page = new TGannPage(m_history, this);
            break;
        case 13:
            page = new TAnalysisPage(m_history, this);
            break;
        default:
            page = new TChartPage(m_history, caption, this);
            break;
        }
        addTab(page, caption);
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
