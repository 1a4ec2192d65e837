#include "ui/shrink/WheelSheet.h"

#include "engine/core/KelvoraError.h"
#include "engine/io/ExportFile.h"
#include "engine/prize/TicketReader.h"
#include "engine/wheel/ResultWheel.h"
#include "engine/wheel/StoredWheels.h"
#include "engine/wheel/Wheel.h"
#include "ui/CommandGuard.h"
#include "ui/history/PrintLines.h"
#include "ui/ledger/LedgerPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QThread>
#include <QVBoxLayout>
#include <bit>

namespace {

// A cell without a stored wheel is searched until it reaches its lower bound or stalls, and this
// long at most (the best wheel so far is kept).
constexpr std::chrono::seconds searchTime{30};

// A cancelled search shows the best complete tickets it had found, checked like any others.
QString cancelledPrefix() {
    return QStringLiteral("搜索已取消，以下是目前最好的结果：");
}

QPushButton* addButton(QHBoxLayout* row, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    row->addWidget(b);
    return b;
}

QLineEdit* addEdit(const QString& name, const QString& hint) {
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setPlaceholderText(hint);
    return e;
}

// A wheel guards fronts only: for a game of two backs a line without backs reads as if it had them.
uint32_t anyBacks(const Game& game) {
    return game.backPicks == 1 ? 0 : ((uint32_t(1) << game.backPicks) - 1) << 1;
}

} // namespace

// The single tickets of a ticket text; throws for bad lines, compound lines or no ticket.
std::vector<uint64_t> TWheelSheet::singleTickets(const QString& text) const {
    const int picks = m_game->frontPicks;
    const TicketList list = ReadTickets(text, anyBacks(*m_game), *m_game);
    if (!list.badLines.empty()) throw KelvoraError(BadLinesMessage(list.badLines));
    if (list.tickets.empty()) throw KelvoraError(QStringLiteral("没有投注号码"));
    std::vector<uint64_t> reds;
    for (const PrizeTicket& t : list.tickets) {
        if (t.redCount != picks)
            throw KelvoraError(QStringLiteral("第%1行不是单注号码：旋转只接受每行%2个%3")
                                   .arg(t.line)
                                   .arg(picks)
                                   .arg(m_game->front()));
        reds.push_back(t.reds);
    }
    return reds;
}

int TWheelSheet::backCount() const {
    const int n = std::popcount(ReadBlueList(BluesEd->text(), *m_game));
    if (n > 0 && n < m_game->backPicks)
        throw KelvoraError(QStringLiteral("%1号码最少%2个").arg(m_game->back()).arg(m_game->backPicks));
    return n;
}

