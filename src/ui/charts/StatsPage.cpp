#include "charts/StatsPage.h"

#include "charts/StatsCharts.h"
#include "controls/G2Net.h"

#include <QVBoxLayout>

TStatsPage::TStatsPage(const TCodeArr& history, Kind kind, QWidget* parent)
    : TChartPage(history, kind == Red ? QStringLiteral("红球统计图") : QStringLiteral("蓝球统计图"), parent),
      m_kind(kind) {
    m_net = new TG2Net(body());
    m_net->setObjectName(kind == Red ? QStringLiteral("ExTabSheet7Net") : QStringLiteral("ExTabSheet10Net"));
    bodyLayout()->addWidget(m_net);
}

void TStatsPage::fillPage(int n) {
    m_net->setModel(m_kind == Red ? FillRedStats(m_history, n) : FillBlueStats(m_history, n));
}
