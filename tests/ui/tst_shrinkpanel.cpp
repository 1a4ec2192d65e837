#include "engine/history/Parser.h"
#include "engine/io/GbText.h"
#include "engine/metrics/Code.h"
#include "engine/shrink/ConditionSet.h"
#include "support/TestSupport.h"
#include "ui/controls/H2Net.h"
#include "ui/controls/MultiChk.h"
#include "ui/controls/MultiRadio.h"
#include "ui/forms/ProgressForm.h"
#include "ui/history/PrintLines.h"
#include "ui/prize/PrizeWindow.h"
#include "ui/shrink/BacktestSheet.h"
#include "ui/shrink/ShrinkPanel.h"

#include <QApplication>
#include <QStandardPaths>
#include <QProcess>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

// Answers the next message box with OK and keeps its text.
class MessageBoxWatch : public QObject {
  public:
    MessageBoxWatch() {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                ++count;
                box->accept();
            }
        });
        m_timer.start(5);
    }
    QString text;
    int count = 0;

  private:
    QTimer m_timer;
};

// Counts how often the progress window appears.
class ShowCounter : public QObject {
  public:
    int shows = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) ++shows;
        return false;
    }
};

void click(TMultiMatrix* m, int item) {
    QTest::mouseClick(m, Qt::LeftButton, {}, m->RectOfChk(item).center());
}

} // namespace

class TestShrinkPanel : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void layoutAndResetValues();
    void clearKeepsHitRows();
    void clearIsUndone_data();
    void clearIsUndone();
    void readsEveryWidget();
    void runEightCandidates();
    void runWithTypedExcludedSum();
    void tooFewCandidates();
    void refusedListKeepsResult_data();
    void refusedListKeepsResult();
    void allCandidatesTwoLines();
    void latestDrawLabel();
    void emptyHistory();
    void exportWritesMemo();
    void exportFailureKeepsFile();
    void prizeCheck_data();
    void prizeCheck();
    void printIntoPdf();
    void superLottoKeepsEachGame();
    void superLottoResultCheck();
    void sevenNumberGame();

  private:
    void tickCandidates(int first, int last);
    void run() { QTest::mouseClick(panel->RcmPanelScaleBt, Qt::LeftButton); }

    TCodeArr history;
    TShrinkPanel* panel = nullptr;
    QSignalSpy* status = nullptr;
};

void TestShrinkPanel::init() {
    history = SampleHistory();
    panel = new TShrinkPanel(history);
    panel->resize(900, 600);
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel));
    status = new QSignalSpy(panel, &TShrinkPanel::statusText);
}

void TestShrinkPanel::cleanup() {
    delete status;
    delete panel;
    panel = nullptr;
}

void TestShrinkPanel::tickCandidates(int first, int last) {
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet1);
    for (int n = first; n <= last; ++n)
        click(panel->RcmSheet1CodeChk, n - 1);
}

