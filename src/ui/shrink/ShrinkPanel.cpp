#include "ui/shrink/ShrinkPanel.h"

#include "engine/io/ExportFile.h"
#include "engine/io/GbText.h"
#include "engine/metrics/Code.h"
#include "engine/prize/ResultCheckAnswer.h"
#include "engine/shrink/ConditionSet.h"
#include "engine/shrink/ShrinkBacks.h"
#include "engine/shrink/ShrinkRun.h"
#include "engine/wheel/NumberGroups.h"
#include "ui/CommandGuard.h"
#include "ui/ExportDialog.h"
#include "ui/UserSettings.h"
#include "ui/controls/MultiChk.h"
#include "ui/controls/MultiRadio.h"
#include "ui/forms/ProgressForm.h"
#include "ui/history/FindCode.h"
#include "ui/history/PrintLines.h"
#include "ui/ledger/LedgerPanel.h"
#include "ui/prize/PrizeWindow.h"
#include "ui/shrink/BacktestSheet.h"
#include "ui/shrink/ResultCheckDialog.h"
#include "ui/shrink/WheelSheet.h"

#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString SameCountDesignText = QStringLiteral("与上期开奖红球重号个数设定：");
const QString NotChosen = QStringLiteral("不选");

QLabel* addLabel(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

// Captions such as "01-11出        个号码" leave blanks where a spin edit or a drop-down list sits.
// The blanks were measured in 宋体 at 14 pixels, 7 pixels each; a narrower font would squeeze the
// widgets, so each run of blanks becomes a gap at least that wide between the caption's words.
// Returns the gaps (widget rectangles), plus one of width trailing after the last word.
QList<QRect> addCaption(QWidget* parent, const QString& text, int left, int top, int trailing = 0) {
    constexpr int DesignBlank = 7;
    QList<QRect> gaps;
    const QFontMetrics fm(parent->font());
    const int height = 22;
    const int gapTop = top + (fm.height() - height) / 2;
    int x = left;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype j = i;
        const bool blank = text[i] == QLatin1Char(' ');
        while (j < text.size() && (text[j] == QLatin1Char(' ')) == blank)
            ++j;
        const QString run = text.mid(i, j - i);
        if (blank) {
            const int width = std::max(fm.horizontalAdvance(run), int(run.size()) * DesignBlank);
            gaps << QRect(x + 1, gapTop, width - 2, height);
            x += width;
        } else {
            QLabel* word = addLabel(parent, run, x, top);
            x += word->width();
        }
        i = j;
    }
    if (trailing > 0) gaps << QRect(x + 2, gapTop, trailing, height);
    return gaps;
}

QSpinBox* addSpin(QWidget* parent, const QString& name, int low, int high) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(low, high);
    return spin;
}

// A drop-down list: "不选" and then the values low..high.
QComboBox* addChoice(QWidget* parent, const QString& name, int low, int high) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItem(NotChosen);
    for (int v = low; v <= high; ++v)
        combo->addItem(QString::number(v));
    combo->setCurrentIndex(0);
    return combo;
}

QLineEdit* addEdit(QWidget* parent, const QString& name, const QString& hint) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setToolTip(hint);
    return edit;
}

// The matrices are created as the main window's start-up creates them: items, caption width,
// columns, then position and cursor.
template <typename Matrix>
Matrix* addMatrix(QWidget* parent, const QString& name, const QStringList& items, int capWidth, int cols,
                  int top, int left) {
    auto* m = new Matrix(parent);
    m->setObjectName(name);
    for (const QString& item : items)
        m->AddItem(item);
    m->SetCapWidth(capWidth);
    m->SetCols(cols);
    m->move(left, top);
    m->setCursor(Qt::PointingHandCursor);
    return m;
}

QStringList ratioItems(const Game& game) {
    QStringList items;
    for (int k = 0; k <= game.frontPicks; ++k)
        items << game.ratioLabel(k);
    return items;
}

// "0".."picks": the items of a hit row.
QStringList countItems(const Game& game) {
    QStringList items;
    for (int k = 0; k <= game.frontPicks; ++k)
        items << QString::number(k);
    return items;
}

// The input box's answer may be three bytes in the program's code page without being three
// characters (a double-byte character and a digit): search it the same way.
QString findThreeBytes(QPlainTextEdit* memo, const QString& text) {
    // A number is found as a whole number, the last of a line too (no separator follows it there).
    const QString number = FindNumberInMemo(memo, text);
    if (!number.isEmpty()) return number;
    const QString found = FindCodeInMemo(memo, text);
    if (!found.isEmpty()) return found;
    const QTextCursor hit = memo->document()->find(text, 0, QTextDocument::FindCaseSensitively);
    if (hit.isNull()) return QStringLiteral("抱歉，没有找到号码") + text;
    memo->setTextCursor(hit);
    return QStringLiteral("恭喜，找到号码") + text;
}

QString defaultConditionFile(QWidget* parent, bool save) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("缩水条件文件 (*.json)"));
    dialog.setDefaultSuffix(QStringLiteral("json"));
    dialog.setDirectory(LastDir());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    RememberLastDir(dialog.selectedFiles().first());
    return dialog.selectedFiles().first();
}

