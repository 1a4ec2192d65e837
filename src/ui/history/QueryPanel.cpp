#include "ui/history/QueryPanel.h"

#include "engine/prize/DrawFigures.h"

#include "engine/history/Query.h"
#include "ui/history/PrintLines.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace {

QSpinBox* unboundedSpin(QWidget* parent, const QString& name, int value, int minWidth) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(INT_MIN, INT_MAX);
    spin->setValue(value);
    spin->setMinimumWidth(minWidth);
    return spin;
}

} // namespace

TQueryPanel::TQueryPanel(const TCodeArr& history, QWidget* parent) : QWidget(parent), History(history) {
    setObjectName(QStringLiteral("SqlPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* strip = new QWidget(this);
    strip->setMinimumHeight(33);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(6, 2, 6, 2);
    Label2 = new QLabel(QStringLiteral("查询第"), strip);
    Label2->setObjectName(QStringLiteral("Label2"));
    SqlSe1 = unboundedSpin(strip, QStringLiteral("SqlSe1"), FirstQueryIssue(Game::ssq()), 100);
    SqlSe2 = unboundedSpin(strip, QStringLiteral("SqlSe2"), 30, 70);
    SqlChk1 = new QCheckBox(QStringLiteral("开奖号"), strip);
    SqlChk1->setObjectName(QStringLiteral("SqlChk1"));
    SqlChk1->setChecked(true);
    SqlChk1->hide();
    SqlChk2 = new QCheckBox(QStringLiteral("试机号"), strip);
    SqlChk2->setObjectName(QStringLiteral("SqlChk2"));
    SqlChk2->hide();
    SqlBt = new QPushButton(QStringLiteral("查询"), strip);
    SqlBt->setObjectName(QStringLiteral("SqlBt"));
    PrintBt = new QPushButton(QStringLiteral("打印"), strip);
    PrintBt->setObjectName(QStringLiteral("PrintBt"));
    row->addWidget(Label2);
    row->addWidget(SqlSe1);
    row->addWidget(new QLabel(QStringLiteral("期起总共"), strip));
    row->addWidget(SqlSe2);
    row->addWidget(new QLabel(QStringLiteral("期的开奖号"), strip));
    row->addSpacing(12);
    row->addWidget(SqlBt);
    row->addWidget(PrintBt);
    row->addStretch(1);
    layout->addWidget(strip);

    SqlMemo = new QPlainTextEdit(this);
    SqlMemo->setObjectName(QStringLiteral("SqlMemo"));
    SqlMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    SqlMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(SqlMemo, 1);

    connect(SqlBt, &QPushButton::clicked, this, &TQueryPanel::SqlBtClick);
    // Enter in either edit runs the query.
    for (QSpinBox* spin : {SqlSe1, SqlSe2})
        connect(spin->findChild<QLineEdit*>(), &QLineEdit::returnPressed, this, &TQueryPanel::SqlBtClick);
    connect(PrintBt, &QPushButton::clicked, this, &TQueryPanel::PrintBtClick);
}

void TQueryPanel::setGame(const Game& game) {
    if (&game == m_game) return;
    m_queryOfGame[m_game->keyText()] = {SqlSe1->value(), SqlSe2->value()};
    m_game = &game;
    const auto [from, count] = m_queryOfGame.value(game.keyText(), {FirstQueryIssue(game), 30});
    SqlSe1->setValue(from);
    SqlSe2->setValue(count);
    SqlMemo->clear();
    if (!isHidden()) openOnNewest();
}

void TQueryPanel::setVisible(bool visible) {
    QWidget::setVisible(visible);
    if (visible) openOnNewest();
}

void TQueryPanel::openOnNewest() {
    // Without draws there is nothing to start from yet: the next visit tries again.
    if (m_openedGames.contains(m_game->keyText()) || History.empty()) return;
    m_openedGames.insert(m_game->keyText());
    const int count = SqlSe2->value() > 0 ? SqlSe2->value() : 30;
    SqlSe2->setValue(count);
    SqlSe1->setValue(History[History.size() - std::min(History.size(), size_t(count))].code());
    SqlBtClick();
    // The newest draw is the last line: in view even when the list is taller than the panel.
    SqlMemo->moveCursor(QTextCursor::End);
    SqlMemo->verticalScrollBar()->setValue(SqlMemo->verticalScrollBar()->maximum());
}

void TQueryPanel::SqlBtClick() {
    SqlMemo->clear();
    if (!SqlChk1->isChecked() && !SqlChk2->isChecked()) return;
    const QStringList lines = QueryHistory(History, SqlSe1->value(), SqlSe2->value(), *m_game,
                                           [this](const TDrawRec& draw, QStringList& more) {
                                               if (!m_figures) return;
                                               if (const DrawFigures* f = m_figures->find(draw.code()))
                                                   more << FiguresQueryLines(*m_game, *f);
                                           });
    if (!lines.isEmpty()) SqlMemo->setPlainText(lines.join(QLatin1Char('\n')));
}

void TQueryPanel::PrintBtClick() {
    const QString text = SqlMemo->toPlainText();
    const QStringList lines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    PrintLines(this, lines, QStringLiteral("Kelvora %1开奖查询").arg(m_game->nameText()), 12);
}