void TestShrinkPanel::layoutAndResetValues() {
    QStringList captions;
    for (QAction* a : panel->RcmPanelTbr->actions())
        if (!a->text().isEmpty()) captions << a->text();
    QCOMPARE(captions, (QStringList{"清除条件", "导出结果", "结果兑奖", "打印结果", "缩水计算", "查看结果",
                                    "保存条件", "载入条件"}));
    QCOMPARE(panel->RcmPctl->count(), 5);
    QCOMPARE(panel->RcmPctl->tabText(3), QStringLiteral("缩水结果"));
    QCOMPARE(panel->RcmPctl->tabText(4), QStringLiteral("历史验证"));
    QCOMPARE(panel->RcmPctl->currentWidget(), panel->RcmSheet3);

    QCOMPARE(panel->RcmSheet1CodeChk->Count(), 33);
    QCOMPARE(panel->RcmSheet1CodeChk->Caption(32), QStringLiteral("33"));
    QCOMPARE(panel->RcmSheet1CodeChk->size(), QSize(443, 54));
    QCOMPARE(panel->RcmSheet1CodeChk->pos(), QPoint(55, 20));
    QCOMPARE(panel->RcmSheet1CountChk->Caption(4), QStringLiteral("4个"));
    QCOMPARE(panel->RcmSheet1LinkRadio->ItemIndex(), 2);
    QCOMPARE(panel->RcmSheet3RangeChk[3]->pos(), QPoint(450, 166));
    QCOMPARE(panel->RcmSheet3RangeEdit[2]->geometry(), QRect(300, 126, 110, 22));
    QCOMPARE(panel->RcmSheet3RangeEdit[0]->toolTip(), QStringLiteral("输入格式:12,16,17,24,29"));
    QCOMPARE(panel->SumExEd->toolTip(), QStringLiteral("和值排除: 输入格式：04,7,15,74,88"));
    QCOMPARE(panel->CbbSpan1->count(), 34);
    QCOMPARE(panel->CbbAc2->itemText(11), QStringLiteral("10"));
    QCOMPARE(panel->Cbbmod2->count(), 8);
    QCOMPARE(panel->SumSe2->maximum(), 183);
    QCOMPARE(panel->SameCountLbl->text(), QStringLiteral("与上期开奖红球重号个数设定："));

    // A fresh panel holds every condition off.
    const ShrinkInput in = panel->readInput();
    const ShrinkInput off;
    QCOMPARE(in.sumMin, off.sumMin);
    QCOMPARE(in.sumMax, off.sumMax);
    QCOMPARE(in.spanMin, -1);
    QCOMPARE(in.linkIndex, 2);
    QCOMPARE(in.candidateCount(), 0);
}

void TestShrinkPanel::clearKeepsHitRows() {
    tickCandidates(1, 9);
    panel->SumSe1->setValue(50);
    panel->SumExEd->setText(QStringLiteral("60"));
    click(panel->RcmSheet1RatioChk, 3);
    click(panel->RcmSheet1LinkRadio, 0);
    panel->MinCodeSe->setValue(5);
    panel->CbbSpan2->setCurrentIndex(9);
    panel->Cbbmod1->setCurrentIndex(3);
    panel->RcmSheet3RangeEdit[1]->setText(QStringLiteral("1,2"));
    panel->RcmSheet3RangeChk[1]->SetChecked(2, true);

    QTest::mouseClick(panel->RcmPanelClearBt, Qt::LeftButton);
    QCOMPARE(panel->RcmSheet1CodeChk->CheckedCount(), 0);
    QCOMPARE(panel->SumSe1->value(), 21);
    QVERIFY(panel->SumExEd->text().isEmpty());
    QCOMPARE(panel->RcmSheet1RatioChk->CheckedCount(), 0);
    QCOMPARE(panel->RcmSheet1LinkRadio->ItemIndex(), 2);
    QCOMPARE(panel->MinCodeSe->value(), 1);
    QCOMPARE(panel->CbbSpan2->currentIndex(), 0);
    QCOMPARE(panel->Cbbmod1->currentIndex(), 0);
    QCOMPARE(panel->RcmSheet3RangeEdit[1]->text(), QStringLiteral("1,2"));
    QVERIFY(panel->RcmSheet3RangeChk[1]->Checked(2));
}

void TestShrinkPanel::clearIsUndone_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Ctrl+Z") << true;
    QTest::newRow("menu of 清除条件") << false;
}

// 清除条件 loses no work: Ctrl+Z on the panel, or 撤销清除 in the button's menu, brings back every
// condition as it stood, once.
void TestShrinkPanel::clearIsUndone() {
    QFETCH(bool, byKey);
    tickCandidates(1, 9);
    click(panel->RcmSheet1RatioChk, 3);
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet2);
    QTest::keyClicks(panel->CodeExcEd, QStringLiteral("04,"));
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet3);
    panel->CbbAc1->setCurrentIndex(5);
    panel->RcmPanelToleranceSe->setValue(2);
    const QByteArray before = WriteConditionSet(panel->readInput(), Game::ssq());
    QVERIFY(!panel->RcmPanelUndoClearAct->isEnabled());

    QTest::mouseClick(panel->RcmPanelClearBt, Qt::LeftButton);
    QCOMPARE(panel->RcmSheet1CodeChk->CheckedCount(), 0);
    QVERIFY(panel->RcmPanelUndoClearAct->isEnabled());
    QVERIFY(panel->RcmPanelClearBt->menu()->actions().contains(panel->RcmPanelUndoClearAct));
    if (byKey) {
        panel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(panel));
        panel->RcmPctl->tabBar()->setFocus();
        QTest::keyClick(panel->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
    } else {
        panel->RcmPanelUndoClearAct->trigger();
    }
    QCOMPARE(WriteConditionSet(panel->readInput(), Game::ssq()), before);
    QCOMPARE(panel->RcmSheet1CodeChk->CheckedCount(), 9);
    QVERIFY(!panel->RcmPanelUndoClearAct->isEnabled());
}

