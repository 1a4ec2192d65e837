#include "ui/history/AddDrawBar.h"

#include "engine/core/KelvoraError.h"
#include "engine/history/DrawEntry.h"
#include "engine/history/Parser.h"
#include "ui/CommandGuard.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

namespace {

// Numbers read as the history writes them: two digits.
class TTwoDigitSpinBox : public QSpinBox {
  public:
    using QSpinBox::QSpinBox;

  protected:
    QString textFromValue(int value) const override {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    }
};

} // namespace

TAddDrawBar::TAddDrawBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AddDrawBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(4);
    layout->addWidget(new QLabel(QStringLiteral("添加开奖  期号"), this));
    IssueSe = new QSpinBox(this);
    IssueSe->setObjectName(QStringLiteral("AddDrawIssueSe"));
    IssueSe->setRange(1000000, 9999999);
    layout->addWidget(IssueSe);
    FrontLabel = new QLabel(this);
    FrontLabel->setObjectName(QStringLiteral("AddDrawFrontLabel"));
    layout->addWidget(FrontLabel);
    for (int k = 0; k < GameLimits::kMaxFrontPicks; ++k) {
        RedSe[k] = new TTwoDigitSpinBox(this);
        RedSe[k]->setObjectName(QStringLiteral("AddDrawRedSe%1").arg(k + 1));
        layout->addWidget(RedSe[k]);
    }
    BackLabel = new QLabel(this);
    BackLabel->setObjectName(QStringLiteral("AddDrawBackLabel"));
    layout->addWidget(BackLabel);
    BlueSe = new TTwoDigitSpinBox(this);
    BlueSe->setObjectName(QStringLiteral("AddDrawBlueSe"));
    layout->addWidget(BlueSe);
    BackSe2 = new TTwoDigitSpinBox(this);
    BackSe2->setObjectName(QStringLiteral("AddDrawBackSe2"));
    layout->addWidget(BackSe2);
    AddBt = new QPushButton(QStringLiteral("添加开奖"), this);
    AddBt->setObjectName(QStringLiteral("AddDrawBt"));
    AddBt->setToolTip(QStringLiteral("把这一期加到开奖数据的末尾（保存数据后生效）"));
    connect(AddBt, &QPushButton::clicked, this, &TAddDrawBar::AddBtClick);
    layout->addWidget(AddBt);
    layout->addStretch(1);
    setGame(Game::ssq());
}

void TAddDrawBar::setGame(const Game& game) {
    m_game = &game;
    FrontLabel->setText(game.front());
    BackLabel->setText(game.back());
    for (int k = 0; k < GameLimits::kMaxFrontPicks; ++k) {
        RedSe[k]->setRange(1, game.frontPool);
        RedSe[k]->setValue(k + 1);
        RedSe[k]->setVisible(k < game.frontPicks);
    }
    QSpinBox* backs[] = {BlueSe, BackSe2};
    for (int k = 0; k < 2; ++k) {
        backs[k]->setRange(1, game.backPool);
        backs[k]->setValue(k + 1);
        backs[k]->setVisible(k < game.backPicks);
    }
}

void TAddDrawBar::setNextIssue(const TCodeArr& history) {
    const int next = NextIssueCode(history);
    IssueSe->setValue(next > 0 ? next : QDate::currentDate().year() * 1000 + 1);
}

void TAddDrawBar::AddBtClick() {
    RunGuarded(this, [this] {
        std::vector<int> fronts;
        for (int k = 0; k < m_game->frontPicks; ++k)
            fronts.push_back(RedSe[k]->value());
        std::vector<int> backs{BlueSe->value()};
        if (m_game->backPicks > 1) backs.push_back(BackSe2->value());
        const QString line = DrawEntryLine(IssueSe->value(), fronts, backs, *m_game);
        TCodeArr held = m_heldDraws ? m_heldDraws() : TCodeArr();
        const NewIssueCheck check = CheckNewIssueCode(held, IssueSe->value());
        if (check.verdict == NewIssueCheck::Refused) throw KelvoraError(check.message);
        if (check.verdict == NewIssueCheck::Gap) {
            QMessageBox box(QMessageBox::Question, MessageBoxTitle(), check.message, QMessageBox::NoButton,
                            this);
            box.addButton(QMessageBox::Yes)->setText(QStringLiteral("添加"));
            box.addButton(QMessageBox::No)->setText(QStringLiteral("不添加"));
            box.setDefaultButton(QMessageBox::No);
            box.setEscapeButton(QMessageBox::No);
            box.exec();
            if (box.standardButton(box.clickedButton()) != QMessageBox::Yes) return;
        }
        emit lineReady(line);
        held.push_back(ParseHistoryText(line, *m_game).history.front());
        IssueSe->setValue(NextIssueCode(held));
    });
}
