#include "support/ModalCatcher.h"
#include "support/TestSupport.h"
#include "ui/charts/StatsPage.h"
#include "ui/controls/G2Net.h"

#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

class TestStatsPage : public QObject {
    Q_OBJECT

  private:
    TCodeArr m_history = SampleHistory();

    static int BarSum(const TG2Net* net) {
        int s = 0;
        for (int k = 1; k <= net->model().dynColCount(); ++k)
            s += net->GetValue(k, 1).toInt();
        return s;
    }

  private slots:
    void namesAndFrame_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("net");
        QTest::newRow("red") << int(TStatsPage::Red) << "ExTabSheet7"
                             << "ExTabSheet7Net";
        QTest::newRow("blue") << int(TStatsPage::Blue) << "ExTabSheet10"
                              << "ExTabSheet10Net";
    }

    void namesAndFrame() {
        QFETCH(int, kind);
        QFETCH(QString, sheet);
        QFETCH(QString, net);
        TStatsPage page(m_history, TStatsPage::Kind(kind));
        QCOMPARE(page.objectName(), sheet);
        QCOMPARE(page.net()->objectName(), net);
        QCOMPARE(page.goButton()->x(), 226);
    }

    void showFillsAndButtonRefills_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("perDraw");
        QTest::newRow("red") << int(TStatsPage::Red) << 6;
        QTest::newRow("blue") << int(TStatsPage::Blue) << 1;
    }

    void showFillsAndButtonRefills() {
        QFETCH(int, kind);
        QFETCH(int, perDraw);
        TStatsPage page(m_history, TStatsPage::Kind(kind));
        page.resize(900, 600);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(BarSum(page.net()), 30 * perDraw);

        page.periodsEdit()->setValue(7);
        QTest::mouseClick(page.goButton(), Qt::LeftButton);
        QCOMPARE(BarSum(page.net()), 7 * perDraw);

        // Too many periods: the message, and the chart keeps the 7-draw bars.
        page.periodsEdit()->setValue(int(m_history.size()) + 1);
        ModalCatcher catcher;
        QTest::mouseClick(page.goButton(), Qt::LeftButton);
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("设置的查询期数超过总期数!!")});
        QCOMPARE(BarSum(page.net()), 7 * perDraw);

        // Coming back to the sheet recomputes with the spin's value.
        page.periodsEdit()->setValue(3);
        page.hide();
        page.show();
        QCOMPARE(BarSum(page.net()), 3 * perDraw);
    }

    void paintsRedBars() {
        TStatsPage page(m_history, TStatsPage::Red);
        page.resize(900, 600);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const G2NetModel& m = page.net()->model();
        // The tallest bar of the chart, sampled in its middle: series colour 0x5462FF is RGB (255, 98, 84).
        int best = 1;
        for (int k = 1; k <= 33; ++k)
            if (m.BarValue(k, 1) > m.BarValue(best, 1)) best = k;
        const TNetRect bar = m.ScaleBar(m.BarRect(best, 1));
        QImage img(page.net()->size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        page.net()->render(p);
        p.end();
        QCOMPARE(img.pixelColor((bar.Left + bar.Right) / 2, (bar.Top + bar.Bottom) / 2), QColor(255, 98, 84));
    }
};

QTEST_MAIN(TestStatsPage)
#include "tst_statspage.moc"