void TestShrinkPanel::readsEveryWidget() {
    tickCandidates(3, 12);
    panel->SumSe1->setValue(40);
    panel->SumSe2->setValue(120);
    QTest::keyClicks(panel->SumExEd, QStringLiteral("70,80"));
    click(panel->RcmSheet1RatioChk, 6);
    click(panel->RcmSheet1CountChk, 1);
    click(panel->RcmSheet1LinkRadio, 1);
    click(panel->RcmSheet1LinkChk, 3);
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet2);
    panel->RcmSheet2Gbx1AddSe1->setValue(2);
    panel->RcmSheet2Gbx1AddSe2->setValue(7);
    QTest::keyClicks(panel->RcmSheet2Gbx1AddEd, QStringLiteral("5"));
    QTest::keyClicks(panel->CodeExcEd, QStringLiteral("4"));
    QTest::keyClicks(panel->CodeIncEd, QStringLiteral("8"));
    click(panel->RcmSheet2RatioChk, 0);
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet3);
    panel->MaxCodeSe->setValue(30);
    panel->MinCodeSe->setValue(2);
    panel->CbbSpan1->setCurrentIndex(1); // the value 0
    panel->CbbSpan2->setCurrentIndex(21);
    panel->Cbb22->setCurrentIndex(3);
    panel->Cbbmod0->setCurrentIndex(7);
    panel->CbbAc1->setCurrentIndex(5);
    QTest::keyClicks(panel->RcmSheet3RangeEdit[3], QStringLiteral("1,2,3"));
    click(panel->RcmSheet3RangeChk[3], 5);

    const ShrinkInput in = panel->readInput();
    QCOMPARE(in.candidateCount(), 10);
    QVERIFY(in.candidates[2] && in.candidates[11] && !in.candidates[12]);
    QCOMPARE(in.sumMin, 40);
    QCOMPARE(in.sumMax, 120);
    QCOMPARE(in.excludeSums, QStringLiteral("70,80"));
    QVERIFY(in.oddEven[6] && in.repeats[1] && in.linkRuns[3] && in.bigSmall[0]);
    QCOMPARE(in.linkIndex, 1);
    QCOMPARE(in.tailMin, 2);
    QCOMPARE(in.tailMax, 7);
    QCOMPARE(in.excludeTails, QStringLiteral("5"));
    QCOMPARE(in.excludeNumbers, QStringLiteral("4"));
    QCOMPARE(in.requireNumbers, QStringLiteral("8"));
    QCOMPARE(in.maxCode, 30);
    QCOMPARE(in.minCode, 2);
    QCOMPARE(in.spanMin, 0);
    QCOMPARE(in.spanMax, 20);
    QCOMPARE(in.zones, (std::array<int, 3>{-1, 2, -1}));
    QCOMPARE(in.mod3, (std::array<int, 3>{6, -1, -1}));
    QCOMPARE(in.acMin, 4);
    QCOMPARE(in.acMax, -1);
    QCOMPARE(in.hitRows[3].list, QStringLiteral("1,2,3"));
    QVERIFY(in.hitRows[3].items[5] && !in.hitRows[3].items[4]);
}