bool defaultQuestion(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QString(), text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

} // namespace

TShrinkPanel::TShrinkPanel(const TCodeArr& history, QWidget* parent)
    : QWidget(parent), History(history), m_saveName(AskExportFileName),
      m_inputBox([this](QWidget* parent, const QString& caption) {
          TResultCheckDialog box(History, parent, *m_game);
          box.setWindowTitle(caption);
          return box.exec() == QDialog::Accepted ? box.answer() : QString();
      }),
      m_conditionFile(defaultConditionFile), m_question(defaultQuestion) {
    setObjectName(QStringLiteral("RcmPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    RcmPanelTbr = new QToolBar(this);
    RcmPanelTbr->setObjectName(QStringLiteral("RcmPanelTbr"));
    RcmPanelTbr->setToolButtonStyle(Qt::ToolButtonTextOnly);
    RcmPanelClearBt = addButton(QStringLiteral("RcmPanelClearBt"), QStringLiteral("清除条件"),
                                &TShrinkPanel::RcmPanelClearBtClick);
    RcmPanelUndoClearAct = new QAction(QStringLiteral("撤销清除"), this);
    RcmPanelUndoClearAct->setObjectName(QStringLiteral("RcmPanelUndoClearAct"));
    RcmPanelUndoClearAct->setShortcut(QKeySequence::Undo);
    RcmPanelUndoClearAct->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    RcmPanelUndoClearAct->setEnabled(false);
    connect(RcmPanelUndoClearAct, &QAction::triggered, this, &TShrinkPanel::RcmPanelUndoClearActClick);
    addAction(RcmPanelUndoClearAct);
    auto* clearMenu = new QMenu(RcmPanelClearBt);
    clearMenu->addAction(RcmPanelUndoClearAct);
    RcmPanelClearBt->setMenu(clearMenu);
    RcmPanelClearBt->setPopupMode(QToolButton::MenuButtonPopup);
    RcmPanelClearBt->setToolTip(QStringLiteral("把条件恢复为初始值；旁边的箭头或Ctrl+Z可撤销清除"));
    RcmPanelExportBt = addButton(QStringLiteral("RcmPanelExportBt"), QStringLiteral("导出结果"),
                                 &TShrinkPanel::RcmPanelExportBtClick);
    RcmPanelCheckBt = addButton(QStringLiteral("RcmPanelCheckBt"), QStringLiteral("结果兑奖"),
                                &TShrinkPanel::RcmPanelCheckBtClick);
    RcmPanelPrintBt = addButton(QStringLiteral("RcmPanelPrintBt"), QStringLiteral("打印结果"),
                                &TShrinkPanel::RcmPanelPrintBtClick);
    RcmPanelScaleBt = addButton(QStringLiteral("RcmPanelScaleBt"), QStringLiteral("缩水计算"),
                                &TShrinkPanel::RcmPanelScaleBtClick);
    // 容错 sits beside the run it changes.
    auto* toleranceLabel = new QLabel(QStringLiteral(" 容错"), RcmPanelTbr);
    RcmPanelTbr->addWidget(toleranceLabel);
    RcmPanelToleranceSe = new QSpinBox(RcmPanelTbr);
    RcmPanelToleranceSe->setObjectName(QStringLiteral("RcmPanelToleranceSe"));
    RcmPanelToleranceSe->setRange(0, 17);
    RcmPanelToleranceSe->setToolTip(QStringLiteral("容错：号码最多可以不满足几个启用的条件（复式号码除外）"));
    RcmPanelTbr->addWidget(RcmPanelToleranceSe);
    RcmPanelViewCodeBt = addButton(QStringLiteral("RcmPanelViewCodeBt"), QStringLiteral("查看结果"),
                                   &TShrinkPanel::RcmPanelViewCodeBtClick);
    RcmPanelTbr->addSeparator();
    RcmPanelSaveCondBt = addButton(QStringLiteral("RcmPanelSaveCondBt"), QStringLiteral("保存条件"),
                                   &TShrinkPanel::RcmPanelSaveCondBtClick);
    RcmPanelLoadCondBt = addButton(QStringLiteral("RcmPanelLoadCondBt"), QStringLiteral("载入条件"),
                                   &TShrinkPanel::RcmPanelLoadCondBtClick);
    layout->addWidget(RcmPanelTbr);

    RcmPctl = new QTabWidget(this);
    RcmPctl->setObjectName(QStringLiteral("RcmPctl"));
    layout->addWidget(RcmPctl, 1);
    RcmSheet1 = new QWidget;
    RcmSheet1->setObjectName(QStringLiteral("RcmSheet1"));
    RcmSheet2 = new QWidget;
    RcmSheet2->setObjectName(QStringLiteral("RcmSheet2"));
    RcmSheet3 = new QWidget;
    RcmSheet3->setObjectName(QStringLiteral("RcmSheet3"));
    RcmSheet4 = new QWidget;
    RcmSheet4->setObjectName(QStringLiteral("RcmSheet4"));
    RcmPctl->addTab(RcmSheet1, QStringLiteral("条件1"));
    RcmPctl->addTab(RcmSheet2, QStringLiteral("条件2"));
    RcmPctl->addTab(RcmSheet3, QStringLiteral("条件3"));
    RcmPctl->addTab(RcmSheet4, QStringLiteral("缩水结果"));
    RcmSheet5 = new TBacktestSheet(History, [this] { return readTypedInput(); });
    RcmPctl->addTab(RcmSheet5, QStringLiteral("历史验证"));

    buildSheet1();
    buildSheet2();
    buildSheet3();

    auto* memoLayout = new QVBoxLayout(RcmSheet4);
    memoLayout->setContentsMargins(0, 0, 0, 0);
    RcmMemo = new QPlainTextEdit(RcmSheet4);
    RcmMemo->setObjectName(QStringLiteral("RcmMemo"));
    RcmMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RcmResultTabs = new QTabWidget(RcmSheet4);
    RcmResultTabs->setObjectName(QStringLiteral("RcmResultTabs"));
    RcmResultTabs->setTabPosition(QTabWidget::South);
    RcmResultTabs->addTab(RcmMemo, QStringLiteral("缩水结果"));
    RcmWheelSheet = new TWheelSheet(
        [this] {
            std::vector<int> numbers;
            for (int k = 0; k < RcmSheet1CodeChk->Count(); ++k)
                if (RcmSheet1CodeChk->Checked(k)) numbers.push_back(k + 1);
            return numbers;
        },
        [this] { return RcmMemo->toPlainText(); });
    RcmWheelSheet->setObjectName(QStringLiteral("RcmWheelSheet"));
    RcmResultTabs->addTab(RcmWheelSheet, QStringLiteral("旋转矩阵"));
    memoLayout->addWidget(RcmResultTabs);
    RcmMemo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RcmMemo, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu* menu = RcmMemo->createStandardContextMenu(pos);
        menu->addSeparator();
        menu->addAction(QStringLiteral("加入投注记录..."), this,
                        [this] { AddToLedger(this, RcmMemo->toPlainText()); });
        menu->exec(RcmMemo->viewport()->mapToGlobal(pos));
        delete menu;
    });

    // Start values are the reset values.
    writeInput(ShrinkInput{});
    RcmPctl->setCurrentWidget(RcmSheet3);
    RcmSheet1->installEventFilter(this);
    RcmSheet1Panel->installEventFilter(this);
}

