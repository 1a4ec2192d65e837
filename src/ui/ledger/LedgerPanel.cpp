#include "ui/ledger/LedgerPanel.h"

#include "engine/core/KelvoraError.h"
#include "engine/io/ExportFile.h"
#include "engine/ledger/Ledger.h"
#include "engine/ledger/LedgerReport.h"
#include "ui/CommandGuard.h"
#include "ui/history/PrintLines.h"
#include "ui/ledger/LedgerAddDialog.h"
#include "ui/ledger/LedgerCurveView.h"
#include "ui/ledger/LedgerTableModel.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TLedgerPanel::TLedgerPanel(const TCodeArr& history, QWidget* parent)
    : QWidget(parent), m_history(history), m_chooseSaveFile([](QWidget* w) {
          return AskExportFileOfType(w, QStringLiteral("CSV文件 (*.csv)"), QStringLiteral("csv"));
      }) {
    setObjectName(QStringLiteral("LedgerPanel"));
    LedgerTbr = new QToolBar(this);
    LedgerTbr->setObjectName(QStringLiteral("LedgerTbr"));
    LedgerTbr->setToolButtonStyle(Qt::ToolButtonTextOnly);
    LedgerTbr->setMovable(false);
    LedgerAddBt =
        addButton(QStringLiteral("LedgerAddBt"), QStringLiteral("加入投注"), &TLedgerPanel::LedgerAddBtClick);
    LedgerRemoveBt = addButton(QStringLiteral("LedgerRemoveBt"), QStringLiteral("删除"),
                               &TLedgerPanel::LedgerRemoveBtClick);
    LedgerUndoBt =
        addButton(QStringLiteral("LedgerUndoBt"), QStringLiteral("撤销"), &TLedgerPanel::LedgerUndoBtClick);
    LedgerUndoBt->setEnabled(false);
    LedgerTbr->addSeparator();
    LedgerRefreshBt =
        addButton(QStringLiteral("LedgerRefreshBt"), QStringLiteral("刷新"), &TLedgerPanel::refresh);
    LedgerRefreshBt->setToolTip(QStringLiteral("重新读取投注记录并按开奖数据结算"));
    LedgerTbr->addSeparator();
    LedgerExportBt = addButton(QStringLiteral("LedgerExportBt"), QStringLiteral("导出CSV"),
                               &TLedgerPanel::LedgerExportBtClick);
    LedgerPrintBt =
        addButton(QStringLiteral("LedgerPrintBt"), QStringLiteral("打印"), &TLedgerPanel::LedgerPrintBtClick);

    LedgerModel = new TLedgerTableModel(this);
    LedgerTable = new QTableView(this);
    LedgerTable->setObjectName(QStringLiteral("LedgerTable"));
    LedgerTable->setModel(LedgerModel);
    LedgerTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    LedgerTable->setSelectionMode(QAbstractItemView::SingleSelection);
    LedgerTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LedgerTable->setWordWrap(false);
    LedgerTable->verticalHeader()->hide();
    LedgerTable->verticalHeader()->setDefaultSectionSize(LedgerTable->fontMetrics().height() + 6);
    const int digit = LedgerTable->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int widths[TLedgerTableModel::ColumnCount] = {6, 9, 30, 6, 7, 18, 8, 10};
    for (int c = 0; c < TLedgerTableModel::ColumnCount; ++c)
        LedgerTable->setColumnWidth(c, widths[c] * digit + 12);
    // The tickets take the room a wide window has; their full text is in the tool tip.
    LedgerTable->horizontalHeader()->setSectionResizeMode(TLedgerTableModel::Tickets, QHeaderView::Stretch);

    LedgerReportMemo = new QPlainTextEdit(this);
    LedgerReportMemo->setObjectName(QStringLiteral("LedgerReportMemo"));
    LedgerReportMemo->setReadOnly(true);
    LedgerReportMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    LedgerCurve = new TLedgerCurveView(this);

    auto* bottom = new QSplitter(Qt::Horizontal, this);
    bottom->addWidget(LedgerReportMemo);
    bottom->addWidget(LedgerCurve);
    bottom->setStretchFactor(0, 1);
    bottom->setStretchFactor(1, 1);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("LedgerSplitter"));
    split->addWidget(LedgerTable);
    split->addWidget(bottom);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    LedgerFileLbl = new QLabel(this);
    LedgerFileLbl->setObjectName(QStringLiteral("LedgerFileLbl"));
    LedgerFileLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LedgerFileLbl->setContentsMargins(4, 0, 4, 0);
    LedgerTbr->addSeparator();
    LedgerTbr->addWidget(LedgerFileLbl);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(LedgerTbr);
    layout->addWidget(split, 1);
}

TLedgerPanel::~TLedgerPanel() = default;

QToolButton* TLedgerPanel::addButton(const QString& name, const QString& caption,
                                     void (TLedgerPanel::*slot)()) {
    QAction* action = LedgerTbr->addAction(caption);
    connect(action, &QAction::triggered, this, slot);
    auto* button = qobject_cast<QToolButton*>(LedgerTbr->widgetForAction(action));
    button->setObjectName(name);
    button->setMinimumWidth(63);
    return button;
}

void TLedgerPanel::setLedgerFile(const QString& path) {
    m_path = path;
    m_ledger.reset();
    m_openError.clear();
    m_removed.reset();
    LedgerUndoBt->setEnabled(false);
    LedgerFileLbl->setText(QStringLiteral("文件：%1").arg(QDir::toNativeSeparators(path)));
    settle();
}

bool TLedgerPanel::ensureOpen() {
    if (m_ledger) return true;
    if (m_path.isEmpty()) return false;
    try {
        m_ledger = std::make_unique<Ledger>(m_path);
        m_openError.clear();
        return true;
    } catch (const KelvoraError& e) {
        m_openError = e.message();
        showProblem(m_openError);
        return false;
    }
}