void TestShrinkPanel::runEightCandidates() {
    tickCandidates(1, 8);
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet3);
    ShowCounter shows;
    TProgressForm::instance().installEventFilter(&shows);
    run();
    TProgressForm::instance().removeEventFilter(&shows);
    QCOMPARE(shows.shows, 1);
    QVERIFY(!TProgressForm::instance().isVisible());
    QCOMPARE(TProgressForm::instance().position(), 37);
    QCOMPARE(TProgressForm::instance().maximum(), 110);
    QCOMPARE(TProgressForm::instance().text(), QStringLiteral("正在进行缩水计算..."));

    QCOMPARE(status->size(), 1);
    QCOMPARE(status->at(0).at(0).toString(), QStringLiteral("缩水结果总共28注"));
    const QStringList lines = panel->RcmMemo->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 30);
    QCOMPARE(lines[0], QStringLiteral("缩水结果总共28注"));
    QCOMPARE(lines[1], QString());
    QCOMPARE(lines[2], QStringLiteral("01 02 03 04 05 06"));
    QCOMPARE(lines[29], QStringLiteral("03 04 05 06 07 08"));
    // The result is brought into view; 查看结果 shows it again from another sheet.
    QCOMPARE(panel->RcmPctl->currentWidget(), panel->RcmSheet4);
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet3);
    QTest::mouseClick(panel->RcmPanelViewCodeBt, Qt::LeftButton);
    QCOMPARE(panel->RcmPctl->currentWidget(), panel->RcmSheet4);
}

void TestShrinkPanel::runWithTypedExcludedSum() {
    tickCandidates(1, 8);
    QTest::keyClicks(panel->SumExEd, QStringLiteral(",21,"));
    run();
    QCOMPARE(status->last().at(0).toString(), QStringLiteral("缩水结果总共27注"));
    QVERIFY(!panel->RcmMemo->toPlainText().contains(QStringLiteral("01 02 03 04 05 06")));
}

void TestShrinkPanel::tooFewCandidates() {
    panel->RcmMemo->setPlainText(QStringLiteral("old"));
    tickCandidates(1, 7);
    MessageBoxWatch boxes;
    run();
    QCOMPARE(boxes.count, 1);
    QCOMPARE(boxes.text, QStringLiteral("请最少勾选8个复式号码！！"));
    QCOMPARE(panel->RcmMemo->toPlainText(), QStringLiteral("old"));
    QVERIFY(status->isEmpty());
}

void TestShrinkPanel::refusedListKeepsResult_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("not a number") << 0 << "12,x"
                                  << "'x' is not a valid integer value";
    QTest::newRow("blank before comma") << 2 << "5 ,7"
                                        << "'5 ' is not a valid integer value";
    QTest::newRow("number above 33") << 1 << "3,40"
                                     << "控制中奖号码第2行: 40 超出范围 1-33";
}

void TestShrinkPanel::refusedListKeepsResult() {
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QString, message);
    tickCandidates(1, 8);
    run();
    const QString before = panel->RcmMemo->toPlainText();
    status->clear();

    QTest::keyClicks(panel->RcmSheet3RangeEdit[size_t(row)], text);
    ShowCounter shows;
    TProgressForm::instance().installEventFilter(&shows);
    MessageBoxWatch boxes;
    run();
    TProgressForm::instance().removeEventFilter(&shows);
    QCOMPARE(boxes.text, message);
    QCOMPARE(shows.shows, 0);
    QCOMPARE(panel->RcmMemo->toPlainText(), before);
    QVERIFY(status->isEmpty());

    // The same values typed into the excluded sums are judged against the sums' own range.
    panel->RcmSheet3RangeEdit[size_t(row)]->clear();
    panel->SumExEd->setText(QStringLiteral("200"));
    run();
    QCOMPARE(boxes.text, QStringLiteral("和值排除: 200 超出范围 0-183"));
    QCOMPARE(panel->RcmMemo->toPlainText(), before);
}

void TestShrinkPanel::allCandidatesTwoLines() {
    tickCandidates(1, 33);
    run();
    QCOMPARE(status->last().at(0).toString(), QStringLiteral("缩水结果总共1107568注"));
    QCOMPARE(panel->RcmMemo->toPlainText(),
             QStringLiteral("缩水结果总共1107568注\n超过10万注，不再显示详细号码。"));
    QCOMPARE(TProgressForm::instance().position(), 110);
}

