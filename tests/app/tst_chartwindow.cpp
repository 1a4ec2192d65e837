// The chart sheets in the real window, at its first size and maximised: scroll bars shown exactly when
// the grid does not fit, the newest draw in view after every refill, Enter in the period edit.
#include "app/MainForm.h"
#include "ui/charts/ChartPage.h"
#include "ui/charts/ChartPages.h"
#include "ui/controls/H2Net.h"

#include "support/ModalCatcher.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TestChartWindow : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;

    TChartPage* open(const ChartSheet& sheet, int n) {
        form->GridMenuItems[sheet.number - 1]->trigger();
        auto* page = static_cast<TChartPages*>(form->GridPctl)->currentSheet();
        page->periodsEdit()->setValue(n);
        page->refill();
        QCoreApplication::processEvents();
        return page;
    }

    // Each bar is shown exactly when the grid does not fit that way.
    static void checkBars(TH2Net* net, const QByteArray& where) {
        const bool tall = net->model().dynRows() > net->visRows();
        const bool wide = H2NetContentWidth(net->model()) > net->viewport()->width();
        QVERIFY2(net->verticalScrollBar()->isVisible() == tall, where + " vertical");
        QVERIFY2(net->horizontalScrollBar()->isVisible() == wide, where + " horizontal");
        // Every row can be scrolled to.
        QCOMPARE(net->verticalScrollBar()->maximum(), net->layout().ScrollMax);
    }

  private slots:
    void initTestCase() {
        QFile::copy(SampleHistoryPath(), dir.filePath(QStringLiteral("ssq.dxt")));
        QFile::copy(DltSampleHistoryPath(), dir.filePath(QStringLiteral("dlt.dxt")));
        TMainOptions options;
        options.programDir = dir.path();
        options.server = QUrl(QStringLiteral("http://127.0.0.1:9"));
        options.webBrowser = false;
        form = std::make_unique<TMainForm>(options);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanupTestCase() { form.reset(); }

    void scrollBarsFollowContent_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("periods");
        QTest::newRow("first size, 1 draw") << QSize(776, 547) << 1;
        QTest::newRow("first size, 30 draws") << QSize(776, 547) << 30;
        QTest::newRow("1366x700, 30 draws") << QSize(1366, 700) << 30;
        QTest::newRow("maximised, 30 draws") << QSize(1400, 1000) << 30;
        QTest::newRow("maximised, 100 draws") << QSize(1400, 1000) << 100;
        QTest::newRow("maximised, 3493 draws") << QSize(1400, 1000) << 3493;
    }
    void scrollBarsFollowContent() {
        QFETCH(QSize, size);
        QFETCH(int, periods);
        form->resize(size);
        QCoreApplication::processEvents();
        for (const ChartSheet& sheet : ChartSheets) {
            if (sheet.kind != ChartKind::Grid) continue;
            const QByteArray where = QByteArray::number(sheet.number);
            TChartPage* page = open(sheet, periods);
            auto* net = page->findChild<TH2Net*>();
            QVERIFY(net);
            checkBars(net, where);
            // After a scroll, a refill brings the newest draw (the first row) back into view.
            net->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
            QCOMPARE(net->topRow(), net->layout().ScrollMax);
            QTest::keyClick(page->periodsEdit(), Qt::Key_Return);
            QCOMPARE(net->topRow(), 0);
            // The bars follow a resize of the window, both ways.
            form->resize(size.width() == 776 ? QSize(1400, 1000) : QSize(776, 547));
            QCoreApplication::processEvents();
            checkBars(net, where + " after resize");
            form->resize(size);
            QCoreApplication::processEvents();
            checkBars(net, where + " back");
        }
    }

    // The super lotto's grids in the window: 35 front columns, the scroll bars as for the
    // two-colour ball, and its own period count kept apart from the two-colour ball's.
    void superLottoGrids_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("periods");
        QTest::newRow("first size, 30 draws") << QSize(776, 547) << 30;
        QTest::newRow("maximised, 2912 draws") << QSize(1400, 1000) << 2912;
    }
    void superLottoGrids() {
        QFETCH(QSize, size);
        QFETCH(int, periods);
        form->resize(size);
        open(ChartSheets[0], 7);
        form->GameMenuDlt->trigger();
        QCOMPARE(&form->game(), &Game::dlt());
        for (const ChartSheet& sheet : ChartSheets) {
            if (sheet.kind != ChartKind::Grid) continue;
            TChartPage* page = open(sheet, periods);
            QCOMPARE(form->GridPctl->currentWidget(), page);
            auto* net = page->findChild<TH2Net*>();
            QCOMPARE(net->model().dynRows(), periods + 1);
            checkBars(net, "dlt " + QByteArray::number(sheet.number));
        }
        QCOMPARE(form->GridPctl->sheet(0)->findChild<TH2Net*>()->model().colsCount(), 1 + 5 + 1 + 35);
        form->GameMenuSsq->trigger();
        QCOMPARE(form->GridPctl->sheet(0)->periods(), 7);
    }

    void enterInPeriodEditQueries() {
        TChartPage* page = open(ChartSheets[0], 30);
        QSignalSpy fills(page, &TChartPage::filled);
        page->periodsEdit()->selectAll();
        QTest::keyClicks(page->periodsEdit(), QStringLiteral("12"));
        QTest::keyClick(page->periodsEdit(), Qt::Key_Enter);
        QCOMPARE(fills.count(), 1);
        QCOMPARE(page->findChild<TH2Net*>()->model().dynRows(), 13);
    }
};

QTEST_MAIN(TestChartWindow)
#include "tst_chartwindow.moc"