TWheelSheet::TWheelSheet(NumbersReader candidates, TextReader resultText, QWidget* parent)
    : QWidget(parent), m_candidates(std::move(candidates)), m_resultText(std::move(resultText)),
      m_saveName(AskExportFileName) {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    grid->addWidget(new QLabel(QStringLiteral("号码:")), 0, 0);
    NumbersEd = addEdit(QStringLiteral("NumbersEd"), QString());
    grid->addWidget(NumbersEd, 0, 1);
    FromMatrixBt = new QPushButton(QStringLiteral("取候选号码"));
    FromMatrixBt->setObjectName(QStringLiteral("FromMatrixBt"));
    grid->addWidget(FromMatrixBt, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("胆码:")), 1, 0);
    BankersEd = addEdit(QStringLiteral("BankersEd"), QString());
    grid->addWidget(BankersEd, 1, 1);
    GuaranteeCbb = new QComboBox;
    GuaranteeCbb->setObjectName(QStringLiteral("GuaranteeCbb"));
    grid->addWidget(GuaranteeCbb, 1, 2);
    BluesLbl = new QLabel;
    grid->addWidget(BluesLbl, 2, 0);
    BluesEd = addEdit(QStringLiteral("BluesEd"), QString());
    grid->addWidget(BluesEd, 2, 1);
    // Beside the blues it uses, which also keeps the button row within the window's first width.
    ExportResultBt = new QPushButton;
    ExportResultBt->setObjectName(QStringLiteral("ExportResultBt"));
    grid->addWidget(ExportResultBt, 2, 2);
    EstimateLbl = new QLabel;
    EstimateLbl->setObjectName(QStringLiteral("EstimateLbl"));
    grid->addWidget(EstimateLbl, 3, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    BuildBt = addButton(buttons, QStringLiteral("BuildBt"), QStringLiteral("生成旋转矩阵"));
    FromResultBt = addButton(buttons, QStringLiteral("FromResultBt"), QStringLiteral("缩水后旋转"));
    CheckBt = addButton(buttons, QStringLiteral("CheckBt"), QStringLiteral("检查旋转矩阵"));
    CheckBt->setToolTip(QStringLiteral("把一个旋转矩阵粘贴到下面的号码框，按号码和保证条件逐一验证"));
    CancelBt = addButton(buttons, QStringLiteral("CancelBt"), QStringLiteral("取消"));
    ExportBt = addButton(buttons, QStringLiteral("ExportBt"), QStringLiteral("导出"));
    CopyBt = addButton(buttons, QStringLiteral("CopyBt"), QStringLiteral("复制"));
    PrintBt = addButton(buttons, QStringLiteral("PrintBt"), QStringLiteral("打印"));
    buttons->addStretch(1);
    CancelBt->setEnabled(false);

    SearchBar = new QProgressBar;
    SearchBar->setObjectName(QStringLiteral("SearchBar"));
    SearchBar->setRange(0, 1);
    SearchBar->setValue(0);
    SearchBar->setTextVisible(false);
    layout->addWidget(SearchBar);
    ResultLbl = new QLabel;
    ResultLbl->setObjectName(QStringLiteral("ResultLbl"));
    ResultLbl->setWordWrap(true);
    ResultLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(ResultLbl);
    TicketMemo = new QPlainTextEdit;
    TicketMemo->setObjectName(QStringLiteral("TicketMemo"));
    // A check's report lists the combinations the wheel misses: beside the wheel, not above it, so
    // that a long report never pushes the tickets out of sight.
    CheckReportMemo = new QPlainTextEdit;
    CheckReportMemo->setObjectName(QStringLiteral("CheckReportMemo"));
    CheckReportMemo->setReadOnly(true);
    CheckReportMemo->hide();
    auto* wheelAndReport = new QSplitter(Qt::Horizontal);
    wheelAndReport->setChildrenCollapsible(false);
    wheelAndReport->addWidget(TicketMemo);
    wheelAndReport->addWidget(CheckReportMemo);
    layout->addWidget(wheelAndReport, 1);
    TicketMemo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TicketMemo, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu* menu = TicketMemo->createStandardContextMenu(pos);
        menu->addSeparator();
        menu->addAction(QStringLiteral("加入投注记录..."), this,
                        [this] { AddToLedger(this, TicketMemo->toPlainText()); });
        menu->exec(TicketMemo->viewport()->mapToGlobal(pos));
        delete menu;
    });

    showGameWords();
    fillGuarantees();
    connect(FromMatrixBt, &QPushButton::clicked, this, &TWheelSheet::FromMatrixBtClick);
    connect(BuildBt, &QPushButton::clicked, this, &TWheelSheet::BuildBtClick);
    connect(FromResultBt, &QPushButton::clicked, this, &TWheelSheet::FromResultBtClick);
    connect(CheckBt, &QPushButton::clicked, this, &TWheelSheet::CheckBtClick);
    connect(CancelBt, &QPushButton::clicked, this, &TWheelSheet::CancelBtClick);
    connect(ExportBt, &QPushButton::clicked, this, &TWheelSheet::ExportBtClick);
    connect(CopyBt, &QPushButton::clicked, this, &TWheelSheet::CopyBtClick);
    connect(PrintBt, &QPushButton::clicked, this, &TWheelSheet::PrintBtClick);
    connect(ExportResultBt, &QPushButton::clicked, this, &TWheelSheet::ExportResultBtClick);
    connect(NumbersEd, &QLineEdit::textChanged, this, &TWheelSheet::updateEstimate);
    connect(BankersEd, &QLineEdit::textChanged, this, [this] {
        fillGuarantees();
        updateEstimate();
    });
    connect(BluesEd, &QLineEdit::textChanged, this, [this] {
        updateEstimate();
        // The tickets shown take the blues as they are typed.
        if (!m_worker && !m_lines.isEmpty())
            TicketMemo->setPlainText(ticketLinesWithBlues().join(QLatin1Char('\n')));
    });
    connect(GuaranteeCbb, &QComboBox::currentIndexChanged, this, &TWheelSheet::updateEstimate);
    updateEstimate();
}

TWheelSheet::~TWheelSheet() {
    if (m_worker) {
        m_cancel = true;
        m_worker->wait();
    }
}