void TestShrinkPanel::latestDrawLabel() {
    auto expected = [this] {
        QString latest;
        const TCodeRec& t = history.back().Ticket;
        for (int k = 0; k < 6; ++k)
            latest += (k ? QStringLiteral(" ") : QString()) +
                      QStringLiteral("%1").arg(t.Red[k], 2, 10, QLatin1Char('0'));
        return QStringLiteral("与上期开奖红球同号个数设定：(上期号码:") + latest + ")";
    };
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet1);
    QCOMPARE(panel->SameCountLbl->text(), expected());

    // The label follows the history when the sheet is shown again.
    const QString before = expected();
    history.pop_back();
    QVERIFY(expected() != before);
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet2);
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet1);
    QCOMPARE(panel->SameCountLbl->text(), expected());
}

void TestShrinkPanel::emptyHistory() {
    history.clear();
    tickCandidates(1, 9);
    QCOMPARE(panel->SameCountLbl->text(), QStringLiteral("与上期开奖红球同号个数设定："));
    click(panel->RcmSheet1CountChk, 4); // needs a latest draw: off
    run();
    QCOMPARE(status->last().at(0).toString(), QStringLiteral("缩水结果总共84注"));
}

void TestShrinkPanel::exportWritesMemo() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("result.txt"));
    QString answer;
    panel->setSaveFileChooser([&](QWidget*) { return answer; });

    tickCandidates(1, 8);
    run();
    QTest::mouseClick(panel->RcmPanelExportBt, Qt::LeftButton); // cancelled
    QVERIFY(!QFile::exists(path));

    answer = path;
    QTest::mouseClick(panel->RcmPanelExportBt, Qt::LeftButton);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    QVERIFY(bytes.startsWith(ToGb(QStringLiteral("缩水结果总共28注")) + "\r\n\r\n01 02 03 04 05 06\r\n"));
    QVERIFY(bytes.endsWith("03 04 05 06 07 08\r\n"));
    QCOMPARE(bytes.count("\r\n"), 30);

    // Typed text goes out as it stands, replacing the file.
    panel->RcmMemo->setPlainText(QStringLiteral("我的号码\n01 02"));
    QTest::mouseClick(panel->RcmPanelExportBt, Qt::LeftButton);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), ToGb(QStringLiteral("我的号码\r\n01 02\r\n")));
    f.close();

    panel->RcmMemo->clear();
    QTest::mouseClick(panel->RcmPanelExportBt, Qt::LeftButton);
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestShrinkPanel::exportFailureKeepsFile() {
    QTemporaryDir dir;
    panel->setSaveFileChooser([&](QWidget*) { return dir.filePath(QStringLiteral("missing/result.txt")); });
    panel->RcmMemo->setPlainText(QStringLiteral("x"));
    MessageBoxWatch boxes;
    QTest::mouseClick(panel->RcmPanelExportBt, Qt::LeftButton);
    QCOMPARE(boxes.count, 1);
    QVERIFY(boxes.text.startsWith(QStringLiteral("无法创建文件")));
    QCOMPARE(panel->RcmMemo->toPlainText(), QStringLiteral("x"));
}

void TestShrinkPanel::prizeCheck_data() {
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<QString>("selected");
    const QString result = QStringLiteral("缩水结果总共2注\n\n01 02 03 04 05 06\n01 02 03 04 06 07");
    QTest::newRow("found") << result << "05 "
                           << "恭喜，找到号码05 " << result.indexOf(QStringLiteral("05 ")) << "05";
    QTest::newRow("not found") << result << "09 "
                               << "抱歉，没有找到号码09 " << -1 << "";
    QTest::newRow("number alone") << result << "05"
                                  << "恭喜，找到号码05" << result.indexOf(QStringLiteral("05 ")) << "05";
    // The last number of a line has no separator after it; a number inside a longer one is no hit.
    const QString ends = QStringLiteral("缩水结果总共105注\n\n01 02 03 04 06 05\n01 02 03 04 07 33");
    QTest::newRow("last of its line") << ends << "05 "
                                      << "恭喜，找到号码05 " << ends.indexOf(QStringLiteral("05\n01")) << "05";
    QTest::newRow("last of the text") << ends << "33"
                                      << "恭喜，找到号码33" << ends.lastIndexOf(QStringLiteral("33")) << "33";
    QTest::newRow("one digit") << ends << "7"
                               << "恭喜，找到号码7" << ends.indexOf(QStringLiteral("07")) << "07";
    QTest::newRow("only inside a longer number") << ends << "10"
                                                 << "抱歉，没有找到号码10" << -1 << "";
    QTest::newRow("whole line") << result << "01 02 03 04 05 06"
                                << "" << -1 << "";
    QTest::newRow("cancelled") << result << ""
                               << "" << -1 << "";
    QTest::newRow("typed text") << QStringLiteral("中奖 33 号") << "33 "
                                << "恭喜，找到号码33 " << 3 << "33";
    QTest::newRow("three bytes, two characters") << result << "2注"
                                                 << "恭喜，找到号码2注" << 6 << "2注";
}

