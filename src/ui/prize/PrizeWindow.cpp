#include "ui/prize/PrizeWindow.h"

#include "engine/core/KelvoraError.h"
#include "engine/history/DataFile.h"
#include "engine/io/ExportFile.h"
#include "engine/prize/PrizeReport.h"
#include "engine/prize/TicketReader.h"
#include "ui/CommandGuard.h"
#include "ui/ExportDialog.h"
#include "ui/history/PrintLines.h"
#include "ui/ledger/LedgerPanel.h"
#include "ui/prize/PrizeTableModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

// The checks of a whole shrink result take a moment; the cursor says so.
auto waitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    return qScopeGuard([] { QApplication::restoreOverrideCursor(); });
}

} // namespace

TPrizeWindow::TPrizeWindow(const TCodeArr& history, QWidget* parent)
    : QWidget(parent, Qt::Window), m_history(history) {
    setObjectName(QStringLiteral("PrizeWindow"));
    setWindowTitle(QStringLiteral("中奖查询"));

    auto* ticketBox = new QWidget(this);
    auto* ticketLayout = new QVBoxLayout(ticketBox);
    ticketLayout->setContentsMargins(0, 0, 0, 0);
    ticketLayout->addWidget(new QLabel(QStringLiteral("投注号码（每行一注，可粘贴）："), ticketBox));
    PrizeTicketMemo = new QPlainTextEdit(ticketBox);
    PrizeTicketMemo->setObjectName(QStringLiteral("PrizeTicketMemo"));
    PrizeTicketMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    ticketLayout->addWidget(PrizeTicketMemo, 1);
    auto* ticketButtons = new QHBoxLayout;
    PrizeImportBt = makeButton(ticketBox, QStringLiteral("PrizeImportBt"), QStringLiteral("导入..."));
    PrizeClearBt = makeButton(ticketBox, QStringLiteral("PrizeClearBt"), QStringLiteral("清空"));
    ticketButtons->addWidget(PrizeImportBt);
    ticketButtons->addWidget(PrizeClearBt);
    ticketButtons->addStretch();
    ticketLayout->addLayout(ticketButtons);

    auto* resultBox = new QWidget(this);
    auto* resultLayout = new QVBoxLayout(resultBox);
    resultLayout->setContentsMargins(0, 0, 0, 0);
    PrizeModel = new TPrizeTableModel(this);
    PrizeTable = new QTableView(resultBox);
    PrizeTable->setObjectName(QStringLiteral("PrizeTable"));
    PrizeTable->setModel(PrizeModel);
    PrizeTable->setSortingEnabled(true);
    PrizeTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    PrizeTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PrizeTable->verticalHeader()->setDefaultSectionSize(PrizeTable->fontMetrics().height() + 6);
    PrizeTable->verticalHeader()->hide();
    PrizeTable->horizontalHeader()->setSortIndicatorShown(true);
    PrizeTable->horizontalHeader()->setStretchLastSection(true);
    PrizeTable->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    resultLayout->addWidget(PrizeTable, 1);
    PrizeSummaryLbl = new QLabel;
    PrizeSummaryLbl->setObjectName(QStringLiteral("PrizeSummaryLbl"));
    PrizeSummaryLbl->setWordWrap(true);
    PrizeSummaryLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    PrizeSummaryLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A game with several rule versions has a long history summary: it scrolls rather than
    // squeezing the table.
    m_summaryArea = new QScrollArea(resultBox);
    m_summaryArea->setFrameShape(QFrame::NoFrame);
    m_summaryArea->setWidgetResizable(true);
    m_summaryArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_summaryArea->setWidget(PrizeSummaryLbl);
    m_summaryArea->setFixedHeight(0);
    resultLayout->addWidget(m_summaryArea);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(ticketBox);
    splitter->addWidget(resultBox);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 3);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({190, 570});

    auto* drawRow = new QHBoxLayout;
    drawRow->addWidget(new QLabel(QStringLiteral("开奖号码："), this));
    PrizeDrawCbx = new QComboBox(this);
    PrizeDrawCbx->setObjectName(QStringLiteral("PrizeDrawCbx"));
    PrizeDrawCbx->setEditable(true);
    PrizeDrawCbx->setInsertPolicy(QComboBox::NoInsert);
    PrizeDrawCbx->setMinimumContentsLength(26);
    drawRow->addWidget(PrizeDrawCbx, 1);
    PrizeBlueLbl = new QLabel(this);
    PrizeBlueLbl->setObjectName(QStringLiteral("PrizeBlueLbl"));
    drawRow->addWidget(PrizeBlueLbl);
    PrizeBlueEd = new QLineEdit(this);
    PrizeBlueEd->setObjectName(QStringLiteral("PrizeBlueEd"));
    PrizeBlueEd->setPlaceholderText(QStringLiteral("如 3,9,12"));
    PrizeBlueEd->setFixedWidth(
        PrizeBlueEd->fontMetrics().horizontalAdvance(QStringLiteral("如 03,09,12,16")) + 12);
    drawRow->addWidget(PrizeBlueEd);
    PrizeExtraCb = new QCheckBox(QStringLiteral("追加"), this);
    PrizeExtraCb->setObjectName(QStringLiteral("PrizeExtraCb"));
    drawRow->addWidget(PrizeExtraCb);
    PrizeCheckBt = makeButton(this, QStringLiteral("PrizeCheckBt"), QStringLiteral("核对"));
    PrizeCheckBt->setToolTip(QStringLiteral("按所选一期核对每注的中奖情况"));
    PrizeHistoryBt = makeButton(this, QStringLiteral("PrizeHistoryBt"), QStringLiteral("历史核对"));
    drawRow->addWidget(PrizeCheckBt);
    drawRow->addWidget(PrizeHistoryBt);

    auto* exportRow = new QHBoxLayout;
    auto* ledgerBt = makeButton(this, QStringLiteral("PrizeLedgerBt"), QStringLiteral("加入投注记录"));
    connect(ledgerBt, &QPushButton::clicked, this,
            [this] { AddToLedger(this, PrizeTicketMemo->toPlainText()); });
    exportRow->addWidget(ledgerBt);
    exportRow->addStretch();
    PrizeExportTextBt = makeButton(this, QStringLiteral("PrizeExportTextBt"), QStringLiteral("导出文本"));
    PrizeExportCsvBt = makeButton(this, QStringLiteral("PrizeExportCsvBt"), QStringLiteral("导出CSV"));
    PrizePrintBt = makeButton(this, QStringLiteral("PrizePrintBt"), QStringLiteral("打印"));
    for (QPushButton* b : {PrizeExportTextBt, PrizeExportCsvBt, PrizePrintBt}) {
        b->setEnabled(false);
        exportRow->addWidget(b);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(drawRow);
    layout->addWidget(splitter, 1);
    layout->addLayout(exportRow);

    connect(PrizeImportBt, &QPushButton::clicked, this, &TPrizeWindow::PrizeImportBtClick);
    connect(PrizeClearBt, &QPushButton::clicked, PrizeTicketMemo, &QPlainTextEdit::clear);
    connect(PrizeCheckBt, &QPushButton::clicked, this, &TPrizeWindow::PrizeCheckBtClick);
    connect(PrizeHistoryBt, &QPushButton::clicked, this, &TPrizeWindow::PrizeHistoryBtClick);
    connect(PrizeExportTextBt, &QPushButton::clicked, this, &TPrizeWindow::PrizeExportTextBtClick);
    connect(PrizeExportCsvBt, &QPushButton::clicked, this, &TPrizeWindow::PrizeExportCsvBtClick);
    connect(PrizePrintBt, &QPushButton::clicked, this, &TPrizeWindow::PrizePrintBtClick);

    resize(776, 547);
    showGameWords();
    refreshDraws();
}

