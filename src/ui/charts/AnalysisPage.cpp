#include "ui/charts/AnalysisPage.h"

#include "engine/charts/AnalysisTable.h"
#include "paint/ChartPaint.h"
#include "ui/controls/H2Net.h"
#include "ui/forms/SmForm.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TAnalysisPage::TAnalysisPage(const TCodeArr& history, QWidget* parent) : TChartPage(history, 13, parent) {
    m_smBt = new QPushButton(QStringLiteral("说明"));
    m_smBt->setObjectName(QStringLiteral("ExTabSheet13SmBt"));
    m_smBt->setFixedSize(57, 22);
    topBar()->insertWidget(0, m_smBt);
    connect(m_smBt, &QPushButton::clicked, this, &TAnalysisPage::ExTabSheet13SmBtClick);

    m_net = new TH2Net(body());
    m_net->setObjectName(QStringLiteral("ExTabSheet13Net"));
    m_net->setFont(ChartFont(ChartKind::Grid, m_net->font()));
    // A maximised window widens the cells rather than leaving the grid small at its left.
    m_net->setMaxStretch(MaxGridStretch);
    bodyLayout()->addWidget(m_net);
}

void TAnalysisPage::fillPage(int n) {
    m_net->setModel(std::get<H2NetModel>(fillModel(n)));
}

void TAnalysisPage::ExTabSheet13SmBtClick() {
    TSmForm& form = TSmForm::instance();
    // One call empties and fills the memo, and leaves it showing the first line.
    form.Memo->setPlainText(AnalysisExplanationLines(game()).join(u'\n'));
    form.ShowExplanation(AnalysisExplanationCaption());
}

void TAnalysisPage::clearPage() {
    m_net->setModel(H2NetModel());
}

std::optional<TChartPicture> TAnalysisPage::picture() const {
    return TChartPicture(m_net->model(), m_net->font());
}
