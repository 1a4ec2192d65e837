#include "ui/charts/OmissionPage.h"

#include "engine/charts/OmissionChart.h"
#include "ui/controls/B0Net.h"

#include "paint/ChartPaint.h"

#include <QEvent>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

TOmissionPage::TOmissionPage(const TCodeArr& history, QWidget* parent) : TChartPage(history, 11, parent) {
    m_scrollBox = new QScrollArea(body());
    m_scrollBox->setObjectName(QStringLiteral("ExTabSheet11ScrollBox"));
    m_scrollBox->setFrameShape(QFrame::NoFrame);
    m_scrollBox->setBackgroundRole(QPalette::Base);
    m_scrollBox->setWidgetResizable(false);
    // The tables are always taller than the box; a fixed scroll bar keeps the width they are centred in.
    m_scrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_tableArea = new QWidget;
    m_tableArea->setBackgroundRole(QPalette::Base);
    m_net1 = new TB0Net(m_tableArea);
    m_net1->setObjectName(QStringLiteral("ExTabSheet11Net1"));
    m_net2 = new TB0Net(m_tableArea);
    m_net2->setObjectName(QStringLiteral("ExTabSheet11Net2"));
    m_scrollBox->setWidget(m_tableArea);
    bodyLayout()->addWidget(m_scrollBox);
    // The box gets its final width only once laid out (after the first visit's fill) and again
    // whenever the window changes: the tables follow its centre every time.
    m_scrollBox->viewport()->installEventFilter(this);
}

bool TOmissionPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_scrollBox->viewport() && event->type() == QEvent::Resize) centreTables();
    return TChartPage::eventFilter(watched, event);
}

void TOmissionPage::centreTables() {
    const int width = tableAreaWidth();
    const int left = (width - OmissionTableWidth) / 2;
    for (TB0Net* net : {m_net1, m_net2})
        if (net->x() != left) net->move(left, net->y());
    m_tableArea->resize(width, m_net2->geometry().bottom() + 10);
}

ChartArgs TOmissionPage::chartArgs(int n) const {
    // A box narrower than the tables would push them off its left edge: they start at 0 then.
    return {n, 1, tableAreaWidth()};
}

int TOmissionPage::tableAreaWidth() const {
    return std::max(m_scrollBox->viewport()->width(), OmissionTableWidth);
}

void TOmissionPage::fillPage(int n) {
    const OmissionTables tables = std::get<OmissionTables>(fillModel(n));
    m_net1->setModel(tables.red);
    m_net2->setModel(tables.blue);
    centreTables();
}

void TOmissionPage::clearPage() {
    m_net1->setModel(B0NetModel());
    m_net2->setModel(B0NetModel());
}

std::optional<TChartPicture> TOmissionPage::picture() const {
    return TChartPicture(OmissionTables{m_net1->model(), m_net2->model()}, m_net1->font());
}