void TPrizeWindow::showGameWords() {
    const Game& g = *m_game;
    PrizeTicketMemo->setPlaceholderText(QStringLiteral("例如：\n") + g.ticketExampleLines());
    PrizeDrawCbx->setToolTip(
        QStringLiteral("选择一期，或输入期号，或输入%1，如 %2").arg(g.drawShape(), g.exampleDrawText()));
    PrizeBlueLbl->setText(QStringLiteral("无%1的号码配%1：").arg(g.back()));
    // A game of numbers alone (七乐彩) has no backs to give a ticket.
    PrizeBlueLbl->setVisible(g.backPicks > 0);
    PrizeBlueEd->setVisible(g.backPicks > 0);
    PrizeHistoryBt->setToolTip(
        QStringLiteral("与历史上每一期核对：最高奖级、首次期号、%1是否开出过").arg(g.allFronts()));
    // The two-colour ball has no additional bet: its window shows none.
    PrizeExtraCb->setVisible(g.extraPrice > 0);
    if (g.extraPrice == 0) PrizeExtraCb->setChecked(false);
    PrizeExtraCb->setToolTip(QStringLiteral("每注追加%1元，按追加奖金核对").arg(g.extraPrice));
}

void TPrizeWindow::setGame(const Game& game) {
    if (&game == m_game) return;
    m_ticketsOfGame.insert(m_game->keyText(), PrizeTicketMemo->toPlainText());
    m_game = &game;
    PrizeTicketMemo->setPlainText(m_ticketsOfGame.value(game.keyText()));
    PrizeBlueEd->clear();
    PrizeDrawCbx->clearEditText();
    // The other game's draws and result mean nothing here.
    m_drawsListed = -1;
    m_newestListed = 0;
    PrizeDrawCbx->clear();
    PrizeModel->setGame(game);
    PrizeSummaryLbl->clear();
    m_summaryArea->setFixedHeight(0);
    for (QPushButton* b : {PrizeExportTextBt, PrizeExportCsvBt, PrizePrintBt})
        b->setEnabled(false);
    showGameWords();
    refreshDraws();
}

