#include "ui/predict/PredictPanel.h"

#include "engine/core/KelvoraError.h"
#include "engine/io/ExportFile.h"
#include "engine/io/GbText.h"
#include "engine/predict/PredictBacktest.h"
#include "engine/predict/Prediction.h"
#include "ui/CommandGuard.h"
#include "ui/history/PrintLines.h"
#include "ui/ledger/LedgerPanel.h"
#include "ui/prize/PrizeWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int buttonWidth = 63;

// The period count (default 100) and one of the seven commands.
bool askBacktest(QWidget* parent, int& draws, PredictKind& kind) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("历史回测"));
    auto* form = new QFormLayout(&dialog);
    auto* periods = new QSpinBox(&dialog);
    periods->setRange(1, 99999);
    periods->setValue(100);
    auto* command = new QComboBox(&dialog);
    for (PredictKind k : {PredictKind::Compound, PredictKind::Single, PredictKind::Banker, PredictKind::Cold,
                          PredictKind::Odd, PredictKind::Even, PredictKind::Zone})
        command->addItem(PredictCommandName(k), int(k));
    form->addRow(QStringLiteral("回测期数:"), periods);
    form->addRow(QStringLiteral("预测命令:"), command);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return false;
    periods->interpretText();
    draws = periods->value();
    kind = PredictKind(command->currentData().toInt());
    return true;
}

// Blocks the window for the single prediction; the cursor says so.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

TPredictPanel::TPredictPanel(const TCodeArr& history, QWidget* parent)
    : QWidget(parent), m_history(history), m_chooseSaveFile(AskExportFileName), m_askBacktest(askBacktest) {
    setObjectName(QStringLiteral("PridictPanel"));

    TuiToolBar = new QToolBar(this);
    TuiToolBar->setObjectName(QStringLiteral("TuiToolBar"));
    TuiToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    TuiToolBar->setMovable(false);

    TuiExportBt = addButton(QStringLiteral("导出"), QStringLiteral("TuiExportBt"),
                            &TPredictPanel::TuiExportBtClick, true);
    TuiPrintBt = addButton(QStringLiteral("打印"), QStringLiteral("TuiPrintBt"),
                           &TPredictPanel::TuiPrintBtClick, true);
    TuiToolBar->addSeparator();
    TuiCombinePredictBt = addButton(QStringLiteral("复式预测"), QStringLiteral("TuiCombinePredictBt"),
                                    &TPredictPanel::TuiCombinePredictBtClick, true);
    TuiSinglePredictBt = addButton(QStringLiteral("单注预测"), QStringLiteral("TuiSinglePredictBt"),
                                   &TPredictPanel::TuiSinglePredictBtClick, false);
    TuiNerveRcmBt = addButton(QStringLiteral("胆码推荐"), QStringLiteral("TuiNerveRcmBt"),
                              &TPredictPanel::TuiNerveRcmBtClick, false);
    TuiColdCodeRcmBt = addButton(QStringLiteral("冷码推荐"), QStringLiteral("TuiColdCodeRcmBt"),
                                 &TPredictPanel::TuiColdCodeRcmBtClick, false);
    TuiOddNumRcmBt = addButton(QStringLiteral("奇数推荐"), QStringLiteral("TuiOddNumRcmBt"),
                               &TPredictPanel::TuiOddNumRcmBtClick, false);
    TuiEvenNumRcmBt = addButton(QStringLiteral("偶数推荐"), QStringLiteral("TuiEvenNumRcmBt"),
                                &TPredictPanel::TuiEvenNumRcmBtClick, false);
    TuiAreaNumRcmBt = addButton(QStringLiteral("区间推荐"), QStringLiteral("TuiAreaNumRcmBt"),
                                &TPredictPanel::TuiAreaNumRcmBtClick, false);

    // The hidden buttons' commands, reachable from one drop-down button. A hidden tool-bar widget is
    // also disabled, so the menu calls the slots rather than clicking the buttons.
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("TuiMorePredictMenu"));
    menu->addAction(TuiSinglePredictBt->text(), this, &TPredictPanel::TuiSinglePredictBtClick);
    menu->addAction(TuiNerveRcmBt->text(), this, &TPredictPanel::TuiNerveRcmBtClick);
    menu->addAction(TuiColdCodeRcmBt->text(), this, &TPredictPanel::TuiColdCodeRcmBtClick);
    menu->addAction(TuiOddNumRcmBt->text(), this, &TPredictPanel::TuiOddNumRcmBtClick);
    menu->addAction(TuiEvenNumRcmBt->text(), this, &TPredictPanel::TuiEvenNumRcmBtClick);
    menu->addAction(TuiAreaNumRcmBt->text(), this, &TPredictPanel::TuiAreaNumRcmBtClick);
    menu->addSeparator();
    menu->addAction(QStringLiteral("历史回测"), this, &TPredictPanel::TuiBacktestClick);
    TuiMorePredictBt = new QToolButton(TuiToolBar);
    TuiMorePredictBt->setObjectName(QStringLiteral("TuiMorePredictBt"));
    TuiMorePredictBt->setText(QStringLiteral("更多预测"));
    TuiMorePredictBt->setToolButtonStyle(Qt::ToolButtonTextOnly);
    TuiMorePredictBt->setPopupMode(QToolButton::InstantPopup);
    TuiMorePredictBt->setMenu(menu);
    TuiMorePredictBt->setMinimumWidth(buttonWidth);
    TuiToolBar->addWidget(TuiMorePredictBt);

    TuiMemo = new QPlainTextEdit(this);
    TuiMemo->setObjectName(QStringLiteral("TuiMemo"));
    TuiMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TuiMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette palette = TuiMemo->palette();
    palette.setColor(QPalette::Base, QColor(241, 223, 205));
    TuiMemo->setPalette(palette);

    // The tool bar keeps its commands; the prize check of the page's text sits in the text's menu.
    TuiPrizeCheckAct = new QAction(QStringLiteral("中奖查询..."), this);
    TuiPrizeCheckAct->setObjectName(QStringLiteral("TuiPrizeCheckAct"));
    connect(TuiPrizeCheckAct, &QAction::triggered, this, &TPredictPanel::TuiPrizeCheckClick);
    TuiMemo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TuiMemo, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu* menu = TuiMemo->createStandardContextMenu(pos);
        menu->addSeparator();
        menu->addAction(TuiPrizeCheckAct);
        menu->addAction(QStringLiteral("加入投注记录..."), this,
                        [this] { AddToLedger(this, TuiMemo->toPlainText()); });
        menu->exec(TuiMemo->viewport()->mapToGlobal(pos));
        delete menu;
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TuiToolBar);
    layout->addWidget(TuiMemo, 1);
}