QToolButton* TShrinkPanel::addButton(const QString& name, const QString& caption,
                                     void (TShrinkPanel::*slot)()) {
    QAction* action = RcmPanelTbr->addAction(caption);
    connect(action, &QAction::triggered, this, slot);
    auto* button = qobject_cast<QToolButton*>(RcmPanelTbr->widgetForAction(action));
    button->setObjectName(name);
    button->setMinimumWidth(63);
    return button;
}

void TShrinkPanel::buildSheet1() {
    auto* sheetLayout = new QVBoxLayout(RcmSheet1);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->setSpacing(0);

    RcmSheet1Gbx1 = new QGroupBox(RcmSheet1);
    RcmSheet1Gbx1->setObjectName(QStringLiteral("RcmSheet1Gbx1"));
    const Game& game = *m_game;
    const bool twoBacks = game.backPicks > 1;
    RcmSheet1Gbx1->setFixedHeight(twoBacks ? 110 : 84);
    sheetLayout->addWidget(RcmSheet1Gbx1);
    addLabel(RcmSheet1Gbx1, game.front() + QLatin1Char(':'), 12, 22);
    QStringList numbers;
    for (int n = 1; n <= game.frontPool; ++n)
        numbers << NumToText(n);
    // Rows of 11 for 33 numbers, of 12 for 35.
    const int cols = (game.frontPool + 2) / 3;
    RcmSheet1CodeChk =
        addMatrix<TMultiChk>(RcmSheet1Gbx1, QStringLiteral("RcmSheet1CodeChk"), numbers, 20, cols, 20, 55);
    RcmSheet1CodeChk->setToolTip(
        QStringLiteral("复式选号：选择可能入奖的号码组成复式号码，最少勾选8个号码。"));
    // Ticking candidates triggers nothing: the run reads them when it starts.
    RcmSheet1CodeChk->SetOnChange([](TMultiMatrix*) {});
    addCandidatePicks();
    RcmSheet1BackChk = nullptr;
    if (twoBacks) {
        const int top = RcmSheet1CodeChk->geometry().bottom() + 6;
        addLabel(RcmSheet1Gbx1, game.back() + QLatin1Char(':'), 12, top + 2);
        QStringList backs;
        for (int n = 1; n <= game.backPool; ++n)
            backs << NumToText(n);
        RcmSheet1BackChk = addMatrix<TMultiChk>(RcmSheet1Gbx1, QStringLiteral("RcmSheet1BackChk"), backs, 20,
                                                game.backPool, top, 55);
        RcmSheet1BackChk->setToolTip(
            QStringLiteral("%1号码：每注前区号码配上所选%1号码的每一种两码组合。").arg(game.back()));
        RcmSheet1BackChk->SetOnChange([](TMultiMatrix*) {});
    }

    RcmSheet1Panel = new QWidget(RcmSheet1);
    RcmSheet1Panel->setObjectName(QStringLiteral("RcmSheet1Panel"));
    sheetLayout->addWidget(RcmSheet1Panel, 1);
    RcmSheet1Gbx2 = new QGroupBox(QStringLiteral("比例搭配："), RcmSheet1Panel);
    RcmSheet1Gbx2->setObjectName(QStringLiteral("RcmSheet1Gbx2"));
    RcmSheet1Gbx2->setGeometry(0, 0, 660, 236);
    QWidget* g = RcmSheet1Gbx2;

    const QList<QRect> sumGaps =
        addCaption(g, QStringLiteral("每注%1号和值设定:和值介于         至").arg(game.front()), 10, 26, 63);
    SumSe1 = addSpin(g, QStringLiteral("SumSe1"), game.sumMin(), game.sumMax());
    SumSe2 = addSpin(g, QStringLiteral("SumSe2"), game.sumMin(), game.sumMax());
    SumSe1->setGeometry(sumGaps[0]);
    SumSe2->setGeometry(sumGaps[1]);

    QLabel* exLabel = addLabel(g, QStringLiteral("和值排除:"), 10, 58);
    SumExEd = addEdit(g, QStringLiteral("SumExEd"), QStringLiteral("和值排除: 输入格式：04,7,15,74,88"));
    SumExEd->setGeometry(exLabel->x() + exLabel->width() + 6, 54, 300, 22);

    addLabel(g,
             QStringLiteral("%1奇偶比:(以下全不选时，则选号不考虑奇偶特性)")
                 .arg(game.frontShort()),
             10, 86);
    RcmSheet1RatioChk = addMatrix<TMultiChk>(g, QStringLiteral("RcmSheet1RatioChk"), ratioItems(game), 30,
                                             game.frontPicks + 1, 105, 10);

    SameCountLbl =
        addLabel(g, QString(SameCountDesignText).replace(QStringLiteral("红球"), game.front()), 10, 132);
    SameCountLbl->setObjectName(QStringLiteral("SameCountLbl"));
    QStringList counts;
    for (int k = 0; k <= 4; ++k)
        counts << QString::number(k) + QStringLiteral("个");
    RcmSheet1CountChk = addMatrix<TMultiChk>(g, QStringLiteral("RcmSheet1CountChk"), counts, 30, 7, 150, 10);

    addLabel(g, QStringLiteral("连号设定:"), 10, 178);
    RcmSheet1LinkRadio = addMatrix<TMultiRadio>(
        g, QStringLiteral("RcmSheet1LinkRadio"),
        {QStringLiteral("有连号"), QStringLiteral("无连号"), QStringLiteral("不考虑连号")}, 70, 3, 174, 80);
    RcmSheet1LinkChk = addMatrix<TMultiChk>(g, QStringLiteral("RcmSheet1LinkChk"),
                                            {QStringLiteral("二连号"), QStringLiteral("三连号"),
                                             QStringLiteral("四连号"), QStringLiteral("五连号")},
                                            50, 4, 200, 80);
}