void TWheelSheet::fillGuarantees() {
    // Only the cells a ticket can hold: with d bankers a ticket has picks - d places for the numbers.
    int bankers = 0;
    try {
        bankers = int(ReadWheelNumbers(BankersEd->text(), m_game->frontPool, QStringLiteral("胆码")).size());
    } catch (const KelvoraError&) {
    }
    const QVariant current = GuaranteeCbb->currentData();
    const QSignalBlocker block(GuaranteeCbb);
    GuaranteeCbb->clear();
    const int picks = m_game->frontPicks;
    for (int p = picks; p >= 2; --p)
        for (int t = p; t >= 2; --t)
            if (t <= picks - bankers)
                GuaranteeCbb->addItem(QStringLiteral("中%1保%2").arg(p).arg(t), p * 10 + t);
    const int at = GuaranteeCbb->findData(current);
    GuaranteeCbb->setCurrentIndex(at >= 0 ? at : 0);
}

void TWheelSheet::updateEstimate() {
    const int code = GuaranteeCbb->currentData().toInt();
    WheelRequest r;
    r.drawn = code / 10;
    r.held = code % 10;
    r.picks = m_game->frontPicks;
    r.pool = m_game->frontPool;
    QString text;
    int blues = 0;
    try {
        blues = backCount();
        r.numbers = ReadWheelNumbers(NumbersEd->text(), r.pool, QStringLiteral("号码"));
        r.bankers = ReadWheelNumbers(BankersEd->text(), r.pool, QStringLiteral("胆码"));
        if (r.numbers.empty()) {
            text = QStringLiteral("输入号码或取候选号码后，这里显示注数和金额");
        } else {
            CheckWheelRequest(r);
            const WheelShape shape = WheelShapeOf(r);
            if (const StoredWheel* stored = FindStoredWheel(shape)) {
                const int64_t bets = WheelBets(int64_t(stored->tickets.size()), blues, *m_game);
                text = QStringLiteral("将生成%1注（中%2保%3，%4个号码），共%5注，%6元")
                           .arg(stored->tickets.size())
                           .arg(r.drawn)
                           .arg(r.held)
                           .arg(r.numbers.size())
                           .arg(bets)
                           .arg(bets * m_game->price);
            } else {
                const std::optional<int64_t> bound =
                    SchoenheimBound(shape.v, shape.k, shape.drawn, shape.held);
                text = QStringLiteral("没有现成的旋转矩阵，需要搜索（最多%1秒，可取消）")
                           .arg(searchTime.count());
                if (bound) text += QStringLiteral("，至少%1注").arg(*bound);
            }
        }
    } catch (const KelvoraError& e) {
        text = e.message();
    }
    EstimateLbl->setText(text);
}

void TWheelSheet::FromMatrixBtClick() {
    NumbersEd->setText(WheelNumbersText(m_candidates()).replace(QLatin1Char(' '), QLatin1Char(',')));
}

void TWheelSheet::start(std::function<void()> work, int maximum) {
    m_cancel = false;
    m_lines.clear();
    m_summary.clear();
    m_error.clear();
    SearchBar->setRange(0, maximum);
    SearchBar->setValue(0);
    for (QPushButton* b : {BuildBt, FromResultBt, CheckBt, ExportBt, CopyBt, PrintBt})
        b->setEnabled(false);
    CancelBt->setEnabled(true);
    CheckReportMemo->hide(); // it was the report of another wheel
    ResultLbl->setText(QStringLiteral("正在计算..."));
    m_worker = QThread::create([this, work = std::move(work)] {
        try {
            work();
        } catch (const KelvoraError& e) {
            m_error = e.message();
        } catch (const std::bad_alloc&) {
            m_error = QStringLiteral("内存不足");
        }
    });
    connect(m_worker, &QThread::finished, this, &TWheelSheet::finish);
    m_worker->start();
}

void TWheelSheet::finish() {
    m_worker->deleteLater();
    m_worker = nullptr;
    for (QPushButton* b : {BuildBt, FromResultBt, CheckBt, ExportBt, CopyBt, PrintBt})
        b->setEnabled(true);
    CancelBt->setEnabled(false);
    SearchBar->setValue(SearchBar->maximum());
    if (!m_error.isEmpty() && m_error == WheelCancelledMessage()) {
        // The player asked for it: no message box, the tickets shown before stay.
        ResultLbl->setText(m_error);
    } else if (!m_error.isEmpty()) {
        ResultLbl->clear();
        ShowErrorBox(this, m_error);
    } else {
        TicketMemo->setPlainText(ticketLinesWithBlues().join(QLatin1Char('\n')));
        ResultLbl->setText(m_summary);
    }
    emit searchEnded();
}

QStringList TWheelSheet::ticketLinesWithBlues() const {
    uint32_t blues = 0;
    try {
        if (backCount() > 0) blues = ReadBlueList(BluesEd->text(), *m_game);
    } catch (const KelvoraError&) {
    }
    return TicketLinesWithBlues(m_lines, blues);
}

