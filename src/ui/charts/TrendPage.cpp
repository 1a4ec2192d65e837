#include "ui/charts/TrendPage.h"

#include "engine/charts/TrendOmission.h"
#include "paint/ChartPaint.h"
#include "ui/controls/H2Net.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

TTrendPage::TTrendPage(const TCodeArr& history, int sheet, QWidget* parent)
    : TChartPage(history, sheet, parent) {
    m_net = new TH2Net(body());
    m_net->setObjectName(objectName() + QStringLiteral("Net"));
    m_net->setFont(ChartFont(ChartKind::Grid, m_net->font()));
    // A maximised window widens the cells rather than leaving the grid small at its left.
    m_net->setMaxStretch(MaxGridStretch);
    m_showOmission = new QCheckBox(QStringLiteral("显示遗漏"));
    m_showOmission->setObjectName(objectName() + QStringLiteral("OmissionChk"));
    topBar()->insertWidget(0, m_showOmission);
    connect(m_showOmission, &QCheckBox::toggled, this, &TTrendPage::showModel);
    bodyLayout()->addWidget(m_net, 1);
}

void TTrendPage::fillPage(int n) {
    m_filled = std::get<H2NetModel>(fillModel(n));
    m_shownDraws = n;
    m_before.reset();
    showModel();
}

void TTrendPage::clearPage() {
    m_filled = H2NetModel();
    m_shownDraws = 0;
    m_before.reset();
    showModel();
}

const std::vector<int>& TTrendPage::omissionBefore() {
    if (!m_before) {
        const int all = int(m_history.size());
        m_before = m_shownDraws > 0 && m_shownDraws < all
                       ? OmissionBefore(std::get<H2NetModel>(fillModel(all)), m_shownDraws)
                       : std::vector<int>();
    }
    return *m_before;
}

void TTrendPage::showModel() {
    const bool counts = m_showOmission->isChecked();
    m_net->setOmissionBefore([this]() -> const std::vector<int>& { return omissionBefore(); });
    m_net->setModel(counts ? WithOmissionCounts(m_filled, omissionBefore(),
                                                OmissionColumns(sheetNumber(), m_filled, game()))
                           : m_filled);
    // A count in a cell is an omission, not a mark: hovering reads the grid without them.
    m_net->setHoverSource(counts ? &m_filled : nullptr);
}

TRedTrendPage::TRedTrendPage(const TCodeArr& history, QWidget* parent) : TTrendPage(history, 1, parent) {}

TTailPage::TTailPage(const TCodeArr& history, QWidget* parent) : TTrendPage(history, 3, parent) {}

TOddEvenPage::TOddEvenPage(const TCodeArr& history, QWidget* parent) : TTrendPage(history, 4, parent) {}

TBigSmallPage::TBigSmallPage(const TCodeArr& history, QWidget* parent) : TTrendPage(history, 5, parent) {
    // Seen before the grid's own hover texts, which say nothing over the header rows.
    net()->viewport()->installEventFilter(this);
}

QString TBigSmallPage::headerToolTip(const Game& game) {
    // The second small example is the largest number of the pool (up to 33) that ends in 0..4.
    int small = std::min(game.frontPool, 33);
    while (small % 10 >= 5)
        --small;
    return QStringLiteral("大小看号码的尾数（个位数）：尾数5～9为大（D），0～4为小（X）。\n"
                          "例如 15、29 为大，20、%1 为小。统计分析表和缩水条件的大小比另按号码大小计算。")
        .arg(small);
}

bool TBigSmallPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == net()->viewport() && event->type() == QEvent::ToolTip) {
        const H2NetLayout& layout = net()->layout();
        const auto* help = static_cast<QHelpEvent*>(event);
        // Any column will do: the whole header row tells the same.
        const int x = layout.ColLefts.empty() ? -1 : layout.ColLefts.front() + 1;
        const QPoint cell = H2NetCellAt(net()->model(), layout, QPoint(x, help->pos().y()));
        if (cell.y() >= 0 && cell.y() < net()->model().fixRowCount()) {
            QToolTip::showText(help->globalPos(), headerToolTip(game()), net()->viewport());
            return true;
        }
    }
    return TTrendPage::eventFilter(watched, event);
}

TBlueTrendPage::TBlueTrendPage(const TCodeArr& history, QWidget* parent) : TTrendPage(history, 9, parent) {}

std::optional<TChartPicture> TTrendPage::picture() const {
    return TChartPicture(m_net->model(), m_net->font());
}
