#pragma once

#include "engine/core/CodeRec.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class TPrizeTableModel;

// The prize check: a ticket list against one draw with the prize tiers, or against every draw of
// the history ("has this ever been drawn").
class TPrizeWindow : public QWidget {
    Q_OBJECT
  public:
    TPrizeWindow(const TCodeArr& history, QWidget* parent = nullptr);

    // Fills the draw list from the history, newest first, keeping what the user typed.
    void refreshDraws();
    void setTickets(const QString& text);
    void setDraw(const QString& text);

    QPlainTextEdit* PrizeTicketMemo = nullptr;
    QPushButton* PrizeImportBt = nullptr;
    QPushButton* PrizeClearBt = nullptr;
    QComboBox* PrizeDrawCbx = nullptr;
    QLineEdit* PrizeBlueEd = nullptr;
    QPushButton* PrizeCheckBt = nullptr;
    QPushButton* PrizeHistoryBt = nullptr;
    QTableView* PrizeTable = nullptr;
    TPrizeTableModel* PrizeModel = nullptr;
    QLabel* PrizeSummaryLbl = nullptr;
    QPushButton* PrizeExportTextBt = nullptr;
    QPushButton* PrizeExportCsvBt = nullptr;
    QPushButton* PrizePrintBt = nullptr;

  public slots:
    void PrizeImportBtClick();
    void PrizeCheckBtClick();
    void PrizeHistoryBtClick();
    void PrizeExportTextBtClick();
    void PrizeExportCsvBtClick();
    void PrizePrintBtClick();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showResult();
    void exportLines(const QString& filter, const QString& suffix, bool csv);

    const TCodeArr& m_history;
    int m_drawsListed = -1;
    int m_newestListed = 0;
};

// Shows the prize check window of the top-level window of `from` (made on first use), with the
// tickets and the draw when given; with both given it checks at once.
TPrizeWindow* OpenPrizeCheck(QWidget* from, const TCodeArr& history, const QString& tickets = QString(),
                             const QString& draw = QString());
