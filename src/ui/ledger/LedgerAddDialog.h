#pragma once

#include "engine/core/Game.h"
#include "engine/ledger/LedgerEntry.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QPlainTextEdit;

// 加入投注记录: the issue, the ticket lines and a note. OK reads them through the engine; a refused
// input keeps the dialog open with the message.
class TLedgerAddDialog : public QDialog {
    Q_OBJECT
  public:
    // The entry is of the game: its tickets are read by the game's rules, 追加 only where it has one.
    TLedgerAddDialog(int issue, const QString& tickets, const Game& game, QWidget* parent = nullptr);

    // Valid once the dialog was accepted.
    const LedgerEntry& entry() const { return m_entry; }

    QLineEdit* LedgerIssueEd = nullptr;
    QCheckBox* LedgerExtraCb = nullptr;
    QLineEdit* LedgerNoteEd = nullptr;
    QPlainTextEdit* LedgerTicketMemo = nullptr;
    QDialogButtonBox* LedgerButtons = nullptr;

  public slots:
    void accept() override;

  private:
    const Game& m_game;
    LedgerEntry m_entry;
};
