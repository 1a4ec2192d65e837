#include "ui/shrink/BacktestSheet.h"

#include "engine/shrink/Backtest.h"
#include "ui/CommandGuard.h"
#include "ui/controls/H2Net.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QColor WorstColor(255, 199, 206);
}

TBacktestSheet::TBacktestSheet(const TCodeArr& history, InputReader readInput, QWidget* parent)
    : QWidget(parent), m_history(history), m_readInput(std::move(readInput)) {
    setObjectName(QStringLiteral("RcmSheet5"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("验证期数:"), this));
    PeriodSe = new QSpinBox(this);
    PeriodSe->setObjectName(QStringLiteral("BacktestPeriodSe"));
    PeriodSe->setRange(1, 99999);
    PeriodSe->setValue(100);
    top->addWidget(PeriodSe);
    VerifyBt = new QPushButton(QStringLiteral("验证"), this);
    VerifyBt->setObjectName(QStringLiteral("BacktestVerifyBt"));
    connect(VerifyBt, &QPushButton::clicked, this, &TBacktestSheet::VerifyBtClick);
    top->addWidget(VerifyBt);
    top->addStretch(1);
    layout->addLayout(top);

    SummaryLbl = new QLabel(QStringLiteral("按“验证”用当前的缩水条件检验最近的开奖号码。"), this);
    SummaryLbl->setObjectName(QStringLiteral("BacktestSummaryLbl"));
    SummaryLbl->setWordWrap(true);
    SummaryLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(SummaryLbl);

    auto* splitter = m_splitter = new QSplitter(Qt::Horizontal, this);
    ConditionTable = new QTableWidget(ConditionCount, 6, splitter);
    ConditionTable->setObjectName(QStringLiteral("BacktestConditionTable"));
    ConditionTable->setHorizontalHeaderLabels({QStringLiteral("条件"), QStringLiteral("启用"),
                                               QStringLiteral("通过期数"), QStringLiteral("通过率"),
                                               QStringLiteral("号码通过率"), QStringLiteral("与随机相比")});
    ConditionTable->horizontalHeaderItem(4)->setToolTip(ShrinkBacktestChanceNote(*m_game));
    ConditionTable->horizontalHeaderItem(5)->setToolTip(ShrinkBacktestChanceNote(*m_game));
    ConditionTable->verticalHeader()->setVisible(false);
    ConditionTable->verticalHeader()->setDefaultSectionSize(20);
    ConditionTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ConditionTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int c = 0; c < ConditionCount; ++c)
        ConditionTable->setItem(c, 0, new QTableWidgetItem(ConditionName(c)));
    ConditionTable->resizeColumnsToContents();
    DrawNet = new TH2Net(splitter);
    DrawNet->setObjectName(QStringLiteral("BacktestDrawNet"));
    splitter->addWidget(ConditionTable);
    splitter->addWidget(DrawNet);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
}

void TBacktestSheet::VerifyBtClick() {
    PeriodSe->interpretText();
    const int draws = PeriodSe->value();
    // Computed whole before anything is shown: a refusal leaves the sheet as it was.
    RunGuarded(this, [&] {
        const ShrinkBacktest b = RunShrinkBacktest(m_readInput(), m_history, draws, *m_game);
        display(b);
    });
}

void TBacktestSheet::display(const ShrinkBacktest& b) {
    const int n = b.draws();
    // The active conditions that fail most draws, worst first; only those failing any draw.
    std::vector<int> worst;
    for (int c = 0; c < ConditionCount; ++c)
        if (((b.active >> c) & 1) && b.passed[size_t(c)] < n) worst.push_back(c);
    std::stable_sort(worst.begin(), worst.end(),
                     [&](int x, int y) { return b.passed[size_t(x)] < b.passed[size_t(y)]; });
    if (worst.size() > size_t(WorstShown)) worst.resize(WorstShown);

    for (int c = 0; c < ConditionCount; ++c) {
        const bool on = (b.active >> c) & 1;
        const int passed = b.passed[size_t(c)];
        const QStringList texts{
            ConditionName(c),
            on ? QStringLiteral("是") : QStringLiteral("否"),
            QString::number(passed),
            on ? QString::number(100.0 * passed / n, 'f', 1) + QLatin1Char('%') : QStringLiteral("-"),
            on ? QString::number(100.0 * b.ticketShare[size_t(c)], 'f', 2) + QLatin1Char('%')
               : QStringLiteral("-"),
            ConditionChanceText(b, c)};
        const bool bad = std::find(worst.begin(), worst.end(), c) != worst.end();
        for (int col = 0; col < int(texts.size()); ++col) {
            auto* item = new QTableWidgetItem(texts[col]);
            if (col >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!on) item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
            if (bad) {
                item->setBackground(WorstColor);
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            ConditionTable->setItem(c, col, item);
        }
    }
    ConditionTable->resizeColumnsToContents();
    // The verdict columns are the point of the table: widen it to show them, up to 60% of the room.
    int wanted = 2 * ConditionTable->frameWidth() + ConditionTable->verticalScrollBar()->sizeHint().width();
    for (int col = 0; col < ConditionTable->columnCount(); ++col)
        wanted += ConditionTable->columnWidth(col);
    const QList<int> sizes = m_splitter->sizes();
    const int room = sizes.value(0) + sizes.value(1);
    if (room > 0 && sizes.value(0) < wanted) {
        const int left = std::min(wanted, room * 3 / 5);
        m_splitter->setSizes({left, room - left});
    }

    QStringList worstNames;
    for (int c : worst)
        worstNames << QStringLiteral("%1（淘汰%2期）").arg(ConditionName(c)).arg(n - b.passed[size_t(c)]);
    QString summary =
        QStringLiteral("最近%1期（%2 至 %3）：%4\n全部条件同时满足 %5期（%6%）；各容错保留的期数：%7")
            .arg(n)
            .arg(b.rows.front().issue)
            .arg(b.rows.back().issue)
            .arg(ShrinkBacktestKeptText(b))
            .arg(b.kept)
            .arg(100.0 * b.kept / n, 0, 'f', 1)
            .arg(ToleranceDistributionText(b));
    if (!worstNames.isEmpty())
        summary += QStringLiteral("\n淘汰最多的条件：") + worstNames.join(QStringLiteral("，"));
    for (const QString& line : ShrinkBacktestChanceSummary(b))
        summary += QLatin1Char('\n') + line;
    SummaryLbl->setText(summary);
    DrawNet->setModel(ShrinkBacktestGrid(b, m_history, *m_game));
}

void TBacktestSheet::setGame(const Game& game) {
    if (game.id == m_game->id) return;
    m_game = &game;
    ConditionTable->horizontalHeaderItem(4)->setToolTip(ShrinkBacktestChanceNote(game));
    ConditionTable->horizontalHeaderItem(5)->setToolTip(ShrinkBacktestChanceNote(game));
    for (int c = 0; c < ConditionCount; ++c)
        for (int col = 1; col < ConditionTable->columnCount(); ++col)
            delete ConditionTable->takeItem(c, col);
    SummaryLbl->setText(QStringLiteral("按“验证”用当前的缩水条件检验最近的开奖号码。"));
    DrawNet->setModel(H2NetModel{});
}