void TShrinkPanel::buildSheet2() {
    auto* sheetLayout = new QVBoxLayout(RcmSheet2);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    RcmSheet2Gbx1 = new QGroupBox(QStringLiteral("比例控制："), RcmSheet2);
    RcmSheet2Gbx1->setObjectName(QStringLiteral("RcmSheet2Gbx1"));
    RcmSheet2Gbx1->setMinimumSize(560, 250);
    sheetLayout->addWidget(RcmSheet2Gbx1);
    QWidget* g = RcmSheet2Gbx1;
    const Game& game = *m_game;

    const QList<QRect> tailGaps = addCaption(g, QStringLiteral("合值范围设定:        至"), 10, 26, 56);
    RcmSheet2Gbx1AddSe1 = addSpin(g, QStringLiteral("RcmSheet2Gbx1AddSe1"), 0, 9);
    RcmSheet2Gbx1AddSe2 = addSpin(g, QStringLiteral("RcmSheet2Gbx1AddSe2"), 0, 9);
    RcmSheet2Gbx1AddSe1->setGeometry(tailGaps[0]);
    RcmSheet2Gbx1AddSe2->setGeometry(tailGaps[1]);

    auto listRow = [&](const QString& caption, const QString& name, const QString& hint, int top) {
        QLabel* label = addLabel(g, caption, 10, top + 4);
        QLineEdit* edit = addEdit(g, name, hint);
        edit->setGeometry(label->x() + label->width() + 6, top, 300, 22);
        return edit;
    };
    RcmSheet2Gbx1AddEd = listRow(QStringLiteral("必不出合值:"), QStringLiteral("RcmSheet2Gbx1AddEd"),
                                 QStringLiteral("必不出合值: 输入格式：0,7,9"), 56);
    CodeExcEd = listRow(QStringLiteral("必不出号码:"), QStringLiteral("CodeExcEd"),
                        QStringLiteral("必不出号码: 输入格式：04,7,15"), 90);
    CodeIncEd = listRow(QStringLiteral("必同出号码:"), QStringLiteral("CodeIncEd"),
                        QStringLiteral("必同出号码: 输入格式：04,7,15"), 124);

    addLabel(g,
             QStringLiteral("大小比(1-%1为小，%2-%3为大，下列前为大，后为小)：")
                 .arg(game.smallMax)
                 .arg(game.smallMax + 1)
                 .arg(game.frontPool),
             10, 194);
    RcmSheet2RatioChk = addMatrix<TMultiChk>(g, QStringLiteral("RcmSheet2RatioChk"), ratioItems(game), 30,
                                             game.frontPicks + 1, 215, 10);
}

