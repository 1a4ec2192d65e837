#include "ui/charts/RotationPage.h"

#include "engine/history/Convert.h"

#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

TRotationPage::TRotationPage(const TCodeArr& history, QWidget* parent) : TTrendPage(history, 8, parent) {
    m_startEdit = new QSpinBox;
    m_startEdit->setObjectName(QStringLiteral("ExTabSheet8StartSe"));
    m_startEdit->setRange(1, game().frontPool);
    m_startEdit->setValue(1);
    m_startEdit->resize(44, 23);
    addTopWidget(m_startEdit, 0, 5);
    // Enter in the start edit does what "查询" does, as in the period edit.
    connect(m_startEdit->findChild<QLineEdit*>(), &QLineEdit::returnPressed, this, [this] { refill(); });
    label()->setText(QStringLiteral("统计最近         期的走势情况，起点为"));
    layoutTopPanel();
}

void TRotationPage::labelFitted() {
    // The start edit follows the label.
    if (m_startEdit) m_startEdit->move(label()->geometry().right() + 5, 5);
}

int TRotationPage::startNumber() const {
    int s = 1;
    if (!TryStrToInt(m_startEdit->text(), s)) return 1;
    return std::clamp(s, 1, game().frontPool);
}

ChartArgs TRotationPage::chartArgs(int n) const {
    return {n, startNumber()};
}

void TRotationPage::gameChanged(const Game& previous) {
    m_startOfGame.insert(previous.keyText(), m_startEdit->value());
    m_startEdit->setRange(1, game().frontPool);
    m_startEdit->setValue(m_startOfGame.value(game().keyText(), 1));
}
