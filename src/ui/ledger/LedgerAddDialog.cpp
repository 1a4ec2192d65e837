#include "ui/ledger/LedgerAddDialog.h"

#include "engine/ledger/Ledger.h"
#include "ui/CommandGuard.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TLedgerAddDialog::TLedgerAddDialog(int issue, const QString& tickets, const Game& game, QWidget* parent)
    : QDialog(parent), m_game(game) {
    setObjectName(QStringLiteral("LedgerAddDialog"));
    setWindowTitle(QStringLiteral("加入投注记录"));
    LedgerIssueEd = new QLineEdit(issue > 0 ? QString::number(issue) : QString(), this);
    LedgerIssueEd->setObjectName(QStringLiteral("LedgerIssueEd"));
    LedgerIssueEd->setPlaceholderText(QStringLiteral("如 2026096"));
    LedgerIssueEd->setMaxLength(7);
    LedgerExtraCb = new QCheckBox(QStringLiteral("追加"), this);
    LedgerExtraCb->setObjectName(QStringLiteral("LedgerExtraCb"));
    // Only a game with an additional bet offers it.
    LedgerExtraCb->setEnabled(game.extraPrice > 0);
    LedgerExtraCb->setToolTip(game.extraPrice > 0
                                  ? QStringLiteral("追加投注：每注另加%1元").arg(game.extraPrice)
                                  : QStringLiteral("%1没有追加投注").arg(game.nameText()));
    LedgerNoteEd = new QLineEdit(this);
    LedgerNoteEd->setObjectName(QStringLiteral("LedgerNoteEd"));
    LedgerTicketMemo = new QPlainTextEdit(tickets, this);
    LedgerTicketMemo->setObjectName(QStringLiteral("LedgerTicketMemo"));
    LedgerTicketMemo->setPlaceholderText(QStringLiteral("每行一注、一个复式或一个胆拖，如\n") +
                                         game.ticketExampleLines());
    LedgerTicketMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    LedgerButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    LedgerButtons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("加入"));
    LedgerButtons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(LedgerButtons, &QDialogButtonBox::accepted, this, &TLedgerAddDialog::accept);
    connect(LedgerButtons, &QDialogButtonBox::rejected, this, &TLedgerAddDialog::reject);

    auto* issueRow = new QHBoxLayout;
    issueRow->addWidget(LedgerIssueEd);
    issueRow->addWidget(LedgerExtraCb);
    issueRow->addStretch();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("期号："), issueRow);
    form->addRow(QStringLiteral("备注："), LedgerNoteEd);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("投注号码（单式、复式、胆拖，每行一个）："), this));
    layout->addWidget(LedgerTicketMemo, 1);
    layout->addWidget(LedgerButtons);
    resize(420, 360);
}

void TLedgerAddDialog::accept() {
    if (RunGuarded(this, [this] {
            m_entry = MakeLedgerEntry(LedgerIssueEd->text(), LedgerTicketMemo->toPlainText(),
                                      LedgerExtraCb->isChecked(), LedgerNoteEd->text(), m_game);
        }))
        QDialog::accept();
}