void TWheelSheet::BuildBtClick() {
    if (m_worker) return;
    WheelRequest r;
    int blues = 0;
    const int code = GuaranteeCbb->currentData().toInt();
    r.drawn = code / 10;
    r.held = code % 10;
    r.picks = m_game->frontPicks;
    r.pool = m_game->frontPool;
    // Everything is read and checked before the search starts: bad input builds nothing.
    if (!RunGuarded(this, [&] {
            blues = backCount();
            r.numbers = ReadWheelNumbers(NumbersEd->text(), r.pool, QStringLiteral("号码"));
            r.bankers = ReadWheelNumbers(BankersEd->text(), r.pool, QStringLiteral("胆码"));
            CheckWheelRequest(r);
        }))
        return;
    const bool stored = FindStoredWheel(WheelShapeOf(r)) != nullptr;
    // A missing or damaged table is said beside the result it slowed down, never as a box in the way.
    const QStringList tableProblems = stored ? QStringList() : StoredWheelProblems();
    start(
        [this, r, blues, tableProblems, &game = *m_game] {
            WheelSearchOptions o;
            o.timeLimit = searchTime;
            o.cancel = &m_cancel;
            o.progress = [this](int best) {
                QMetaObject::invokeMethod(this, [this, best] {
                    SearchBar->setValue(std::min(SearchBar->maximum(), SearchBar->value() + 1));
                    ResultLbl->setText(QStringLiteral("正在搜索，目前最好%1注...").arg(best));
                });
            };
            const Wheel w = BuildWheel(r, o);
            m_lines = WheelTicketLines(w);
            const int64_t bets = WheelBets(int64_t(w.tickets.size()), blues, game);
            m_summary = WheelCountLine(w) + QStringLiteral("　") + WheelVerifiedLine(w) +
                        QStringLiteral("　投注%1注，%2元").arg(bets).arg(bets * game.price);
            if (w.search.end == WheelSearchEnd::Cancelled)
                m_summary = cancelledPrefix() + m_summary;
            if (!tableProblems.isEmpty())
                m_summary += QStringLiteral("\n注意：%1（这个矩阵是重新搜索的）").arg(tableProblems.join(QStringLiteral("；")));
        },
        stored ? 1 : 0);
}

void TWheelSheet::FromResultBtClick() {
    if (m_worker) return;
    std::vector<uint64_t> tickets;
    int blues = 0;
    const int held = GuaranteeCbb->currentData().toInt() % 10;
    if (!RunGuarded(this, [&] {
            blues = backCount();
            tickets = singleTickets(m_resultText());
        }))
        return;
    start(
        [this, tickets = std::move(tickets), held, blues, &game = *m_game] {
            ResultCoverOptions o;
            o.cancel = &m_cancel;
            o.progress = [this](int permille) {
                QMetaObject::invokeMethod(this, [this, permille] { SearchBar->setValue(permille); });
            };
            const ResultWheel w = CoverResultTickets(tickets, held, o);
            m_lines = ResultWheelLines(w);
            const int64_t bets = WheelBets(int64_t(w.tickets.size()), blues, game);
            m_summary = ResultWheelCountLine(w) + QStringLiteral("　已验证：全部%1注均满足").arg(w.from) +
                        QStringLiteral("　投注%1注，%2元").arg(bets).arg(bets * game.price);
            if (w.cancelled) m_summary = cancelledPrefix() + m_summary;
        },
        1000);
}

void TWheelSheet::CheckBtClick() {
    const int code = GuaranteeCbb->currentData().toInt();
    RunGuarded(this, [&] {
        const int picks = m_game->frontPicks;
        const std::vector<int> numbers =
            ReadWheelNumbers(NumbersEd->text(), m_game->frontPool, QStringLiteral("号码"));
        if (int(numbers.size()) < picks + 1 || int(numbers.size()) > WheelMaxNumbers)
            throw KelvoraError(QStringLiteral("号码个数为%1个：旋转矩阵需要%2-%3个号码")
                                   .arg(numbers.size())
                                   .arg(picks + 1)
                                   .arg(WheelMaxNumbers));
        const TicketList list = ReadTickets(TicketMemo->toPlainText(), anyBacks(*m_game), *m_game);
        if (!list.badLines.empty()) throw KelvoraError(BadLinesMessage(list.badLines));
        if (list.tickets.empty()) throw KelvoraError(QStringLiteral("号码框中没有要检查的旋转矩阵"));
        std::vector<uint64_t> reds;
        for (const PrizeTicket& t : list.tickets) {
            if (t.bankers) throw KelvoraError(BankerLineInWheelMessage(t.line));
            reds.push_back(t.reds);
        }
        const QStringList report = TicketWheelCheckLines(CheckTicketWheel(numbers, code / 10, code % 10, reds));
        // The verdict above, in one line as a build's summary; the whole report, with the
        // combinations missed, beside the wheel.
        ResultLbl->setText(report.value(1));
        CheckReportMemo->setPlainText(report.join(QLatin1Char('\n')));
        CheckReportMemo->show();
    });
}

