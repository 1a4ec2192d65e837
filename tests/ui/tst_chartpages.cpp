#include "engine/history/Parser.h"
#include "engine/prize/DrawFigures.h"
#include "support/ModalCatcher.h"
#include "support/TestSupport.h"
#include "ui/charts/ChartPage.h"
#include "ui/charts/ChartPages.h"
#include "ui/charts/RotationPage.h"
#include "ui/charts/SalesPoolPage.h"
#include "ui/charts/TrendPage.h"
#include "ui/charts/ZonePage.h"
#include "ui/controls/H2Net.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

// The chart page frame and the chart page control: show events and "查询" rebuild the charts.
class TestChartPages : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void frameOfEverySheet_data();
    void frameOfEverySheet();
    void showEventFillsFromSpinValue();
    void revisitRecomputes();
    void buttonRefills();
    void refusedPeriodsKeepTheChart_data();
    void refusedPeriodsKeepTheChart();
    void emptyHistoryRefusesEveryVisit();
    void historyEditedElsewhereShowsOnNextVisit();
    void textThatIsNoIntegerCountsZero();
    void rotationStartEdit();
    void rotationStartEnterRefills();
    void zoneNoteFits();
    void topBarTakesPageWidgets();
    void screenshots();

  private:
    TCodeArr m_sample;
};

void TestChartPages::initTestCase() {
    m_sample = SampleHistory();
    QCOMPARE(int(m_sample.size()), 3493);
}

void TestChartPages::frameOfEverySheet_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("goLeft");
    QTest::addColumn<bool>("grid");
    const char* const captions[] = {"红球走势图", "区域分布图", "尾号走势图", "奇偶走势图", "大小走势图",
                                    "空行空列图", "红球统计图", "旋转图",     "蓝球走势图", "蓝球统计图",
                                    "遗漏统计图", "江恩图",     "统计分析表", "奖池与销量"};
    const QList<int> mine{0, 1, 2, 3, 4, 7, 8};
    for (int i = 0; i < 14; ++i)
        QTest::newRow(captions[i]) << i << QString::fromUtf8(captions[i])
                                   << (i < 4    ? 218
                                       : i == 7 ? 330
                                                : 226)
                                   << mine.contains(i);
}

void TestChartPages::frameOfEverySheet() {
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(int, goLeft);
    QFETCH(bool, grid);
    TChartPages pages(m_sample);
    QCOMPARE(pages.objectName(), QStringLiteral("GridPctl"));
    QCOMPARE(pages.count(), 14);
    QCOMPARE(pages.tabText(index), caption);
    TChartPage* page = pages.sheet(index);
    QVERIFY(page);
    const QString name = QStringLiteral("ExTabSheet%1").arg(index + 1);
    QCOMPARE(page->objectName(), name);
    QCOMPARE(page->caption(), caption);
    QCOMPARE(page->topPanel()->height(), 33);
    QCOMPARE(page->label()->pos(), QPoint(7, 10));
    QVERIFY(page->label()->text().startsWith(QStringLiteral("统计最近         期的走势情况")));
    QCOMPARE(page->periodsEdit()->objectName(), name + QStringLiteral("Se"));
    // Left 72, top 5, 44 x 23, wider only when the font needs it for four digits.
    const QRect spin = page->periodsEdit()->geometry();
    QCOMPARE(spin.topLeft(), QPoint(72, 5));
    QCOMPARE(spin.height(), 23);
    QVERIFY(spin.width() >= 44);
    QCOMPARE(page->periodsEdit()->value(), 30);
    QCOMPARE(page->periodsEdit()->minimum(), INT_MIN);
    QCOMPARE(page->periodsEdit()->maximum(), INT_MAX);
    QCOMPARE(page->goButton()->objectName(), name + QStringLiteral("GoBt"));
    QCOMPARE(page->goButton()->text(), QStringLiteral("查询"));
    // At its design place unless the label (or the rotation's start edit) reaches it.
    const QRect go = page->goButton()->geometry();
    QCOMPARE(go.size(), QSize(57, 22));
    QCOMPARE(go.top(), 6);
    QVERIFY(go.left() >= goLeft);
    QVERIFY(go.left() > page->label()->geometry().right());
    for (QWidget* w : page->topPanel()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w != page->goButton() && w->geometry().left() < go.left() && w->width() < 600)
            QVERIFY(w->geometry().right() < go.left());
    auto* trend = qobject_cast<TTrendPage*>(page);
    QCOMPARE(trend != nullptr, grid);
    if (trend) QCOMPARE(trend->net()->objectName(), name + QStringLiteral("Net"));
    QCOMPARE(pages.sheet(14), nullptr);
    QCOMPARE(pages.sheet(-1), nullptr);
}

