#include "ui/ledger/LedgerPanel.h"

#include "engine/core/KelvoraError.h"
#include "engine/io/ExportFile.h"
#include "engine/ledger/Ledger.h"
#include "engine/ledger/LedgerReport.h"
#include "engine/prize/PrizeCheck.h"
#include "engine/prize/PrizeReport.h"
#include "ui/CommandGuard.h"
#include "ui/history/PrintLines.h"
#include "ui/ledger/LedgerAddDialog.h"
#include "ui/ledger/LedgerCurveView.h"
#include "ui/ledger/LedgerTableModel.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTableView>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

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
    LedgerDetailBt =
        addButton(QStringLiteral("LedgerDetailBt"), QStringLiteral("详情"), &TLedgerPanel::LedgerDetailBtClick);
    LedgerDetailBt->setToolTip(QStringLiteral("查看所选记录的投注号码、开奖号码和中奖情况（也可双击一行）"));
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
    connect(LedgerTable, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) showDetail(LedgerModel->entries()[size_t(index.row())]);
    });

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

const FiguresTable* TLedgerPanel::figuresOfGame() const {
    return m_figures && m_figures->game == m_game ? m_figures : nullptr;
}

void TLedgerPanel::showEntries(std::vector<LedgerEntry> entries) {
    const LedgerReport report = MakeLedgerReport(entries, *m_game, figuresOfGame());
    LedgerReportMemo->setPlainText(LedgerReportLines(report).join(QLatin1Char('\n')));
    LedgerCurve->setCurve(::LedgerCurve(entries));
    LedgerModel->setEntries(std::move(entries));
}

