#include "ui/shrink/BacktestSheet.h"

#include "engine/history/Parser.h"
#include "engine/io/GbText.h"
#include "engine/shrink/Backtest.h"
#include "engine/shrink/Combinations.h"
#include "engine/shrink/ConditionSet.h"
#include "engine/shrink/ShrinkRun.h"
#include "support/ModalCatcher.h"
#include "support/TestSupport.h"
#include "ui/controls/H2Net.h"
#include "ui/controls/MultiChk.h"
#include "ui/controls/MultiRadio.h"
#include "ui/shrink/ShrinkPanel.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

void click(TMultiMatrix* m, int item) {
    QTest::mouseClick(m, Qt::LeftButton, {}, m->RectOfChk(item).center());
}

QString cliShrink(const QStringList& args, const Game& game = Game::ssq()) {
    const CliRun r = RunCliOnSampleOf(game, QStringList{QStringLiteral("shrink")} + args);
    return r.status == 0 ? r.out : QStringLiteral("failed: ") + r.err;
}

} // namespace

class TestBacktestSheet : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void verifiesTheWidgetsAsTheyStand();
    void followsTheTolerance_data();
    void followsTheTolerance();
    void conditionSetRoundTrip();
    void superLottoAsTheCli();
    void refusedFileChangesNothing();
    void exportOffersEveryTicket();

  private:
    // Conditions set through the widgets of three sheets, the hit rows and 容错 included.
    void setConditions();

    TCodeArr history;
    TShrinkPanel* panel = nullptr;
    QTemporaryDir dir;
};

void TestBacktestSheet::init() {
    history = SampleHistory();
    panel = new TShrinkPanel(history);
    panel->resize(900, 600);
    panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel));
}

void TestBacktestSheet::cleanup() {
    delete panel;
    panel = nullptr;
}

void TestBacktestSheet::setConditions() {
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet1);
    for (int n : {1, 3, 5, 8, 12, 14, 17, 20, 23, 26, 29, 31, 33})
        click(panel->RcmSheet1CodeChk, n - 1);
    click(panel->RcmSheet1RatioChk, 2);
    click(panel->RcmSheet1RatioChk, 3);
    click(panel->RcmSheet1RatioChk, 4);
    click(panel->RcmSheet1LinkRadio, 1);
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet2);
    QTest::keyClicks(panel->CodeExcEd, QStringLiteral("04,"));
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet3);
    panel->CbbAc1->setCurrentIndex(5);
    panel->CbbAc2->setCurrentIndex(11);
    panel->Cbb22->setCurrentIndex(3);
    QTest::keyClicks(panel->RcmSheet3RangeEdit[1], QStringLiteral("1,3,5,8,12"));
    click(panel->RcmSheet3RangeChk[1], 1);
    click(panel->RcmSheet3RangeChk[1], 2);
    panel->RcmPanelToleranceSe->setValue(1);
}

