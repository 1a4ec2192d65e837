#include "ui/shrink/ResultCheckDialog.h"

#include "engine/prize/ResultCheckAnswer.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TResultCheckDialog::TResultCheckDialog(const TCodeArr& history, QWidget* parent, const Game& game)
    : QDialog(parent), m_history(history), m_game(game) {
    setObjectName(QStringLiteral("ResultCheckDialog"));
    setWindowTitle(QStringLiteral("输入开奖号码"));
    auto* layout = new QVBoxLayout(this);
    PromptLbl = new QLabel(QStringLiteral("查找的号码，或开奖号码、期号："), this);
    PromptLbl->setObjectName(QStringLiteral("ResultCheckPromptLbl"));
    layout->addWidget(PromptLbl);
    AnswerEd = new QLineEdit(this);
    AnswerEd->setObjectName(QStringLiteral("ResultCheckAnswerEd"));
    AnswerEd->setPlaceholderText(QStringLiteral("例如：05  或  %1  或  2026096").arg(game.exampleDrawText()));
    AnswerEd->setMinimumWidth(AnswerEd->fontMetrics().horizontalAdvance(AnswerEd->placeholderText()) + 24);
    PromptLbl->setBuddy(AnswerEd);
    layout->addWidget(AnswerEd);
    HintLbl = new QLabel(ResultCheckAcceptedText(m_game), this);
    HintLbl->setObjectName(QStringLiteral("ResultCheckHintLbl"));
    HintLbl->setWordWrap(true);
    HintLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for a reason and what the box accepts, so the box need not grow when it refuses.
    HintLbl->setMinimumHeight(HintLbl->fontMetrics().lineSpacing() * 5);
    layout->addWidget(HintLbl);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TResultCheckDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TResultCheckDialog::reject);
    layout->addWidget(buttons);
    // A new text is not yet refused: the hint goes back to what the box accepts.
    connect(AnswerEd, &QLineEdit::textEdited, this, [this] {
        HintLbl->setStyleSheet(QString());
        HintLbl->setText(ResultCheckAcceptedText(m_game));
    });
}

QString TResultCheckDialog::answer() const {
    return AnswerEd->text();
}

void TResultCheckDialog::accept() {
    const ResultCheckAnswer a = ReadResultCheckAnswer(answer(), m_history, m_game);
    if (a.action == ResultCheckAction::Refuse) {
        HintLbl->setStyleSheet(QStringLiteral("color: #c00000;"));
        HintLbl->setText(a.message);
        adjustSize();
        AnswerEd->setFocus();
        AnswerEd->selectAll();
        return;
    }
    QDialog::accept();
}
