#include "ui/charts/BoardPage.h"

#include "ui/controls/B0NetView.h"

#include "paint/ChartPaint.h"

#include <QVBoxLayout>

TBoardPage::TBoardPage(const TCodeArr& history, int sheet, QWidget* parent)
    : TChartPage(history, sheet, parent) {
    m_view = new TB0NetView(body());
    m_view->setObjectName(objectName() + QStringLiteral("ScrollBox"));
    bodyLayout()->addWidget(m_view);
}

const std::vector<B0NetModel>& TBoardPage::boards() const {
    return m_view->models();
}

void TBoardPage::fillPage(int n) {
    // The old boards go first; when n is refused the page stays empty.
    m_view->clear();
    ChartModel model = fillModel(n);
    m_view->setModels(std::move(std::get<B0NetBoards>(model).boards));
}

void TBoardPage::clearPage() {
    m_view->clear();
}

std::optional<TChartPicture> TBoardPage::picture() const {
    return TChartPicture(B0NetBoards{boards()}, m_view->font());
}
