#include "charts/TrendPage.h"

#include "charts/BlueTrend.h"
#include "charts/ParityCharts.h"
#include "charts/RedTrend.h"
#include "charts/TailChart.h"
#include "controls/H2Net.h"

#include <QVBoxLayout>

TTrendPage::TTrendPage(const TCodeArr& history, const QString& caption, TrendFillFn fill, QWidget* parent)
    : TChartPage(history, caption, parent), m_fill(fill) {
    m_net = new TH2Net(body());
    m_net->setObjectName(objectName() + QStringLiteral("Net"));
    // Two bold digits must fit a 16-pixel column: narrow Latin digits, Chinese from the fallback.
    QFont font = m_net->font();
    font.setFamilies(
        {QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("DejaVu Sans Condensed"), font.family()});
    m_net->setFont(font);
    bodyLayout()->addWidget(m_net, 1);
}

H2NetModel TTrendPage::buildModel(int n) {
    return m_fill ? m_fill(m_history, n) : H2NetModel();
}

void TTrendPage::fillPage(int n) {
    m_net->setModel(buildModel(n));
}

TRedTrendPage::TRedTrendPage(const TCodeArr& history, QWidget* parent)
    : TTrendPage(history, QStringLiteral("红球走势图"), FillRedTrend, parent) {}

TTailPage::TTailPage(const TCodeArr& history, QWidget* parent)
    : TTrendPage(history, QStringLiteral("尾号走势图"), FillTailChart, parent) {}

TOddEvenPage::TOddEvenPage(const TCodeArr& history, QWidget* parent)
    : TTrendPage(history, QStringLiteral("奇偶走势图"), FillOddEvenChart, parent) {}

TBigSmallPage::TBigSmallPage(const TCodeArr& history, QWidget* parent)
    : TTrendPage(history, QStringLiteral("大小走势图"), FillBigSmallChart, parent) {}

TBlueTrendPage::TBlueTrendPage(const TCodeArr& history, QWidget* parent)
    : TTrendPage(history, QStringLiteral("蓝球走势图"), FillBlueTrend, parent) {}