void TestChartPages::showEventFillsFromSpinValue() {
    TChartPages pages(m_sample);
    auto* red = qobject_cast<TTrendPage*>(pages.sheet(0));
    QSignalSpy redFills(red, &TChartPage::filled);
    pages.resize(1000, 600);
    pages.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pages));
    QCOMPARE(pages.currentIndex(), 10);
    QCOMPARE(redFills.count(), 0);
    pages.showSheet(0);
    QCOMPARE(redFills.count(), 1);
    QCOMPARE(red->net()->model().dynRows(), 31);
    QCOMPARE(red->net()->GetValue(2, 0), QString::number(m_sample.back().code()));
    // Sheets not yet visited hold nothing.
    auto* blue = qobject_cast<TTrendPage*>(pages.sheet(8));
    QSignalSpy blueFills(blue, &TChartPage::filled);
    QCOMPARE(blue->net()->model().colsCount(), 0);
    blue->periodsEdit()->setValue(12);
    pages.showSheet(8);
    QCOMPARE(pages.currentIndex(), 8);
    QCOMPARE(blueFills.count(), 1);
    QCOMPARE(blue->net()->model().dynRows(), 13);
    QCOMPARE(blue->net()->model().colsCount(), 29);
}

void TestChartPages::revisitRecomputes() {
    TChartPages pages(m_sample);
    pages.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pages));
    TChartPage* red = pages.sheet(0);
    QSignalSpy redFills(red, &TChartPage::filled);
    pages.showSheet(0);
    QCOMPARE(redFills.count(), 1);
    pages.showSheet(3);
    red->periodsEdit()->setValue(5);
    QCOMPARE(redFills.count(), 1);
    pages.setCurrentIndex(0); // the user picks the tab
    QCOMPARE(redFills.count(), 2);
    QCOMPARE(qobject_cast<TTrendPage*>(red)->net()->model().dynRows(), 6);
    // The chart command for the sheet already in front recomputes it as well.
    pages.showSheet(0);
    QCOMPARE(redFills.count(), 3);
    pages.showSheet(-1);
    QCOMPARE(pages.currentIndex(), 0);
    QCOMPARE(redFills.count(), 3);
    // Hiding and showing the control (another panel, then a chart command) is a visit too.
    pages.hide();
    pages.showSheet(0);
    pages.show();
    QCOMPARE(redFills.count(), 4);
}

void TestChartPages::buttonRefills() {
    TChartPages pages(m_sample);
    pages.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pages));
    pages.showSheet(4);
    auto* page = qobject_cast<TTrendPage*>(pages.sheet(4));
    page->periodsEdit()->setValue(100);
    QTest::mouseClick(page->goButton(), Qt::LeftButton);
    QCOMPARE(page->net()->model().dynRows(), 101);
    page->periodsEdit()->setValue(0);
    QTest::mouseClick(page->goButton(), Qt::LeftButton);
    QCOMPARE(page->net()->model().dynRows(), 1);
    QCOMPARE(page->net()->GetValue(2, 0), QStringLiteral("合计"));
    page->periodsEdit()->setValue(3493);
    QTest::mouseClick(page->goButton(), Qt::LeftButton);
    QCOMPARE(page->net()->model().dynRows(), 3494);
    QCOMPARE(page->net()->GetValue(3494, 0), QString::number(m_sample.front().code()));
}

void TestChartPages::refusedPeriodsKeepTheChart_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("n");
    for (int index : {0, 1, 2, 3, 4, 7, 8}) {
        QTest::newRow(qPrintable(QStringLiteral("sheet %1, one too many").arg(index + 1))) << index << 3494;
        QTest::newRow(qPrintable(QStringLiteral("sheet %1, negative").arg(index + 1))) << index << -1;
    }
}

void TestChartPages::refusedPeriodsKeepTheChart() {
    QFETCH(int, index);
    QFETCH(int, n);
    TChartPages pages(m_sample);
    pages.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pages));
    pages.showSheet(index);
    auto* page = qobject_cast<TTrendPage*>(pages.sheet(index));
    const QJsonObject before = page->net()->model().toJson();
    QSignalSpy fills(page, &TChartPage::filled);
    page->periodsEdit()->setValue(n);
    ModalCatcher catcher;
    QVERIFY(!page->refill());
    QCOMPARE(catcher.texts, QStringList{QStringLiteral("设置的查询期数超过总期数!!")});
    QCOMPARE(page->net()->model().toJson(), before);
    QCOMPARE(fills.count(), 0);
}

