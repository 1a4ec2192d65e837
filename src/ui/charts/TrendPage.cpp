#include "charts/TrendPage.h"

#include "controls/H2Net.h"

#include <QVBoxLayout>

TTrendPage::TTrendPage(const TCodeArr& history, int sheet, QWidget* parent)
    : TChartPage(history, sheet, parent) {
    m_net = new TH2Net(body());
    m_net->setObjectName(objectName() + QStringLiteral("Net"));
    // Two bold digits must fit a 16-pixel column: narrow Latin digits, Chinese from the fallback.
    QFont font = m_net->font();
    font.setFamilies(
        {QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("DejaVu Sans Condensed"), font.family()});
    m_net->setFont(font);
    bodyLayout()->addWidget(m_net, 1);
}

void TTrendPage::fillPage(int n) {
    m_net->setModel(std::get<H2NetModel>(fillModel(n)));
}

TRedTrendPage::TRedTrendPage(const TCodeArr& history, QWidget* parent) : TTrendPage(history, 1, parent) {}

TTailPage::TTailPage(const TCodeArr& history, QWidget* parent) : TTrendPage(history, 3, parent) {}

TOddEvenPage::TOddEvenPage(const TCodeArr& history, QWidget* parent) : TTrendPage(history, 4, parent) {}

TBigSmallPage::TBigSmallPage(const TCodeArr& history, QWidget* parent) : TTrendPage(history, 5, parent) {}

TBlueTrendPage::TBlueTrendPage(const TCodeArr& history, QWidget* parent) : TTrendPage(history, 9, parent) {}
