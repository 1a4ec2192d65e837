#include "charts/BoardPage.h"

#include "controls/B0Net.h"

#include <QScrollArea>
#include <QVBoxLayout>

TBoardPage::TBoardPage(const TCodeArr& history, int sheet, QWidget* parent)
    : TChartPage(history, sheet, parent) {
    m_scrollBox = new QScrollArea(body());
    m_scrollBox->setObjectName(objectName() + QStringLiteral("ScrollBox"));
    m_scrollBox->setFrameShape(QFrame::NoFrame);
    m_scrollBox->setBackgroundRole(QPalette::Base);
    m_scrollBox->setWidgetResizable(false);
    m_boardArea = new QWidget;
    m_boardArea->setBackgroundRole(QPalette::Base);
    m_boardArea->resize(0, 0);
    m_scrollBox->setWidget(m_boardArea);
    bodyLayout()->addWidget(m_scrollBox);
}

void TBoardPage::freeBoards() {
    qDeleteAll(m_nets);
    m_nets.clear();
    m_boardArea->resize(0, 0);
}

void TBoardPage::fillPage(int n) {
    // The old boards go first; when n is refused the page stays empty.
    freeBoards();
    const B0NetBoards boards = std::get<B0NetBoards>(fillModel(n));

    QRect area;
    for (const B0NetModel& m : boards.boards)
        area = area.united(m.bounds());
    m_boardArea->resize(area.right() + 1, area.bottom() + 1);

    m_nets.reserve(qsizetype(boards.boards.size()));
    for (const B0NetModel& m : boards.boards) {
        auto* board = new TB0Net(m_boardArea);
        board->setModel(m);
        board->show();
        // Each board appears as soon as it is built, so a long page fills visibly.
        board->repaint();
        m_nets.append(board);
    }
    m_scrollBox->viewport()->update();
}