void TestChartPages::emptyHistoryRefusesEveryVisit() {
    const TCodeArr empty;
    TChartPages pages(empty);
    pages.setCurrentIndex(0);
    ModalCatcher catcher;
    pages.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pages));
    pages.showSheet(1);
    pages.showSheet(0);
    pages.showSheet(8);
    QTRY_COMPARE(catcher.texts.size(), 4);
    for (const QString& t : catcher.texts)
        QCOMPARE(t, QStringLiteral("设置的查询期数超过总期数!!"));
    pages.sheet(0)->periodsEdit()->setValue(0);
    QVERIFY(pages.sheet(0)->refill());
    QCOMPARE(qobject_cast<TTrendPage*>(pages.sheet(0))->net()->GetValue(2, 0), QStringLiteral("合计"));
}

void TestChartPages::historyEditedElsewhereShowsOnNextVisit() {
    TCodeArr history(m_sample.begin(), m_sample.begin() + 40);
    TChartPages pages(history);
    pages.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pages));
    pages.showSheet(0);
    auto* red = qobject_cast<TTrendPage*>(pages.sheet(0));
    QCOMPARE(red->net()->GetValue(2, 0), QString::number(history.back().code()));
    history.push_back(m_sample[40]);
    // Still the old chart until the sheet is shown again.
    QCOMPARE(red->net()->GetValue(2, 0), QString::number(m_sample[39].code()));
    pages.showSheet(2);
    pages.showSheet(0);
    QCOMPARE(red->net()->GetValue(2, 0), QString::number(m_sample[40].code()));
}

void TestChartPages::textThatIsNoIntegerCountsZero() {
    TChartPages pages(m_sample);
    auto* page = qobject_cast<TTrendPage*>(pages.sheet(2));
    auto* edit = page->periodsEdit()->findChild<QLineEdit*>();
    QVERIFY(edit);
    edit->setText(QStringLiteral("12"));
    QCOMPARE(page->periods(), 12);
    edit->setText(QStringLiteral("abc"));
    QCOMPARE(page->periods(), 0);
    edit->setText(QString());
    QCOMPARE(page->periods(), 0);
    QVERIFY(page->refill());
    QCOMPARE(page->net()->model().dynRows(), 1);
}

void TestChartPages::rotationStartEdit() {
    TChartPages pages(m_sample);
    pages.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pages));
    auto* rot = qobject_cast<TRotationPage*>(pages.sheet(7));
    QVERIFY(rot);
    QCOMPARE(rot->label()->text(), QStringLiteral("统计最近         期的走势情况，起点为"));
    QSpinBox* start = rot->startEdit();
    QCOMPARE(start->objectName(), QStringLiteral("ExTabSheet8StartSe"));
    QCOMPARE(start->minimum(), 1);
    QCOMPARE(start->maximum(), 33);
    QCOMPARE(start->value(), 1);
    // Between the label and the button, clear of both.
    QVERIFY(start->geometry().left() > rot->label()->geometry().right());
    QVERIFY(start->geometry().right() < rot->goButton()->geometry().left());
    start->setValue(17);
    pages.showSheet(7);
    QCOMPARE(rot->net()->GetValue(1, 8), QStringLiteral("17"));
    QCOMPARE(rot->net()->GetValue(1, 25), QStringLiteral("1"));
    start->setValue(33);
    QTest::mouseClick(rot->goButton(), Qt::LeftButton);
    QCOMPARE(rot->net()->GetValue(1, 8), QStringLiteral("33"));
    QCOMPARE(rot->startNumber(), 33);
}

// Enter in the start edit does what "查询" does, as Enter in the period edit does.
void TestChartPages::rotationStartEnterRefills() {
    TChartPages pages(m_sample);
    pages.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pages));
    pages.showSheet(7);
    auto* rot = qobject_cast<TRotationPage*>(pages.sheet(7));
    QCOMPARE(rot->net()->GetValue(1, 8), QStringLiteral("1"));
    QSpinBox* start = rot->startEdit();
    start->setFocus();
    start->selectAll();
    QTest::keyClicks(start, QStringLiteral("17"));
    QTest::keyClick(start, Qt::Key_Return);
    QCOMPARE(rot->net()->GetValue(1, 8), QStringLiteral("17"));
    QCOMPARE(rot->net()->GetValue(1, 25), QStringLiteral("1"));
}

