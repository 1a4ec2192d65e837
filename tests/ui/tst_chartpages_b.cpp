#include "support/ModalCatcher.h"
#include "support/TestSupport.h"
#include "ui/charts/AnalysisPage.h"
#include "ui/charts/ChartPages.h"
#include "ui/charts/EmptyRowColPage.h"
#include "ui/charts/GannPage.h"
#include "ui/charts/OmissionPage.h"
#include "ui/charts/StatsPage.h"
#include "ui/controls/B0Net.h"
#include "ui/controls/G2Net.h"
#include "ui/controls/H2Net.h"
#include "ui/forms/SmForm.h"

#include <QDir>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

// The statistics, board, omission and analysis sheets inside the chart page control.
class TestChartPagesB : public QObject {
    Q_OBJECT

  private:
    TCodeArr m_history = SampleHistory();

  private slots:
    void sheetsInPlace() {
        TChartPages pages(m_history);
        QVERIFY(qobject_cast<TEmptyRowColPage*>(pages.sheet(5)));
        QCOMPARE(qobject_cast<TStatsPage*>(pages.sheet(6))->net()->objectName(),
                 QStringLiteral("ExTabSheet7Net"));
        QCOMPARE(qobject_cast<TStatsPage*>(pages.sheet(9))->net()->objectName(),
                 QStringLiteral("ExTabSheet10Net"));
        QVERIFY(qobject_cast<TOmissionPage*>(pages.sheet(10)));
        QVERIFY(qobject_cast<TGannPage*>(pages.sheet(11)));
        QVERIFY(qobject_cast<TAnalysisPage*>(pages.sheet(12)));
        for (int i : {5, 6, 9, 10, 11, 12})
            QCOMPARE(pages.tabText(i), pages.sheet(i)->caption());
    }

    void switchingRefills() {
        TChartPages pages(m_history);
        pages.resize(1200, 800);
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        pages.showSheet(11);
        auto* gann = qobject_cast<TGannPage*>(pages.sheet(11));
        QCOMPARE(gann->boards().size(), size_t(30));
        gann->periodsEdit()->setValue(4);
        pages.showSheet(12);
        auto* analysis = qobject_cast<TAnalysisPage*>(pages.sheet(12));
        QCOMPARE(analysis->net()->model().dynRows(), 31);
        // Back on the Gann sheet without "查询": the spin's current value counts.
        pages.showSheet(11);
        QCOMPARE(gann->boards().size(), size_t(4));
    }

    // With KELVORA_CHART_SHOTS set to a directory, these sheets are saved there as sheet<k>.png
    // (N = 30, sample history): for looking at, not for checking.
    void screenshots() {
        const QString dir = qEnvironmentVariable("KELVORA_CHART_SHOTS");
        if (dir.isEmpty()) QSKIP("KELVORA_CHART_SHOTS not set");
        QWidget window;
        QFont font = window.font();
        font.setPixelSize(14);
        window.setFont(font);
        auto* pages = new TChartPages(m_history, &window);
        window.resize(1380, 860);
        pages->resize(window.size());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto save = [&](const QString& name) {
            QTest::qWait(300);
            QVERIFY(window.grab().save(QDir(dir).filePath(name)));
        };
        for (int index : {5, 6, 9, 10, 11, 12}) {
            pages->showSheet(index);
            save(QStringLiteral("sheet%1.png").arg(index + 1));
        }
        auto* omission = qobject_cast<TOmissionPage*>(pages->sheet(10));
        pages->showSheet(10);
        omission->scrollBox()->verticalScrollBar()->setValue(
            omission->scrollBox()->verticalScrollBar()->maximum());
        save(QStringLiteral("sheet11-bottom.png"));
        // The whole history on the bar charts: the y axis at its 20-step limit.
        auto* red = qobject_cast<TStatsPage*>(pages->sheet(6));
        pages->showSheet(6);
        red->periodsEdit()->setValue(int(m_history.size()));
        red->refill();
        save(QStringLiteral("sheet7-all.png"));
        // The explanation window over the analysis sheet.
        pages->showSheet(12);
        QTimer::singleShot(300, [&] {
            TSmForm::instance().grab().save(QDir(dir).filePath(QStringLiteral("sheet13-explanation.png")));
            TSmForm::instance().close();
        });
        qobject_cast<TAnalysisPage*>(pages->sheet(12))->ExTabSheet13SmBtClick();
    }
};

QTEST_MAIN(TestChartPagesB)
#include "tst_chartpages_b.moc"