void TShrinkPanel::buildSheet3() {
    auto* sheetLayout = new QVBoxLayout(RcmSheet3);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    RcmSheet3Gbx1 = new QGroupBox(QStringLiteral("范围控制："), RcmSheet3);
    RcmSheet3Gbx1->setObjectName(QStringLiteral("RcmSheet3Gbx1"));
    RcmSheet3Gbx1->setMinimumSize(800, 330);
    sheetLayout->addWidget(RcmSheet3Gbx1);
    QWidget* g = RcmSheet3Gbx1;
    const Game& game = *m_game;
    const int picks = game.frontPicks;

    MaxCodeSe = addSpin(g, QStringLiteral("MaxCodeSe"), 1, game.frontPool);
    MaxCodeSe->setGeometry(addCaption(g, QStringLiteral("最大号码:"), 10, 26, 50).last());
    MinCodeSe = addSpin(g, QStringLiteral("MinCodeSe"), 1, game.frontPool);
    MinCodeSe->setGeometry(addCaption(g, QStringLiteral("最小号码:"), 150, 26, 50).last());

    // Each caption holds its lists in its blanks, the second of a range after "至".
    auto choiceRow = [&](const QString& caption, int top, QComboBox* first, QComboBox* second = nullptr) {
        const QList<QRect> gaps = addCaption(g, caption, 10, top, second ? 56 : 0);
        first->setGeometry(gaps[0]);
        if (second) second->setGeometry(gaps[1]);
    };
    CbbSpan1 = addChoice(g, QStringLiteral("CbbSpan1"), 0, game.spanMax());
    CbbSpan2 = addChoice(g, QStringLiteral("CbbSpan2"), 0, game.spanMax());
    choiceRow(QStringLiteral("跨度:           至"), 58, CbbSpan1, CbbSpan2);
    Cbb11 = addChoice(g, QStringLiteral("Cbb11"), 0, picks);
    Cbb22 = addChoice(g, QStringLiteral("Cbb22"), 0, picks);
    Cbb33 = addChoice(g, QStringLiteral("Cbb33"), 0, picks);
    choiceRow(game.zoneCaption(0) + QStringLiteral("出        个号码"), 88, Cbb11);
    choiceRow(game.zoneCaption(1) + QStringLiteral("出        个号码"), 118, Cbb22);
    choiceRow(game.zoneCaption(2) + QStringLiteral("出        个号码"), 148, Cbb33);
    addLabel(g, QStringLiteral("除3余数设定:"), 10, 178);
    Cbbmod0 = addChoice(g, QStringLiteral("Cbbmod0"), 0, picks);
    Cbbmod1 = addChoice(g, QStringLiteral("Cbbmod1"), 0, picks);
    Cbbmod2 = addChoice(g, QStringLiteral("Cbbmod2"), 0, picks);
    choiceRow(QStringLiteral("余数为0的出        个球"), 204, Cbbmod0);
    choiceRow(QStringLiteral("余数为1的出        个球"), 232, Cbbmod1);
    choiceRow(QStringLiteral("余数为2的出        个球"), 260, Cbbmod2);
    CbbAc1 = addChoice(g, QStringLiteral("CbbAc1"), 0, game.acMax());
    CbbAc2 = addChoice(g, QStringLiteral("CbbAc2"), 0, game.acMax());
    choiceRow(QStringLiteral("AC值为:        至"), 292, CbbAc1, CbbAc2);

    addLabel(g, QStringLiteral("控制中奖号码:"), 300, 24);
    // A hit row counts 0 .. picks - 1 of its numbers.
    QStringList hits = countItems(game);
    hits.removeLast();
    for (int i = 0; i < 4; ++i) {
        // The blanks hold the matrix: four of them fewer for each item fewer than six.
        const QString blanks(29 - 4 * (6 - int(hits.size())), QLatin1Char(' '));
        addCaption(g, QStringLiteral("中出") + blanks + QStringLiteral("个号"), 416, 50 + 40 * i);
        RcmSheet3RangeEdit[size_t(i)] = addEdit(g, QStringLiteral("RcmSheet3RangeEdit%1").arg(i),
                                                QStringLiteral("输入格式:12,16,17,24,29"));
        RcmSheet3RangeEdit[size_t(i)]->setGeometry(300, 46 + 40 * i, 110, 22);
        RcmSheet3RangeChk[size_t(i)] = addMatrix<TMultiChk>(g, QStringLiteral("RcmSheet3RangeChk%1").arg(i),
                                                            hits, 12, int(hits.size()), 46 + 40 * i, 450);
    }
}