QToolButton* TPredictPanel::addButton(const QString& caption, const QString& name,
                                      void (TPredictPanel::*slot)(), bool visible) {
    auto* button = new QToolButton(TuiToolBar);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFixedWidth(buttonWidth);
    connect(button, &QToolButton::clicked, this, slot);
    // A widget on a tool bar is shown and hidden through its action.
    TuiToolBar->addWidget(button)->setVisible(visible);
    return button;
}

void TPredictPanel::setGame(const Game& game) {
    if (&game == m_game) return;
    m_textOfGame.insert(m_game->keyText(), TuiMemo->toPlainText());
    m_game = &game;
    TuiMemo->setPlainText(m_textOfGame.value(game.keyText()));
}

void TPredictPanel::setSaveFileChooser(SaveFileChooser chooser) {
    m_chooseSaveFile = std::move(chooser);
}

QStringList TPredictPanel::memoLines() const {
    return MemoLines(TuiMemo->toPlainText());
}

void TPredictPanel::runCommand(PredictKind kind) {
    RunGuarded(this, [&] {
        std::optional<WaitCursor> wait;
        if (kind == PredictKind::Single) wait.emplace();
        const TPredictResult result = RunPredict(m_history, kind, *m_game);
        TuiMemo->setPlainText(result.lines.join(QLatin1Char('\n')));
        emit statusText(result.statusText);
        if (result.caption) emit captionText(QString::number(*result.caption));
    });
}

void TPredictPanel::TuiCombinePredictBtClick() {
    runCommand(PredictKind::Compound);
}
void TPredictPanel::TuiSinglePredictBtClick() {
    runCommand(PredictKind::Single);
}
void TPredictPanel::TuiNerveRcmBtClick() {
    runCommand(PredictKind::Banker);
}
void TPredictPanel::TuiColdCodeRcmBtClick() {
    runCommand(PredictKind::Cold);
}
void TPredictPanel::TuiOddNumRcmBtClick() {
    runCommand(PredictKind::Odd);
}
void TPredictPanel::TuiEvenNumRcmBtClick() {
    runCommand(PredictKind::Even);
}
void TPredictPanel::TuiAreaNumRcmBtClick() {
    runCommand(PredictKind::Zone);
}

void TPredictPanel::TuiBacktestClick() {
    int draws = 100;
    PredictKind kind = PredictKind::Compound;
    if (!m_askBacktest || !m_askBacktest(this, draws, kind)) return;
    RunGuarded(this, [&] {
        const WaitCursor wait;
        const PredictBacktest b = RunPredictBacktest(m_history, kind, draws, *m_game);
        TuiMemo->setPlainText(PredictBacktestText(b).join(QLatin1Char('\n')));
        emit statusText(QStringLiteral("完成 历史回测"));
    });
}

void TPredictPanel::TuiExportBtClick() {
    const QString path = m_chooseSaveFile ? m_chooseSaveFile(this) : QString();
    if (path.isEmpty()) return;
    RunGuarded(this, [&] { ExportLines(path, memoLines()); });
}

void TPredictPanel::TuiPrizeCheckClick() {
    OpenPrizeCheck(this, m_history, TuiMemo->toPlainText(), QString(), *m_game);
}

void TPredictPanel::TuiPrintBtClick() {
    // The two-colour ball's pages keep their plain header; another game's name their game.
    const QString title = PrintTitle(*m_game, QStringLiteral("智能预测"));
    PrintLines(this, memoLines(), title, 12);
}