void TLedgerPanel::settle() {
    readEntries(m_historyValid);
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
    std::vector<LedgerEntry> entries;
    try {
        entries = m_ledger->list(key);
    } catch (const KelvoraError& e) {
        m_lastError = e.message();
        m_settled = 0;
        showProblem(e.message());
        return;
    }
    // Settled in memory first: nothing is written unless a result changes, so settling after every
    // change of the history costs one read.
    if (settleFirst) {
        const std::vector<int64_t> changed = SettleEntries(entries, m_history, *m_game);
        try {
            m_ledger->saveSettlement(entries, changed);
        } catch (const KelvoraError& e) {
            m_lastError = QStringLiteral("结算结果未能保存：") + e.message();
        }
    }
    m_settled = int(std::count_if(entries.begin(), entries.end(), [](const LedgerEntry& e) { return e.settled; }));
    showEntries(std::move(entries));
    if (!m_lastError.isEmpty()) LedgerReportMemo->appendPlainText(QStringLiteral("\n") + m_lastError);
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
                                .arg(m_ledger->numberOf(id))
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
    const int64_t number = e.number;
    const QString question =
        QStringLiteral("删除第%1期的投注记录 #%2（%3注，%4元）吗？\n删除后可以用“撤销”恢复。")
            .arg(LedgerIssueText(e.issue))
            .arg(number)
            .arg(e.bets)
            .arg(e.cost);
    if (QMessageBox::question(this, MessageBoxTitle(), question, QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes)
        return;
    RunGuarded(this, [&] {
        std::optional<LedgerEntry> removed = m_ledger->entry(id);
        if (!removed || !m_ledger->remove(id))
            throw KelvoraError(QStringLiteral("没有编号为%1的投注记录").arg(number));
        m_removed = std::move(removed);
        LedgerUndoBt->setEnabled(true);
        settle();
        emit statusText(QStringLiteral("已删除投注记录 #%1，可以撤销").arg(number));
    });
}

void TLedgerPanel::LedgerUndoBtClick() {
    if (!m_removed || !ensureOpen()) return;
    RunGuarded(this, [&] {
        // The entry comes back with its id and number: neither is given to another entry meanwhile.
        m_ledger->add(*m_removed);
        const int64_t number = m_removed->number;
        m_removed.reset();
        LedgerUndoBt->setEnabled(false);
        settle();
        emit statusText(QStringLiteral("已恢复投注记录 #%1").arg(number));
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
    QStringList lines = LedgerReportLines(MakeLedgerReport(LedgerModel->entries(), *m_game, figuresOfGame()));
    lines << QString() << LedgerListLines(LedgerModel->entries());
    PrintLines(this, lines,
               m_game->namedTitles ? m_game->nameText() + QStringLiteral("投注记录") : QStringLiteral("投注记录"));
}

namespace {

// The numbers of a mask, those drawn marked; the draw's special number among them as (08).
QString markedNumbers(uint64_t mask, uint64_t hits, uint64_t special = 0) {
    QStringList parts;
    for (int n = 1; n < 64; ++n) {
        if (!(mask >> n & 1)) continue;
        const QString text = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        if (hits >> n & 1)
            parts << QStringLiteral("<b style=\"color:#c00000\">[%1]</b>").arg(text);
        else if (special >> n & 1)
            parts << QStringLiteral("<b style=\"color:#0050c0\">(%1)</b>").arg(text);
        else
            parts << text;
    }
    return parts.join(QLatin1Char(' '));
}

QString markedTicket(const LedgerTicketDetail& d) {
    const PrizeTicket& t = d.ticket;
    QString s;
    if (t.bankers) s = markedNumbers(t.bankers, d.frontHits, d.specialHits) + QLatin1Char('#');
    s += markedNumbers(t.reds & ~t.bankers, d.frontHits, d.specialHits);
    if (t.blues) {
        s += QStringLiteral(" + ");
        if (t.backBankers) s += markedNumbers(t.backBankers, d.backHits) + QLatin1Char('#');
        s += markedNumbers(t.blues & ~t.backBankers, d.backHits);
    }
    return s;
}

} // namespace

QString LedgerEntryHtml(const LedgerEntry& e) {
    const Game& game = LedgerGameOf(e.game);
    const PrizeRules& rules = PrizeRulesFor(game, e.issue);
    QString html = QStringLiteral("<p><b>%1投注记录 #%2　第%3期</b>　%4行 %5注 %6元%7</p>")
                       .arg(game.nameText())
                       .arg(e.number)
                       .arg(LedgerIssueText(e.issue))
                       .arg(e.tickets.size())
                       .arg(e.bets)
                       .arg(e.cost)
                       .arg(e.extra ? QStringLiteral(" 追加") : QString());
    if (!e.note.isEmpty()) html += QStringLiteral("<p>备注：%1</p>").arg(e.note.toHtmlEscaped());
    if (e.settled) {
        html += QStringLiteral("<p>开奖号码：%1</p>").arg(DrawText(e.draw).toHtmlEscaped());
        html += QStringLiteral("<p>结果：%1　固定奖金 %2 元</p>").arg(LedgerResultText(e).toHtmlEscaped()).arg(e.prize);
    } else {
        html += QStringLiteral("<p>未开奖：开奖数据中还没有这一期</p>");
    }
    const QString specialNote = game.specialPicks ? QStringLiteral("，( )为%1").arg(game.special()) : QString();
    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\" border=\"1\">"
                           "<tr><th>行</th><th>投注号码（[ ]为开出的号码%1）</th><th>注数</th><th>中奖</th><th>奖金</th></tr>")
                .arg(specialNote);
    for (const LedgerTicketDetail& d : LedgerEntryDetail(e)) {
        const int64_t bets = TicketBets(d.ticket, game);
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td align=\"right\">%3</td><td>%4</td><td align=\"right\">%5</td></tr>")
                    .arg(d.ticket.line)
                    .arg(markedTicket(d))
                    .arg(bets)
                    .arg(e.settled ? TierListText(d.tiers, bets, rules).toHtmlEscaped() : QStringLiteral("未开奖"))
                    .arg(e.settled ? PrizeMoneyText(d.prize, d.tiers, rules) : QString());
    }
    return html + QStringLiteral("</table>");
}

void TLedgerPanel::showDetail(const LedgerEntry& entry) {
    auto* dialog = new QDialog(window());
    dialog->setObjectName(QStringLiteral("LedgerDetailDlg"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("投注记录 #%1 详情").arg(entry.number));
    auto* text = new QTextBrowser(dialog);
    text->setObjectName(QStringLiteral("LedgerDetailText"));
    text->setHtml(LedgerEntryHtml(entry));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text, 1);
    layout->addWidget(buttons);
    dialog->resize(640, 420);
    dialog->open();
}

void TLedgerPanel::LedgerDetailBtClick() {
    const QModelIndex current = LedgerTable->selectionModel()->currentIndex();
    if (!current.isValid()) {
        emit statusText(QStringLiteral("请先在列表中选择一笔投注记录"));
        return;
    }
    showDetail(LedgerModel->entries()[size_t(current.row())]);
}

bool AddToLedger(QWidget* from, const QString& tickets) {
    for (QWidget* w = from ? from->window() : nullptr; w;
         w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        if (auto* panel = w->findChild<TLedgerPanel*>()) return panel->addTickets(tickets) != nullptr;
    ShowErrorBox(from, QStringLiteral("没有打开投注记录"));
    return false;
}
