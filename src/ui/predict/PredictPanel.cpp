#include "predict/PredictPanel.h"

#include "CommandGuard.h"
#include "KelvoraError.h"
#include "history/ExportFile.h"
#include "history/GbText.h"
#include "history/PrintLines.h"
#include "predict/Prediction.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int buttonWidth = 63;

// Blocks the window for the single prediction; the cursor says so.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

TPredictPanel::TPredictPanel(const TCodeArr& history, QWidget* parent)
    : QWidget(parent), m_history(history), m_chooseSaveFile(AskExportFileName) {
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
        const TPredictResult result = RunPredict(m_history, kind);
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

void TPredictPanel::TuiExportBtClick() {
    const QString path = m_chooseSaveFile ? m_chooseSaveFile(this) : QString();
    if (path.isEmpty()) return;
    RunGuarded(this, [&] { ExportLines(path, memoLines()); });
}

void TPredictPanel::TuiPrintBtClick() {
    PrintLines(this, memoLines(), QStringLiteral("Kelvora"), 12);
}