void TestShrinkPanel::prizeCheck() {
    QFETCH(QString, memo);
    QFETCH(QString, answer);
    QFETCH(QString, status);
    QFETCH(int, selectionStart);
    QFETCH(QString, selected);
    panel->RcmMemo->setPlainText(memo);
    QTextCursor end = panel->RcmMemo->textCursor();
    end.movePosition(QTextCursor::End);
    panel->RcmMemo->setTextCursor(end);
    QString caption;
    int caretWhenAsked = -2;
    panel->setInputBox([&](QWidget*, const QString& c) {
        caption = c;
        caretWhenAsked = panel->RcmMemo->textCursor().position();
        return answer;
    });
    QTest::mouseClick(panel->RcmPanelCheckBt, Qt::LeftButton);
    QCOMPARE(caption, QStringLiteral("输入开奖号码"));
    QCOMPARE(caretWhenAsked, 0);
    QCOMPARE(panel->RcmPctl->currentWidget(), panel->RcmSheet4);
    if (status.isEmpty()) {
        QVERIFY(this->status->isEmpty());
    } else {
        QCOMPARE(this->status->last().at(0).toString(), status);
    }
    const QTextCursor c = panel->RcmMemo->textCursor();
    if (selectionStart < 0) {
        QVERIFY(!c.hasSelection());
    } else {
        QCOMPARE(c.selectionStart(), selectionStart);
        // A number is selected without the blanks typed around it.
        QCOMPARE(c.selectedText(), selected);
    }
}

void TestShrinkPanel::printIntoPdf() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("result.pdf"));
    SetPrintToFile(pdf);
    tickCandidates(1, 8);
    run();
    panel->RcmMemo->appendPlainText(QStringLiteral("手写的一行"));
    QTest::mouseClick(panel->RcmPanelPrintBt, Qt::LeftButton);
    SetPrintToFile(QString());
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().startsWith("%PDF"));
}