// 验证 reads the other sheets as they stand; the table, summary and grid show the engine's result;
// more periods than the history is refused and leaves the sheet as it was.
void TestBacktestSheet::verifiesTheWidgetsAsTheyStand() {
    setConditions();
    TBacktestSheet* sheet = panel->RcmSheet5;
    panel->RcmPctl->setCurrentWidget(sheet);
    sheet->PeriodSe->setValue(80);
    QTest::mouseClick(sheet->VerifyBt, Qt::LeftButton);

    const ShrinkBacktest want = RunShrinkBacktest(panel->readInput(), history, 80, Game::ssq());
    for (int c = 0; c < ConditionCount; ++c)
        QCOMPARE(sheet->ConditionTable->item(c, 2)->text(), QString::number(want.passed[size_t(c)]));
    QCOMPARE(sheet->ConditionTable->item(LinkCondition, 1)->text(), QStringLiteral("是"));
    QCOMPARE(sheet->ConditionTable->item(SpanCondition, 3)->text(), QStringLiteral("-"));
    // The condition that fails most draws stands out; a condition nothing fails does not.
    int worst = -1;
    for (int c = 0; c < ConditionCount; ++c)
        if (((want.active >> c) & 1) && (worst < 0 || want.passed[size_t(c)] < want.passed[size_t(worst)]))
            worst = c;
    QVERIFY(sheet->ConditionTable->item(worst, 0)->font().bold());
    QVERIFY(!sheet->ConditionTable->item(SumRangeCondition, 0)->font().bold());
    QVERIFY(sheet->SummaryLbl->text().contains(ToleranceDistributionText(want)));
    QVERIFY(sheet->SummaryLbl->text().contains(QStringLiteral("全部条件同时满足 %1期").arg(want.kept)));

    const H2NetModel& grid = sheet->DrawNet->model();
    QCOMPARE(grid.dynRows(), 81);
    QCOMPARE(grid.GetValue(2, 0), QString::number(history.back().code()));
    const int shownConditions = ConditionCountIn(want.active);
    QCOMPARE(grid.colsCount(), 8 + shownConditions);
    int failedCells = 0;
    for (int r = 2; r < 82; ++r)
        for (int c = 8; c < grid.colsCount(); ++c)
            failedCells += grid.GetCellColor(r, c) == BacktestFailedColor;
    int failures = 0;
    for (const ShrinkBacktestRow& r : want.rows)
        failures += ConditionCountIn(r.failed);
    QCOMPARE(failedCells, failures);

    const QString before = sheet->SummaryLbl->text();
    sheet->PeriodSe->setMaximum(100000);
    sheet->PeriodSe->setValue(int(history.size()) + 1);
    ModalCatcher boxes;
    QTest::mouseClick(sheet->VerifyBt, Qt::LeftButton);
    QCOMPARE(boxes.texts, QStringList{QStringLiteral("设置的验证期数超过总期数!!")});
    QCOMPARE(sheet->SummaryLbl->text(), before);
    QCOMPARE(sheet->DrawNet->model().dynRows(), 81);
}

void TestBacktestSheet::followsTheTolerance_data() {
    QTest::addColumn<int>("tolerance");
    QTest::newRow("0") << 0;
    QTest::newRow("1") << 1;
    QTest::newRow("2") << 2;
}

// The summary says what the set as configured, 容错 included, would have kept; beside each
// condition's pass rate stand the share of all tickets passing it and a plain verdict.
void TestBacktestSheet::followsTheTolerance() {
    QFETCH(int, tolerance);
    setConditions();
    panel->RcmPanelToleranceSe->setValue(tolerance);
    TBacktestSheet* sheet = panel->RcmSheet5;
    panel->RcmPctl->setCurrentWidget(sheet);
    sheet->PeriodSe->setValue(100);
    QTest::mouseClick(sheet->VerifyBt, Qt::LeftButton);

    const ShrinkBacktest want = RunShrinkBacktest(panel->readInput(), history, 100, Game::ssq());
    int kept = 0;
    for (const ShrinkBacktestRow& r : want.rows)
        kept += !(r.failed & 1) && ConditionCountIn(r.failed) <= tolerance;
    const QString keptText = QStringLiteral("按当前条件（容错%1）保留：%2期").arg(tolerance).arg(kept);
    QVERIFY2(sheet->SummaryLbl->text().contains(keptText), qPrintable(sheet->SummaryLbl->text()));

    QCOMPARE(sheet->ConditionTable->horizontalHeaderItem(4)->text(), QStringLiteral("号码通过率"));
    // The candidates: 13 of 33 numbers make C(13,6) of the tickets.
    QCOMPARE(sheet->ConditionTable->item(CandidatesCondition, 4)->text(),
             QString::number(100.0 * 1716 / TicketCount, 'f', 2) + QLatin1Char('%'));
    QCOMPARE(sheet->ConditionTable->item(SpanCondition, 4)->text(), QStringLiteral("-"));
    bool notBetter = false;
    for (int c = 0; c < ConditionCount; ++c) {
        const QString verdict = sheet->ConditionTable->item(c, 5)->text();
        QCOMPARE(verdict, ConditionChanceText(want, c));
        if (verdict == QStringLiteral("不比随机好")) {
            notBetter = true;
            QVERIFY(sheet->SummaryLbl->text().contains(ConditionName(c)));
        }
    }
    QVERIFY(notBetter);
}

