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
#include <algorithm>

namespace {

// A box for a number of the draw: it starts empty and keeps whatever digits were typed. Nothing is
// clamped or reverted on the way; 添加开奖 checks the draw and says what is wrong. Numbers show with
// two digits, as the history writes them.
class TDrawNumberBox : public QSpinBox {
  public:
    static constexpr int Empty = -1;

    TDrawNumberBox(int digits, bool twoDigits, QWidget* parent)
        : QSpinBox(parent), m_digits(digits), m_twoDigits(twoDigits) {
        int most = 9;
        for (int k = 1; k < digits; ++k)
            most = most * 10 + 9;
        setRange(Empty, most);
        setValue(Empty);
    }

    void stepBy(int steps) override {
        // The arrows start an empty box at 1, not at 00.
        if (value() == Empty) {
            setValue(1);
            return;
        }
        QSpinBox::stepBy(steps);
    }

  protected:
    QString textFromValue(int value) const override {
        if (value == Empty) return QString();
        return m_twoDigits ? QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'))
                           : QString::number(value);
    }
    int valueFromText(const QString& text) const override {
        bool ok = false;
        const int v = text.trimmed().toInt(&ok);
        return ok ? v : Empty;
    }
    QValidator::State validate(QString& input, int&) const override {
        const QString typed = input.trimmed();
        if (typed.size() > m_digits) return QValidator::Invalid;
        for (QChar c : typed)
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return QValidator::Invalid;
        return QValidator::Acceptable;
    }
    void fixup(QString&) const override {}

  private:
    int m_digits;
    bool m_twoDigits;
};

} // namespace

TAddDrawBar::TAddDrawBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AddDrawBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(4);
    layout->addWidget(new QLabel(QStringLiteral("添加开奖  期号"), this));
    IssueSe = new TDrawNumberBox(7, false, this);
    IssueSe->setObjectName(QStringLiteral("AddDrawIssueSe"));
    layout->addWidget(IssueSe);
    FrontLabel = new QLabel(this);
    FrontLabel->setObjectName(QStringLiteral("AddDrawFrontLabel"));
    layout->addWidget(FrontLabel);
    for (int k = 0; k < GameLimits::kMaxFrontPicks; ++k) {
        RedSe[k] = new TDrawNumberBox(2, true, this);
        RedSe[k]->setObjectName(QStringLiteral("AddDrawRedSe%1").arg(k + 1));
        layout->addWidget(RedSe[k]);
    }
    BackLabel = new QLabel(this);
    BackLabel->setObjectName(QStringLiteral("AddDrawBackLabel"));
    layout->addWidget(BackLabel);
    BlueSe = new TDrawNumberBox(2, true, this);
    BlueSe->setObjectName(QStringLiteral("AddDrawBlueSe"));
    layout->addWidget(BlueSe);
    BackSe2 = new TDrawNumberBox(2, true, this);
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
    // The backs, or the special number of a game of one pool.
    BackLabel->setText(game.side());
    for (int k = 0; k < GameLimits::kMaxFrontPicks; ++k)
        RedSe[k]->setVisible(k < game.frontPicks);
    BlueSe->setVisible(game.sidePicks() > 0);
    BackSe2->setVisible(game.sidePicks() > 1);
    clearNumbers();
}

void TAddDrawBar::clearNumbers() {
    for (QSpinBox* box : RedSe)
        box->setValue(TDrawNumberBox::Empty);
    BlueSe->setValue(TDrawNumberBox::Empty);
    BackSe2->setValue(TDrawNumberBox::Empty);
}

void TAddDrawBar::setNextIssue(const TCodeArr& history) {
    const int next = NextIssueCode(history);
    IssueSe->setValue(next > 0 ? next : QDate::currentDate().year() * 1000 + 1);
}

void TAddDrawBar::AddBtClick() {
    RunGuarded(this, [this] {
        TCodeArr held = m_heldDraws ? m_heldDraws() : TCodeArr();
        const NewIssueCheck check = CheckNewIssueCode(held, IssueSe->value());
        if (check.verdict == NewIssueCheck::Refused) throw KelvoraError(check.message);
        std::vector<int> fronts;
        for (int k = 0; k < m_game->frontPicks; ++k)
            fronts.push_back(RedSe[k]->value());
        std::vector<int> backs;
        if (m_game->sidePicks() > 0) backs.push_back(BlueSe->value());
        if (m_game->sidePicks() > 1) backs.push_back(BackSe2->value());
        const auto empty = [](int n) { return n == TDrawNumberBox::Empty; };
        if (std::any_of(fronts.begin(), fronts.end(), empty) ||
            std::any_of(backs.begin(), backs.end(), empty))
            throw KelvoraError(QStringLiteral("请填写这一期的全部号码：%1个%2和%3个%4")
                                   .arg(m_game->frontPicks)
                                   .arg(m_game->front())
                                   .arg(m_game->sidePicks())
                                   .arg(m_game->side()));
        const QString line = DrawEntryLine(IssueSe->value(), fronts, backs, *m_game);
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
        // The next draw is typed afresh: numbers left standing would be one click from a copy.
        clearNumbers();
    });
}