void TPrizeWindow::refreshDraws() {
    const int newest = m_history.empty() ? 0 : m_history.back().code();
    if (int(m_history.size()) == m_drawsListed && newest == m_newestListed) return;
    const QString typed = PrizeDrawCbx->currentText();
    const bool keepTyped = m_drawsListed >= 0;
    QStringList items;
    items.reserve(qsizetype(m_history.size()));
    for (auto it = m_history.rbegin(); it != m_history.rend(); ++it)
        items << QStringLiteral("%1  %2").arg(it->code()).arg(DrawText(DrawOf(*it, *m_game)));
    PrizeDrawCbx->clear();
    PrizeDrawCbx->addItems(items);
    if (keepTyped) PrizeDrawCbx->setEditText(typed);
    m_drawsListed = int(m_history.size());
    m_newestListed = newest;
}

void TPrizeWindow::setTickets(const QString& text) {
    PrizeTicketMemo->setPlainText(text);
}

void TPrizeWindow::setDraw(const QString& text) {
    const int found = PrizeDrawCbx->findText(text.trimmed(), Qt::MatchStartsWith);
    if (found >= 0 && text.trimmed().size() == 7)
        PrizeDrawCbx->setCurrentIndex(found);
    else
        PrizeDrawCbx->setEditText(text);
}

void TPrizeWindow::PrizeImportBtClick() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("导入投注号码"), QString(),
                                                      QStringLiteral("文本文件 (*.txt);;所有文件 (*)"));
    if (path.isEmpty()) return;
    RunGuarded(this, [&] {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw KelvoraError(QStringLiteral("无法打开文件 \"%1\"：%2")
                                   .arg(QDir::toNativeSeparators(path), file.errorString()));
        PrizeTicketMemo->setPlainText(DecodeTicketFile(ReadDeviceBytes(file, path)));
    });
}

// A bad line, blue list or draw ends the command with its message; the table keeps the previous result.
void TPrizeWindow::PrizeCheckBtClick() {
    refreshDraws();
    RunGuarded(this, [&] {
        const auto wait = waitCursor();
        TicketList list =
            ReadTickets(PrizeTicketMemo->toPlainText(), ReadBlueList(PrizeBlueEd->text(), *m_game), *m_game);
        if (!list.badLines.empty()) throw KelvoraError(BadLinesMessage(list));
        PrizeResult result =
            CheckTickets(list.tickets, ParseDraw(PrizeDrawCbx->currentText(), m_history, *m_game), *m_game,
                         PrizeExtraCb->isChecked(), figuresOfGame());
        PrizeModel->setDrawResult(std::move(list.tickets), std::move(result));
        showResult();
    });
}

void TPrizeWindow::setFigures(const FiguresTable* figures) {
    m_figures = figures;
}

const FiguresTable* TPrizeWindow::figuresOfGame() const {
    return m_figures && m_figures->game == m_game ? m_figures : nullptr;
}

void TPrizeWindow::PrizeHistoryBtClick() {
    RunGuarded(this, [&] {
        const auto wait = waitCursor();
        TicketList list =
            ReadTickets(PrizeTicketMemo->toPlainText(), ReadBlueList(PrizeBlueEd->text(), *m_game), *m_game);
        if (!list.badLines.empty()) throw KelvoraError(BadLinesMessage(list));
        if (m_history.empty()) throw KelvoraError(QStringLiteral("没有开奖数据，无法历史核对"));
        HistoryResult result =
            CheckHistory(list.tickets, m_history, *m_game, PrizeExtraCb->isChecked(), figuresOfGame());
        PrizeModel->setHistoryResult(std::move(list.tickets), std::move(result));
        showResult();
    });
}