ShrinkInput TShrinkPanel::readInput() const {
    ShrinkInput in;
    for (int k = 0; k < RcmSheet1CodeChk->Count(); ++k)
        in.candidates[size_t(k)] = RcmSheet1CodeChk->Checked(k);
    in.sumMin = SumSe1->value();
    in.sumMax = SumSe2->value();
    in.excludeSums = SumExEd->text();
    for (int k = 0; k < RcmSheet1RatioChk->Count(); ++k) {
        in.oddEven[size_t(k)] = RcmSheet1RatioChk->Checked(k);
        in.bigSmall[size_t(k)] = RcmSheet2RatioChk->Checked(k);
    }
    for (int k = 0; k < 5; ++k)
        in.repeats[size_t(k)] = RcmSheet1CountChk->Checked(k);
    in.linkIndex = RcmSheet1LinkRadio->ItemIndex();
    for (int k = 0; k < 4; ++k)
        in.linkRuns[size_t(k)] = RcmSheet1LinkChk->Checked(k);
    in.tailMin = RcmSheet2Gbx1AddSe1->value();
    in.tailMax = RcmSheet2Gbx1AddSe2->value();
    in.excludeTails = RcmSheet2Gbx1AddEd->text();
    in.excludeNumbers = CodeExcEd->text();
    in.requireNumbers = CodeIncEd->text();
    in.maxCode = MaxCodeSe->value();
    in.minCode = MinCodeSe->value();
    // Item 0 is "不选"; item k stands for the value k - 1.
    in.spanMin = CbbSpan1->currentIndex() - 1;
    in.spanMax = CbbSpan2->currentIndex() - 1;
    in.zones = {Cbb11->currentIndex() - 1, Cbb22->currentIndex() - 1, Cbb33->currentIndex() - 1};
    in.mod3 = {Cbbmod0->currentIndex() - 1, Cbbmod1->currentIndex() - 1, Cbbmod2->currentIndex() - 1};
    in.acMin = CbbAc1->currentIndex() - 1;
    in.acMax = CbbAc2->currentIndex() - 1;
    in.tolerance = RcmPanelToleranceSe->value();
    for (int r = 0; r < 4; ++r) {
        in.hitRows[size_t(r)].list = RcmSheet3RangeEdit[size_t(r)]->text();
        for (int k = 0; k < RcmSheet3RangeChk[size_t(r)]->Count(); ++k)
            in.hitRows[size_t(r)].items[size_t(k)] = RcmSheet3RangeChk[size_t(r)]->Checked(k);
    }
    return in;
}

namespace {
// The input may hold more items than the matrix shows (room for every game's pool).
template <size_t N> void setItems(TMultiChk* matrix, const std::array<bool, N>& items) {
    for (size_t k = 0; k < N && int(k) < matrix->Count(); ++k)
        matrix->SetChecked(int(k), items[k]);
}
} // namespace

void TShrinkPanel::writeInput(const ShrinkInput& in) {
    setItems(RcmSheet1CodeChk, in.candidates);
    SumSe1->setValue(in.sumMin);
    SumSe2->setValue(in.sumMax);
    SumExEd->setText(in.excludeSums);
    setItems(RcmSheet1RatioChk, in.oddEven);
    setItems(RcmSheet1CountChk, in.repeats);
    // Index 3 is the radio with no item selected.
    if (in.linkIndex >= 0 && in.linkIndex < RcmSheet1LinkRadio->Count())
        RcmSheet1LinkRadio->SetItemIndex(in.linkIndex);
    else
        RcmSheet1LinkRadio->Clear();
    setItems(RcmSheet1LinkChk, in.linkRuns);
    RcmSheet2Gbx1AddSe1->setValue(in.tailMin);
    RcmSheet2Gbx1AddSe2->setValue(in.tailMax);
    RcmSheet2Gbx1AddEd->setText(in.excludeTails);
    CodeExcEd->setText(in.excludeNumbers);
    CodeIncEd->setText(in.requireNumbers);
    setItems(RcmSheet2RatioChk, in.bigSmall);
    MaxCodeSe->setValue(in.maxCode);
    MinCodeSe->setValue(in.minCode);
    // Item 0 is "不选"; the value v is item v + 1.
    CbbSpan1->setCurrentIndex(in.spanMin + 1);
    CbbSpan2->setCurrentIndex(in.spanMax + 1);
    const std::array<QComboBox*, 3> zones{Cbb11, Cbb22, Cbb33}, mod3{Cbbmod0, Cbbmod1, Cbbmod2};
    for (size_t k = 0; k < 3; ++k) {
        zones[k]->setCurrentIndex(in.zones[k] + 1);
        mod3[k]->setCurrentIndex(in.mod3[k] + 1);
    }
    CbbAc1->setCurrentIndex(in.acMin + 1);
    CbbAc2->setCurrentIndex(in.acMax + 1);
    RcmPanelToleranceSe->setValue(in.tolerance);
    for (size_t r = 0; r < 4; ++r) {
        RcmSheet3RangeEdit[r]->setText(in.hitRows[r].list);
        setItems(RcmSheet3RangeChk[r], in.hitRows[r].items);
    }
}

