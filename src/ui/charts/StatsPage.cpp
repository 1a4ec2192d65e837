#include "charts/StatsPage.h"

#include "controls/G2Net.h"

#include <QVBoxLayout>

TStatsPage::TStatsPage(const TCodeArr& history, Kind kind, QWidget* parent)
    : TChartPage(history, kind == Red ? 7 : 10, parent), m_kind(kind) {
    m_net = new TG2Net(body());
    m_net->setObjectName(kind == Red ? QStringLiteral("ExTabSheet7Net") : QStringLiteral("ExTabSheet10Net"));
    bodyLayout()->addWidget(m_net);
}

void TStatsPage::fillPage(int n) {
    m_net->setModel(std::get<G2NetModel>(fillModel(n)));
}
