#include "charts/ChartPages.h"

#include "charts/ChartPage.h"

TChartPages::TChartPages(const TCodeArr& history, QWidget* parent) : QTabWidget(parent), m_history(history) {
    setObjectName(QStringLiteral("GridPctl"));
    for (int i = 0; i < SheetCount; ++i) {
        const QString caption = QString::fromUtf8(ChartSheetCaptions[i]);
        TChartPage* page = nullptr;
        switch (i + 1) {
        default:
            page = new TChartPage(m_history, caption, this);
            break;
        }
        addTab(page, caption);
    }
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