void TestChartPages::zoneNoteFits() {
    TChartPages pages(m_sample);
    pages.resize(1000, 600);
    pages.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pages));
    pages.showSheet(1);
    auto* zone = qobject_cast<TZonePage*>(pages.sheet(1));
    QVERIFY(zone);
    QLabel* note = zone->note();
    QCOMPARE(note->text(),
             QStringLiteral("1、3分区：11个号码为1个分区，共3个分区，6个奖号一般分布在2到3个分区中。\n"
                            "2、11分区：3个号码为1个区，共11个区，6个奖号一般分布在4到6个区。"));
    QCOMPARE(note->pos(), QPoint(55, 2));
    QWidget* panel = note->parentWidget();
    QVERIFY(panel->height() >= 30);
    QVERIFY(note->geometry().bottom() < panel->height());
    QVERIFY(note->width() >= note->sizeHint().width());
    QVERIFY(note->height() >= note->sizeHint().height());
    // The note sits under the grid.
    QVERIFY(panel->mapTo(zone, QPoint(0, 0)).y() >=
            zone->net()->mapTo(zone, QPoint(0, zone->net()->height())).y());
}

void TestChartPages::topBarTakesPageWidgets() {
    TCodeArr history;
    TChartPage page(history, 13);
    QCOMPARE(page.sheetNumber(), 13);
    auto* extra = new QPushButton(QStringLiteral("说明"));
    page.topBar()->addWidget(extra);
    page.resize(800, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(extra->window(), &page);
    QVERIFY(extra->mapTo(&page, QPoint(0, 0)).x() > page.goButton()->geometry().right());
    auto* placed = new QLabel(QStringLiteral("x"));
    page.addTopWidget(placed, 400, 8);
    QCOMPARE(placed->parentWidget(), page.topPanel());
    QCOMPARE(placed->pos(), QPoint(400, 8));
    QVERIFY(placed->isVisible());
}

// With KELVORA_CHART_SHOTS set to a directory, every sheet of this helper is saved there as
// sheet<k>.png (N = 30, sample history): for looking at, not for checking.
void TestChartPages::screenshots() {
    const QString dir = qEnvironmentVariable("KELVORA_CHART_SHOTS");
    if (dir.isEmpty()) QSKIP("KELVORA_CHART_SHOTS not set");
    QWidget window;
    QFont font = window.font();
    font.setPixelSize(14);
    window.setFont(font);
    auto* pages = new TChartPages(m_sample, &window);
    window.resize(1380, 860);
    pages->resize(window.size());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (int index : {0, 1, 2, 3, 4, 7, 8}) {
        pages->showSheet(index);
        QTest::qWait(300);
        QVERIFY(window.grab().save(QDir(dir).filePath(QStringLiteral("sheet%1.png").arg(index + 1))));
    }
    // The whole history: the spin edit's four digits and the last rows after scrolling down.
    pages->showSheet(0);
    auto* red = qobject_cast<TTrendPage*>(pages->sheet(0));
    red->periodsEdit()->setValue(int(m_sample.size()));
    red->refill();
    red->net()->VScroll(TScrollRequest::Bottom);
    QTest::qWait(300);
    QVERIFY(window.grab().save(QDir(dir).filePath(QStringLiteral("sheet1-all.png"))));
    // 奖池与销量 of 100 draws with the frozen figures, the mouse over a draw.
    const FiguresTable figures = LoadFigures(FiguresFixturePathOf(Game::ssq()), Game::ssq(), &m_sample).table;
    pages->setFigures(&figures);
    pages->showSheet(TChartPages::SheetCount - 1);
    auto* lines = qobject_cast<TSalesPoolPage*>(pages->currentSheet());
    lines->periodsEdit()->setValue(100);
    lines->refill();
    QTest::qWait(300);
    QTest::mouseMove(lines->view(), QPoint(lines->view()->width() / 2, lines->view()->height() / 2));
    QTest::qWait(300);
    QVERIFY(window.grab().save(QDir(dir).filePath(QStringLiteral("sheet14.png"))));
}

QTEST_MAIN(TestChartPages)
#include "tst_chartpages.moc"