void TShrinkPanel::RcmPanelClearBtClick() {
    m_beforeClear = readTypedInput();
    ShrinkInput reset = ShrinkInput::resetFor(*m_game);
    // The four hit rows keep their content.
    reset.hitRows = m_beforeClear.hitRows;
    writeInput(reset);
    RcmPanelUndoClearAct->setEnabled(true);
}

void TShrinkPanel::RcmPanelUndoClearActClick() {
    if (!RcmPanelUndoClearAct->isEnabled()) return;
    writeInput(m_beforeClear);
    RcmPanelUndoClearAct->setEnabled(false);
}

ShrinkInput TShrinkPanel::readTypedInput() {
    // A value still being typed into a spin edit counts as typed.
    for (QSpinBox* spin : {SumSe1, SumSe2, RcmSheet2Gbx1AddSe1, RcmSheet2Gbx1AddSe2, MaxCodeSe, MinCodeSe,
                           RcmPanelToleranceSe})
        spin->interpretText();
    return readInput();
}

void TShrinkPanel::RcmPanelScaleBtClick() {
    const ShrinkInput input = readTypedInput();
    if (input.tooFewCandidates(*m_game)) {
        ShowMessage(this, TooFewCandidatesText());
        return;
    }
    const std::vector<int> backs = checkedBacks();
    const bool withBacks = m_game->backPicks > 1;
    if (withBacks && !ShrinkBacksProblem(backs, *m_game).isEmpty()) {
        ShowMessage(this, ShrinkBacksProblem(backs, *m_game));
        return;
    }
    TProgressForm& form = TProgressForm::instance();
    ShrinkProgress progress;
    const int end = ShrinkProgressEnd(*m_game);
    progress.begin = [&form, end] { form.begin(QStringLiteral("正在进行缩水计算..."), end); };
    progress.step = [&form](int position) { form.setPosition(position); };
    progress.end = [&form] { form.end(); };
    ShrinkResult result;
    // A list that does not read, or a value outside its set, ends the command before the progress
    // window appears; the memo and the status bar keep the previous result.
    if (!RunGuarded(this, [&] { result = RunShrink(input, History, progress, true, *m_game); })) return;
    if (withBacks) {
        const ShrinkBacksResult paired = ShrinkWithBacks(result, backs, false, *m_game);
        emit statusText(paired.countLine);
        RcmMemo->setPlainText(paired.text);
    } else {
        emit statusText(result.countLine);
        RcmMemo->setPlainText(result.text);
    }
    RcmPctl->setCurrentWidget(RcmSheet4);
    // The memo lists up to 100,000 tickets; beyond that the export offers them from here.
    if (result.count > ShrinkListLimit && !withBacks)
        m_fullResult = std::move(result);
    else
        m_fullResult = ShrinkResult{};
}

void TShrinkPanel::RcmPanelViewCodeBtClick() {
    RcmPctl->setCurrentWidget(RcmSheet4);
    RcmResultTabs->setCurrentWidget(RcmMemo);
}

void TShrinkPanel::addCandidatePicks() {
    RcmSheet1PickBt = new QToolButton(RcmSheet1Gbx1);
    RcmSheet1PickBt->setObjectName(QStringLiteral("RcmSheet1PickBt"));
    RcmSheet1PickBt->setText(QStringLiteral("快速选号"));
    RcmSheet1PickBt->setPopupMode(QToolButton::InstantPopup);
    RcmSheet1PickBt->move(RcmSheet1CodeChk->geometry().right() + 10, 20);
    auto* menu = new QMenu(RcmSheet1PickBt);
    menu->setObjectName(QStringLiteral("RcmSheet1PickMenu"));
    const std::pair<const char*, NumberGroup> picks[] = {
        {"全选", NumberGroup::All},  {"清空", NumberGroup::None},  {"奇", NumberGroup::Odd},
        {"偶", NumberGroup::Even},   {"大", NumberGroup::Big},     {"小", NumberGroup::Small},
        {"质", NumberGroup::Prime},  {"一区", NumberGroup::Zone1}, {"二区", NumberGroup::Zone2},
        {"三区", NumberGroup::Zone3}};
    for (const auto& [caption, group] : picks) {
        const NumberGroup g = group;
        menu->addAction(QString::fromUtf8(caption), this, [this, g] {
            for (int k = 0; k < RcmSheet1CodeChk->Count(); ++k)
                RcmSheet1CodeChk->SetChecked(k, InNumberGroup(g, k + 1, *m_game));
            RcmSheet1CodeChk->update();
        });
    }
    menu->addAction(QStringLiteral("反选"), this, [this] {
        for (int k = 0; k < RcmSheet1CodeChk->Count(); ++k)
            RcmSheet1CodeChk->SetChecked(k, !RcmSheet1CodeChk->Checked(k));
        RcmSheet1CodeChk->update();
    });
    RcmSheet1PickBt->setMenu(menu);
}

void TShrinkPanel::RcmPanelExportBtClick() {
    const bool all =
        m_fullResult.count > ShrinkListLimit &&
        m_question(
            this,
            QStringLiteral("缩水结果共%1注，超过10万注。\n是否导出全部%1注号码？（选“否”只导出结果页的文字）")
                .arg(m_fullResult.count));
    const QString path = m_saveName(this);
    if (path.isEmpty()) return;
    RunGuarded(this, [&] {
        ExportLines(path, all ? ShrinkAllText(m_fullResult).split(QLatin1Char('\n'))
                              : MemoLines(RcmMemo->toPlainText()));
    });
}