void TWheelSheet::CancelBtClick() {
    m_cancel = true;
}

void TWheelSheet::ExportBtClick() {
    const QString path = m_saveName(this);
    if (path.isEmpty()) return;
    RunGuarded(this, [&] { ExportLines(path, MemoLines(TicketMemo->toPlainText())); });
}

void TWheelSheet::CopyBtClick() {
    QApplication::clipboard()->setText(TicketMemo->toPlainText());
}

void TWheelSheet::ExportResultBtClick() {
    QStringList lines;
    int64_t bets = 0;
    if (!RunGuarded(this, [&] {
            const int count = backCount();
            const uint32_t blues = count > 0 ? ReadBlueList(BluesEd->text(), *m_game) : 0;
            QStringList tickets;
            for (uint64_t t : singleTickets(m_resultText()))
                tickets << TicketMaskText(t);
            lines = TicketLinesWithBlues(tickets, blues);
            bets = WheelBets(tickets.size(), count, *m_game);
        }))
        return;
    const QString path = m_saveName(this);
    if (path.isEmpty()) return;
    if (RunGuarded(this, [&] { ExportLines(path, lines); }))
        ResultLbl->setText(QStringLiteral("缩水结果%1行已导出，投注%2注，%3元")
                               .arg(lines.size())
                               .arg(bets)
                               .arg(bets * m_game->price));
}

void TWheelSheet::PrintBtClick() {
    const QString title = PrintTitle(*m_game, QStringLiteral("旋转矩阵"));
    PrintLines(this, MemoLines(TicketMemo->toPlainText()), title, 12);
}

void TWheelSheet::showGameWords() {
    const Game& game = *m_game;
    const QString back = game.back();
    NumbersEd->setPlaceholderText(QStringLiteral("%1-%2个%3，如 01,02,03,05,08,13,21,27")
                                      .arg(game.frontPicks + 1)
                                      .arg(WheelMaxNumbers)
                                      .arg(game.frontCount()));
    // One back is added to every ticket; of several, every choice of the game's count is.
    BluesEd->setPlaceholderText(game.backPicks == 1
                                    ? QStringLiteral("可不填；如 03,09 每注配这些%1").arg(back)
                                    : QStringLiteral("可不填；如 03,09,11 每注配这些%1号码的每%2个")
                                          .arg(back)
                                          .arg(game.backPicks));
    BankersEd->setPlaceholderText(QStringLiteral("可不填；每注都含的%1").arg(game.frontCount()));
    BluesLbl->setText(back + QLatin1Char(':'));
    ExportResultBt->setText(QStringLiteral("缩水结果加%1导出").arg(back));
    // A game of one pool has no backs to add to the tickets.
    const bool hasBacks = game.backPicks > 0;
    for (QWidget* w : std::initializer_list<QWidget*>{BluesLbl, BluesEd, ExportResultBt})
        w->setVisible(hasBacks);
}

void TWheelSheet::setGame(const Game& game) {
    if (game.id == m_game->id) return;
    if (m_worker) {
        // The search was for the game that goes: its tickets are not kept.
        disconnect(m_worker, &QThread::finished, this, &TWheelSheet::finish);
        m_cancel = true;
        m_worker->wait();
        finish();
    }
    m_otherGames[m_game->keyText()] = {NumbersEd->text(),         BankersEd->text(), BluesEd->text(),
                                       TicketMemo->toPlainText(), ResultLbl->text(), m_lines};
    m_game = &game;
    const GameState state = m_otherGames.value(game.keyText());
    const QSignalBlocker b1(NumbersEd), b2(BankersEd), b3(BluesEd);
    NumbersEd->setText(state.numbers);
    BankersEd->setText(state.bankers);
    BluesEd->setText(state.backs);
    TicketMemo->setPlainText(state.tickets);
    ResultLbl->setText(state.result);
    m_lines = state.lines;
    CheckReportMemo->hide();
    showGameWords();
    fillGuarantees();
    updateEstimate();
}