void TPrizeWindow::showResult() {
    PrizeTable->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    PrizeTable->resizeColumnsToContents();
    PrizeSummaryLbl->setText(PrizeModel->summaryLines().join(QLatin1Char('\n')));
    const int most = PrizeSummaryLbl->fontMetrics().lineSpacing() * 7;
    m_summaryArea->setFixedHeight(std::min(most, PrizeSummaryLbl->heightForWidth(m_summaryArea->width())));
    for (QPushButton* b : {PrizeExportTextBt, PrizeExportCsvBt, PrizePrintBt})
        b->setEnabled(true);
}

void TPrizeWindow::exportLines(const QString& filter, const QString& suffix, bool csv) {
    const QString path = AskExportFileOfType(this, filter, suffix);
    if (path.isEmpty()) return;
    RunGuarded(this, [&] { ExportLines(path, csv ? PrizeModel->csvLines() : PrizeModel->reportLines()); });
}

void TPrizeWindow::PrizeExportTextBtClick() {
    exportLines(QStringLiteral("文本文件 (*.txt)"), QStringLiteral("txt"), false);
}

void TPrizeWindow::PrizeExportCsvBtClick() {
    exportLines(QStringLiteral("CSV文件 (*.csv)"), QStringLiteral("csv"), true);
}

void TPrizeWindow::PrizePrintBtClick() {
    const QString title = PrintTitle(*m_game, QStringLiteral("中奖查询"));
    PrintLines(this, PrizeModel->reportLines(), title, 12);
}

void TPrizeWindow::keyPressEvent(QKeyEvent* event) {
    // Esc closes it as it closes a dialog: the key comes here when no field has used it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

TPrizeWindow* OpenPrizeCheck(QWidget* from, const TCodeArr& history, const QString& tickets,
                             const QString& draw, const Game& game) {
    QWidget* owner = from ? from->window() : nullptr;
    auto* window =
        owner ? owner->findChild<TPrizeWindow*>(QStringLiteral("PrizeWindow"), Qt::FindDirectChildrenOnly)
              : nullptr;
    if (!window) {
        window = new TPrizeWindow(history, owner);
        // Centred on the window it belongs to; left alone, a new top-level window lands in the
        // screen's corner over the menu. Sized as it will show (polished), within the screen.
        const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        const QRect room = screen ? screen->availableGeometry() : QRect();
        window->ensurePolished();
        window->layout()->activate();
        // The frame is the owner's, as the same window manager draws both. Asking the window itself
        // would need its native handle before it shows, and winId() on a child of the main window
        // makes every sibling native: its menu, tool and status bars then stop repainting on X11.
        const QRect ownerFrame = owner ? owner->frameGeometry() : QRect();
        const QRect ownerInside = owner ? owner->geometry() : QRect();
        const QMargins margins =
            owner && owner->isVisible()
                ? QMargins(ownerInside.left() - ownerFrame.left(), ownerInside.top() - ownerFrame.top(),
                           ownerFrame.right() - ownerInside.right(),
                           ownerFrame.bottom() - ownerInside.bottom())
                : QMargins();
        window->resize(room.isValid() ? window->sizeHint().boundedTo(room.size().shrunkBy(margins))
                                      : window->sizeHint());
        QRect frame(QPoint(), window->size().grownBy(margins));
        frame.moveCenter(owner ? owner->frameGeometry().center() : room.center());
        if (room.isValid()) {
            frame.moveRight(std::min(frame.right(), room.right()));
            frame.moveBottom(std::min(frame.bottom(), room.bottom()));
            frame.moveLeft(std::max(frame.left(), room.left()));
            frame.moveTop(std::max(frame.top(), room.top()));
        }
        window->move(frame.topLeft());
    }
    window->setGame(game);
    window->refreshDraws();
    if (!tickets.isNull()) window->setTickets(tickets);
    if (!draw.isEmpty()) window->setDraw(draw);
    window->show();
    window->raise();
    window->activateWindow();
    if (!tickets.isNull() && !draw.isEmpty()) window->PrizeCheckBtClick();
    return window;
}