void TShrinkPanel::RcmPanelSaveCondBtClick() {
    const QString path = m_conditionFile(this, true);
    if (path.isEmpty()) return;
    const ShrinkInput input = readTypedInput();
    RunGuarded(this, [&] { SaveConditionSetFile(path, input, *m_game); });
}

void TShrinkPanel::RcmPanelLoadCondBtClick() {
    const QString path = m_conditionFile(this, false);
    if (path.isEmpty()) return;
    // Read whole before any widget changes: a refused file changes nothing.
    RunGuarded(this, [&] { writeInput(LoadConditionSetFile(path, *m_game)); });
}

void TShrinkPanel::RcmPanelCheckBtClick() {
    RcmPctl->setCurrentWidget(RcmSheet4);
    QTextCursor start = RcmMemo->textCursor();
    start.movePosition(QTextCursor::Start);
    RcmMemo->setTextCursor(start);
    RcmMemo->setFocus();
    const QString answer = m_inputBox(this, QStringLiteral("输入开奖号码"));
    if (answer.isEmpty()) return;
    RcmPctl->setCurrentWidget(RcmSheet4);
    // The box keeps a text it cannot use open with its reason, so a refused one ends here.
    switch (ReadResultCheckAnswer(answer, History, *m_game).action) {
    case ResultCheckAction::Search:
        emit statusText(findThreeBytes(RcmMemo, answer));
        break;
    case ResultCheckAction::CheckDraw:
        OpenPrizeCheck(this, History, RcmMemo->toPlainText(), answer, *m_game);
        break;
    case ResultCheckAction::Nothing:
    case ResultCheckAction::Refuse:
        break;
    }
}

void TShrinkPanel::RcmPanelPrintBtClick() {
    // The two-colour ball's print keeps its plain header; another game's names the game.
    const QString title = PrintTitle(*m_game, QStringLiteral("缩水结果"));
    PrintLines(this, MemoLines(RcmMemo->toPlainText()), title, 12);
}

void TShrinkPanel::RcmSheet1Show() {
    if (History.empty()) {
        // No draw yet: the repeat condition is off and there is no latest draw to name.
        SameCountLbl->setText(QStringLiteral("与上期开奖%1同号个数设定：").arg(m_game->front()));
    } else {
        SameCountLbl->setText(QStringLiteral("与上期开奖%1同号个数设定：(上期号码:").arg(m_game->front()) +
                              CodeToText(History.back().Ticket, *m_game) + QLatin1Char(')'));
    }
    SameCountLbl->adjustSize();
}

void TShrinkPanel::RcmSheet1Resize() {
    RcmSheet1Gbx2->resize(RcmSheet1Panel->width(), RcmSheet1Gbx2->height());
}

bool TShrinkPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == RcmSheet1 && event->type() == QEvent::Show)
        RcmSheet1Show();
    else if (watched == RcmSheet1Panel && event->type() == QEvent::Resize)
        RcmSheet1Resize();
    return QWidget::eventFilter(watched, event);
}

std::vector<int> TShrinkPanel::checkedBacks() const {
    std::vector<int> backs;
    if (!RcmSheet1BackChk) return backs;
    for (int k = 0; k < RcmSheet1BackChk->Count(); ++k)
        if (RcmSheet1BackChk->Checked(k)) backs.push_back(k + 1);
    return backs;
}

void TShrinkPanel::rebuildSheets() {
    for (QWidget* sheet : {RcmSheet1, RcmSheet2, RcmSheet3}) {
        qDeleteAll(sheet->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
        delete sheet->layout();
    }
    buildSheet1();
    buildSheet2();
    buildSheet3();
    // Children added to a sheet already in view stay hidden until shown.
    for (QWidget* sheet : {RcmSheet1, RcmSheet2, RcmSheet3})
        for (QWidget* child : sheet->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            child->show();
    RcmSheet1Panel->installEventFilter(this);
    RcmSheet1Resize();
    if (RcmSheet1->isVisible()) RcmSheet1Show();
}

void TShrinkPanel::setGame(const Game& game) {
    if (game.id == m_game->id) return;
    m_otherGames[m_game->keyText()] = {readTypedInput(), checkedBacks(), RcmMemo->toPlainText()};
    m_game = &game;
    rebuildSheets();
    const GameState state =
        m_otherGames.value(game.keyText(), GameState{ShrinkInput::resetFor(game), {}, QString()});
    writeInput(state.input);
    if (RcmSheet1BackChk)
        for (int b : state.backs)
            RcmSheet1BackChk->SetChecked(b - 1, true);
    RcmMemo->setPlainText(state.memo);
    // The undo of 清除条件 and the full result belong to the game that was shown.
    RcmPanelUndoClearAct->setEnabled(false);
    m_fullResult = ShrinkResult{};
    RcmSheet5->setGame(game);
    RcmWheelSheet->setGame(game);
}