void TestShrinkPanel::superLottoKeepsEachGame() {
    QTemporaryDir dir;
    const QString dltFile = dir.filePath(QStringLiteral("dlt.json"));
    panel->SumSe1->setValue(50);
    history = DltSampleHistory();
    panel->setGame(Game::dlt());

    // The game's items, reset values and captions.
    QCOMPARE(panel->RcmSheet1CodeChk->Count(), 35);
    QVERIFY(panel->RcmSheet1BackChk);
    QCOMPARE(panel->RcmSheet1BackChk->Count(), 12);
    QCOMPARE(panel->RcmSheet1RatioChk->Count(), 6);
    QCOMPARE(panel->RcmSheet2RatioChk->Caption(0), QStringLiteral("0:5"));
    QCOMPARE(panel->RcmSheet3RangeChk[0]->Count(), 5);
    QCOMPARE(panel->CbbAc2->itemText(panel->CbbAc2->count() - 1), QStringLiteral("6"));
    QCOMPARE(panel->CbbSpan2->itemText(panel->CbbSpan2->count() - 1), QStringLiteral("34"));
    QCOMPARE(panel->Cbb33->count(), 7);
    QCOMPARE(panel->MaxCodeSe->value(), 35);
    QCOMPARE(panel->SumSe1->value(), 15);
    QCOMPARE(panel->SumSe2->value(), 165);
    QStringList captions;
    for (const QLabel* l : panel->RcmSheet3Gbx1->findChildren<QLabel*>())
        captions << l->text();
    QVERIFY(captions.contains(QStringLiteral("25-35出")));
    QVERIFY(!captions.contains(QStringLiteral("23-33出")));
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet1);
    QVERIFY(panel->SameCountLbl->text().startsWith(QStringLiteral("与上期开奖前区同号个数设定：(上期号码:")));

    // Too few backs: refused, the memo stays.
    tickCandidates(1, 8);
    click(panel->RcmSheet1BackChk, 0);
    {
        MessageBoxWatch watch;
        run();
        QCOMPARE(watch.text, QStringLiteral("请最少选择2个后区号码！"));
    }
    QCOMPARE(panel->RcmMemo->toPlainText(), QString());
    click(panel->RcmSheet1BackChk, 1);
    click(panel->RcmSheet1BackChk, 11);
    run();
    // C(8,5) fronts, each with the three pairs of 01 02 12.
    const QString countLine = QStringLiteral("缩水结果总共56注，后区3个号码3种组合，共168注（336元）");
    QCOMPARE(status->last().at(0).toString(), countLine);
    const QStringList lines = panel->RcmMemo->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 2 + 168);
    QCOMPARE(lines[0], countLine);
    QCOMPARE(lines[2], QStringLiteral("01 02 03 04 05+01 02"));
    QCOMPARE(lines[4], QStringLiteral("01 02 03 04 05+02 12"));
    QCOMPARE(lines.last(), QStringLiteral("04 05 06 07 08+02 12"));

    // The backtest grid holds five fronts and the backs.
    panel->RcmSheet5->PeriodSe->setValue(30);
    panel->SumSe1->setValue(40);
    QTest::mouseClick(panel->RcmSheet5->VerifyBt, Qt::LeftButton);
    QVERIFY(panel->RcmSheet5->SummaryLbl->text().startsWith(QStringLiteral("最近30期")));
    const H2NetModel& grid = panel->RcmSheet5->DrawNet->model();
    QCOMPARE(grid.GetValue(1, 5), QStringLiteral("5"));
    QCOMPARE(grid.GetValue(2, 6).size(), 5); // "03 07": both backs of the latest draw

    panel->setConditionFileDialog([&](QWidget*, bool) { return dltFile; });
    QTest::mouseClick(panel->RcmPanelSaveCondBt, Qt::LeftButton);
    QVERIFY(QFile::exists(dltFile));

    // Back to the two-colour ball: its own conditions, no super lotto result.
    history = SampleHistory();
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet1);
    panel->setGame(Game::ssq());
    // The sheet in view shows the new game's widgets at once.
    QVERIFY(panel->RcmSheet1CodeChk->isVisible());
    QVERIFY(panel->RcmSheet1Gbx2->isVisible());
    QCOMPARE(panel->RcmSheet1CodeChk->Count(), 33);
    QVERIFY(!panel->RcmSheet1BackChk);
    QCOMPARE(panel->SumSe1->value(), 50);
    QCOMPARE(panel->RcmSheet1CodeChk->CheckedCount(), 0);
    QCOMPARE(panel->RcmMemo->toPlainText(), QString());
    {
        // The other game's condition set is refused and changes nothing.
        MessageBoxWatch watch;
        QTest::mouseClick(panel->RcmPanelLoadCondBt, Qt::LeftButton);
        QVERIFY(!watch.text.isEmpty());
    }
    QCOMPARE(panel->SumSe1->value(), 50);

    history = DltSampleHistory();
    panel->setGame(Game::dlt());
    QCOMPARE(panel->RcmSheet1CodeChk->CheckedCount(), 8);
    QCOMPARE(panel->checkedBacks(), (std::vector<int>{1, 2, 12}));
    QCOMPARE(panel->SumSe1->value(), 40);
    QCOMPARE(panel->RcmMemo->toPlainText().split(QLatin1Char('\n')).first(), countLine);
    QTest::mouseClick(panel->RcmPanelClearBt, Qt::LeftButton);
    QCOMPARE(panel->SumSe1->value(), 15);
    QTest::mouseClick(panel->RcmPanelLoadCondBt, Qt::LeftButton);
    QCOMPARE(panel->SumSe1->value(), 40);
    QCOMPARE(panel->RcmSheet1CodeChk->CheckedCount(), 8);
}