void TLedgerPanel::showProblem(const QString& message) {
    LedgerModel->setEntries({});
    LedgerCurve->setCurve({});
    LedgerReportMemo->setPlainText(message);
}

void TLedgerPanel::showEntries(std::vector<LedgerEntry> entries) {
    const LedgerReport report = MakeLedgerReport(entries);
    LedgerReportMemo->setPlainText(LedgerReportLines(report).join(QLatin1Char('\n')));
    LedgerCurve->setCurve(::LedgerCurve(entries));
    LedgerModel->setEntries(std::move(entries));
}

void TLedgerPanel::settle() {
    readEntries(true);
}

void TLedgerPanel::setGame(const Game& game) {
    if (&game == m_game) return;
    m_game = &game;
    // An undo would put the other game's entry back while this game is shown.
    m_removed.reset();
    LedgerUndoBt->setEnabled(false);
    readEntries(false);
}

void TLedgerPanel::readEntries(bool settleFirst) {
    m_lastError.clear();
    // A player who never records a bet gets no ledger file: it is made by the first entry.
    if (!m_ledger && !QFileInfo::exists(m_path)) {
        m_settled = 0;
        showEntries({});
        return;
    }
    if (!ensureOpen()) return;
    const QString key = m_game->keyText();
    try {
        if (settleFirst) m_settled = m_ledger->settle(m_history, key);
        showEntries(m_ledger->list(key));
    } catch (const KelvoraError& e) {
        m_lastError = e.message();
        // Another program may hold the file a moment too long: what is stored is still shown.
        try {
            showEntries(m_ledger->list(key));
        } catch (const KelvoraError&) {
            showProblem(e.message());
        }
    }
}

void TLedgerPanel::refresh() {
    settle();
    if (!m_openError.isEmpty())
        emit statusText(m_openError);
    else if (!m_lastError.isEmpty())
        emit statusText(m_lastError);
    else
        emit statusText(
            QStringLiteral("投注记录：共%1笔，已开奖%2笔").arg(LedgerModel->rowCount()).arg(m_settled));
}

TLedgerAddDialog* TLedgerPanel::addTickets(const QString& tickets) {
    if (!ensureOpen()) {
        ShowErrorBox(this, m_openError);
        return nullptr;
    }
    const int next = m_history.empty() ? 0 : m_history.back().code() + 1;
    auto* dialog = new TLedgerAddDialog(next, tickets, *m_game, window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        RunGuarded(this, [&] {
            const int64_t id = m_ledger->add(dialog->entry());
            settle();
            emit statusText(QStringLiteral("已加入投注记录 #%1（第%2期，%3注，%4元）")
                                .arg(id)
                                .arg(dialog->entry().issue)
                                .arg(dialog->entry().bets)
                                .arg(dialog->entry().cost));
        });
    });
    dialog->open();
    return dialog;
}

void TLedgerPanel::LedgerAddBtClick() {
    addTickets(QString());
}

void TLedgerPanel::LedgerRemoveBtClick() {
    const QModelIndex current = LedgerTable->selectionModel()->currentIndex();
    if (!current.isValid() || !ensureOpen()) return;
    const LedgerEntry& e = LedgerModel->entries()[size_t(current.row())];
    const int64_t id = e.id;
    const QString question =
        QStringLiteral("删除第%1期的投注记录 #%2（%3注，%4元）吗？\n删除后可以用“撤销”恢复。")
            .arg(LedgerIssueText(e.issue))
            .arg(id)
            .arg(e.bets)
            .arg(e.cost);
    if (QMessageBox::question(this, MessageBoxTitle(), question, QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes)
        return;
    RunGuarded(this, [&] {
        std::optional<LedgerEntry> removed = m_ledger->entry(id);
        if (!removed || !m_ledger->remove(id))
            throw KelvoraError(QStringLiteral("没有编号为%1的投注记录").arg(id));
        m_removed = std::move(removed);
        LedgerUndoBt->setEnabled(true);
        settle();
        emit statusText(QStringLiteral("已删除投注记录 #%1，可以撤销").arg(id));
    });
}

void TLedgerPanel::LedgerUndoBtClick() {
    if (!m_removed || !ensureOpen()) return;
    RunGuarded(this, [&] {
        const int64_t id = m_ledger->add(*m_removed);
        m_removed.reset();
        LedgerUndoBt->setEnabled(false);
        settle();
        emit statusText(QStringLiteral("已恢复投注记录 #%1").arg(id));
    });
}

void TLedgerPanel::LedgerExportBtClick() {
    const QString path = m_chooseSaveFile(this);
    if (path.isEmpty()) return;
    RunGuarded(this, [&] {
        ExportLines(path, LedgerCsvLines(LedgerModel->entries()));
        emit statusText(QStringLiteral("投注记录已导出到 %1").arg(QDir::toNativeSeparators(path)));
    });
}

void TLedgerPanel::LedgerPrintBtClick() {
    QStringList lines = LedgerReportLines(MakeLedgerReport(LedgerModel->entries()));
    lines << QString() << LedgerListLines(LedgerModel->entries());
    PrintLines(this, lines,
               m_game->isSsq() ? QStringLiteral("投注记录")
                               : m_game->nameText() + QStringLiteral("投注记录"));
}

bool AddToLedger(QWidget* from, const QString& tickets) {
    for (QWidget* w = from ? from->window() : nullptr; w;
         w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        if (auto* panel = w->findChild<TLedgerPanel*>()) return panel->addTickets(tickets) != nullptr;
    ShowErrorBox(from, QStringLiteral("没有打开投注记录"));
    return false;
}
