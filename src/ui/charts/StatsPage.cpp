#include "ui/charts/StatsPage.h"

#include "ui/controls/G2Net.h"

#include "paint/ChartPaint.h"

#include <QScrollArea>
#include <QVBoxLayout>

TStatsPage::TStatsPage(const TCodeArr& history, Kind kind, QWidget* parent)
    : TChartPage(history, kind == Red ? 7 : 10, parent), m_kind(kind) {
    // The chart is at least the size it asks for, so a page narrower than the 33 groups scrolls
    // sideways; a larger page gets wider bars and taller steps.
    auto* box = new QScrollArea(body());
    box->setObjectName(objectName() + QStringLiteral("ScrollBox"));
    box->setFrameShape(QFrame::NoFrame);
    box->setWidgetResizable(true);
    m_net = new TG2Net;
    m_net->setObjectName(kind == Red ? QStringLiteral("ExTabSheet7Net") : QStringLiteral("ExTabSheet10Net"));
    m_net->setMaxStretch(MaxBarStretch);
    box->setWidget(m_net);
    bodyLayout()->addWidget(box);
}

void TStatsPage::fillPage(int n) {
    m_net->setModel(std::get<G2NetModel>(fillModel(n)));
    m_net->setMinimumSize(m_net->sizeHint());
}

void TStatsPage::clearPage() {
    m_net->setModel(G2NetModel());
    m_net->setMinimumSize(0, 0);
}

std::optional<TChartPicture> TStatsPage::picture() const {
    return TChartPicture(m_net->baseModel(), m_net->font());
}