// A set saved in the window runs unchanged in kelvora-cli; a file written for the CLI loads into
// every widget, hit rows included.
void TestBacktestSheet::conditionSetRoundTrip() {
    setConditions();
    const QString path = dir.filePath(QStringLiteral("set.json"));
    panel->setConditionFileDialog([&](QWidget*, bool save) { return save ? path : QString(); });
    QTest::mouseClick(panel->RcmPanelSaveCondBt, Qt::LeftButton);
    QTest::mouseClick(panel->RcmPanelScaleBt, Qt::LeftButton);
    const QString shown = panel->RcmMemo->toPlainText();
    QVERIFY(shown.startsWith(QStringLiteral("缩水结果总共")));
    QCOMPARE(cliShrink({QStringLiteral("--conditions"), path}), shown + QLatin1Char('\n'));

    // And back: a hand-written set replaces every condition.
    const QString other = dir.filePath(QStringLiteral("other.json"));
    QFile f(other);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(R"({"candidates":"1,2,3,4,5,6,7,8,9,10","odd-even":"2,3,4","link":"has","link-runs":"0",)"
            R"("span":"5,-","hit":["12,16,17:2,3"],"tolerance":"2"})");
    f.close();
    panel->setConditionFileDialog([&](QWidget*, bool save) { return save ? QString() : other; });
    QTest::mouseClick(panel->RcmPanelLoadCondBt, Qt::LeftButton);
    QCOMPARE(WriteConditionSet(panel->readInput(), Game::ssq()),
             WriteConditionSet(LoadConditionSetFile(other, Game::ssq()), Game::ssq()));
    QCOMPARE(panel->RcmSheet1CodeChk->CheckedCount(), 10);
    QCOMPARE(panel->RcmSheet1LinkRadio->ItemIndex(), 0);
    QCOMPARE(panel->CbbSpan1->currentText(), QStringLiteral("5"));
    QCOMPARE(panel->CodeExcEd->text(), QString());
    QCOMPARE(panel->RcmSheet3RangeEdit[0]->text(), QStringLiteral("12,16,17"));
    QCOMPARE(panel->RcmSheet3RangeEdit[1]->text(), QString());
    QCOMPARE(panel->RcmPanelToleranceSe->value(), 2);
    QTest::mouseClick(panel->RcmPanelScaleBt, Qt::LeftButton);
    QCOMPARE(cliShrink({QStringLiteral("--conditions"), other}),
             panel->RcmMemo->toPlainText() + QLatin1Char('\n'));
}

void TestBacktestSheet::refusedFileChangesNothing() {
    setConditions();
    const QByteArray before = WriteConditionSet(panel->readInput(), Game::ssq());
    const QString path = dir.filePath(QStringLiteral("bad.json"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(R"({"candidates":"1,2,3,4,5,6,7,8","odd-even":"1","colour":"red"})");
    f.close();
    panel->setConditionFileDialog([&](QWidget*, bool) { return path; });
    ModalCatcher boxes;
    QTest::mouseClick(panel->RcmPanelLoadCondBt, Qt::LeftButton);
    QCOMPARE(boxes.texts.size(), 1);
    QVERIFY2(boxes.texts.first().contains(QStringLiteral("colour")), qPrintable(boxes.texts.first()));
    QCOMPARE(WriteConditionSet(panel->readInput(), Game::ssq()), before);
}

// Beyond 100,000 tickets the memo holds two lines, and 导出结果 offers the run's every ticket.
void TestBacktestSheet::exportOffersEveryTicket() {
    ShrinkInput in;
    in.candidates.fill(true);
    in.sumMin = 22;
    in.sumMax = 74; // 100,000 tickets up to 73 without 40 and 63; with both and 74 more
    panel->writeInput(in);
    QTest::mouseClick(panel->RcmPanelScaleBt, Qt::LeftButton);
    const int count = RunShrink(in, history, {}, false, Game::ssq()).count;
    QVERIFY(count > ShrinkListLimit);
    QCOMPARE(panel->RcmMemo->toPlainText().count(QLatin1Char('\n')), 1);

    const QString path = dir.filePath(QStringLiteral("all.txt"));
    panel->setSaveFileChooser([&](QWidget*) { return path; });
    QString asked;
    panel->setQuestionBox([&](QWidget*, const QString& text) {
        asked = text;
        return true;
    });
    QTest::mouseClick(panel->RcmPanelExportBt, Qt::LeftButton);
    QVERIFY(asked.contains(QString::number(count)));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = FromGb(file.readAll()).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), count + 3); // count line, empty line, tickets, and the end of the last line
    QCOMPARE(lines[0], ShrinkCountLine(count));
    QCOMPARE(lines[2], QStringLiteral("01 02 03 04 05 07")); // 01..06 sums to 21
    QStringList all;
    for (int n = 1; n <= 33; ++n)
        all << QString::number(n);
    const QStringList printed =
        cliShrink({QStringLiteral("--candidates"), all.join(QLatin1Char(',')), QStringLiteral("--sum-min"),
                   QStringLiteral("22"), QStringLiteral("--sum-max"), QStringLiteral("74"),
                   QStringLiteral("--all")})
            .split(QLatin1Char('\n'));
    QCOMPARE(printed.size(), count + 3);
    QCOMPARE(lines.mid(0, count + 2), printed.mid(0, count + 2));

    // Saying no exports the memo as it stands.
    panel->setQuestionBox([](QWidget*, const QString&) { return false; });
    QTest::mouseClick(panel->RcmPanelExportBt, Qt::LeftButton);
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(FromGb(file.readAll()).split(QStringLiteral("\r\n")).size(), 3);
}