// 结果兑奖 of a super-lotto result reads the answer as a super-lotto draw and prices it by its rules.
void TestShrinkPanel::superLottoResultCheck() {
    history = DltSampleHistory();
    panel->setGame(Game::dlt());
    panel->RcmMemo->setPlainText(QStringLiteral("05 14 15 17 33+01 07\n01 02 03 04 05+01 02"));
    panel->setInputBox([](QWidget*, const QString&) { return QStringLiteral("2026094"); });
    QTest::mouseClick(panel->RcmPanelCheckBt, Qt::LeftButton);
    auto* prize = panel->window()->findChild<TPrizeWindow*>(QStringLiteral("PrizeWindow"));
    QVERIFY(prize);
    QCOMPARE(&prize->game(), &Game::dlt());
    prize->close();

    // Its printout names the game.
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) return;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("result.pdf"));
    SetPrintToFile(pdf);
    QTest::mouseClick(panel->RcmPanelPrintBt, Qt::LeftButton);
    SetPrintToFile(QString());
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(p.waitForFinished(20000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("Kelvora 超级大乐透缩水结果")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("05 14 15 17 33+01 07")));
}

// 七乐彩: seven of 30, no back numbers; the result lists seven-number tickets, the progress runs to
// the last of its 2,035,800 tickets, the backtest grid shows the draw's special number.
void TestShrinkPanel::sevenNumberGame() {
    history = SampleHistoryOf(Game::qlc());
    panel->setGame(Game::qlc());
    QCOMPARE(panel->RcmSheet1CodeChk->Count(), 30);
    QVERIFY(!panel->RcmSheet1BackChk);
    QCOMPARE(panel->RcmSheet1RatioChk->Count(), 8);
    QCOMPARE(panel->RcmSheet2RatioChk->Caption(7), QStringLiteral("7:0"));
    QCOMPARE(panel->RcmSheet3RangeChk[0]->Count(), 7);
    QCOMPARE(panel->CbbAc2->itemText(panel->CbbAc2->count() - 1), QStringLiteral("15"));
    QCOMPARE(panel->CbbSpan2->itemText(panel->CbbSpan2->count() - 1), QStringLiteral("29"));
    QCOMPARE(panel->Cbb33->count(), 9);
    QCOMPARE(panel->SumSe1->value(), 28);
    QCOMPARE(panel->SumSe2->value(), 189);

    // Every item a game of seven has reaches the run: seven odd numbers of 01..14, six of 01..07.
    tickCandidates(1, 14);
    click(panel->RcmSheet1RatioChk, 7);
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet3);
    panel->RcmSheet3RangeEdit[0]->setText(QStringLiteral("1,2,3,4,5,6,7"));
    click(panel->RcmSheet3RangeChk[0], 6);
    run();
    QCOMPARE(TProgressForm::instance().maximum(), (2035800 - 1) / 10000);
    // 01 03 .. 13 holds only four of 01..07: no ticket. Six of 01..07 with seven odd: none either.
    QCOMPARE(panel->RcmMemo->toPlainText(), QStringLiteral("缩水结果总共0注\n"));
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet3);
    click(panel->RcmSheet3RangeChk[0], 6);
    click(panel->RcmSheet3RangeChk[0], 4);
    run();
    QCOMPARE(panel->RcmMemo->toPlainText(), QStringLiteral("缩水结果总共1注\n\n01 03 05 07 09 11 13"));

    panel->RcmSheet5->PeriodSe->setValue(30);
    QTest::mouseClick(panel->RcmSheet5->VerifyBt, Qt::LeftButton);
    QVERIFY(panel->RcmSheet5->SummaryLbl->text().startsWith(QStringLiteral("最近30期")));
    const H2NetModel& grid = panel->RcmSheet5->DrawNet->model();
    const TCodeRec& newest = history.back().Ticket;
    for (int k = 0; k < 7; ++k)
        QCOMPARE(grid.GetValue(2, 1 + k), NumToText(newest.Red[k]));
    QCOMPARE(grid.GetValue(2, 8), NumToText(newest.Special));
}

QTEST_MAIN(TestShrinkPanel)
#include "tst_shrinkpanel.moc"