// The super lotto's conditions and backs as ticked in the window give the CLI's result, and the
// backtest the engine's.
void TestBacktestSheet::superLottoAsTheCli() {
    history = DltSampleHistory();
    panel->setGame(Game::dlt());
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet1);
    for (int n : {2, 3, 5, 8, 11, 14, 17, 20, 23, 26, 29, 33, 35})
        click(panel->RcmSheet1CodeChk, n - 1);
    for (int b : {3, 7, 11, 12})
        click(panel->RcmSheet1BackChk, b - 1);
    click(panel->RcmSheet1RatioChk, 2);
    click(panel->RcmSheet1RatioChk, 3);
    panel->RcmPctl->setCurrentWidget(panel->RcmSheet3);
    panel->Cbb33->setCurrentIndex(2); // 25-35 holds one
    panel->CbbAc1->setCurrentIndex(panel->CbbAc1->count() - 3);
    panel->RcmSheet3RangeEdit[0]->setText(QStringLiteral("2,3,5,8,11"));
    click(panel->RcmSheet3RangeChk[0], 1);
    click(panel->RcmSheet3RangeChk[0], 2);

    const QString path = dir.filePath(QStringLiteral("dlt.json"));
    panel->setConditionFileDialog([&](QWidget*, bool) { return path; });
    QTest::mouseClick(panel->RcmPanelSaveCondBt, Qt::LeftButton);
    QTest::mouseClick(panel->RcmPanelScaleBt, Qt::LeftButton);
    const QString shown = panel->RcmMemo->toPlainText();
    QVERIFY(shown.contains(QStringLiteral("后区4个号码6种组合")));
    QVERIFY(shown.count(QLatin1Char('\n')) > 12);
    QCOMPARE(cliShrink({QStringLiteral("--conditions"), path, QStringLiteral("--backs"),
                        QStringLiteral("3,7,11,12")},
                       Game::dlt()),
             shown + QLatin1Char('\n'));

    TBacktestSheet* sheet = panel->RcmSheet5;
    sheet->PeriodSe->setValue(200);
    QTest::mouseClick(sheet->VerifyBt, Qt::LeftButton);
    const ShrinkBacktest want = RunShrinkBacktest(panel->readInput(), history, 200, Game::dlt());
    QVERIFY2(sheet->SummaryLbl->text().contains(QStringLiteral("全部条件同时满足 %1期").arg(want.kept)),
             qPrintable(sheet->SummaryLbl->text()));
    const H2NetModel& grid = sheet->DrawNet->model();
    int failed = 0;
    for (int row = 2; row < 202; ++row)
        failed += grid.GetValue(row, 7) == QStringLiteral("×");
    QVERIFY(failed > 0);
    QCOMPARE(failed, 200 - want.passed[size_t(CandidatesCondition)]);
}

QTEST_MAIN(TestBacktestSheet)
#include "tst_backtestsheet.moc"
