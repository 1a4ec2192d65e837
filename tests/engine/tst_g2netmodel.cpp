#include "engine/charts/G2NetModel.h"

#include <QJsonArray>
#include <QtTest>

class TestG2NetModel : public QObject {
    Q_OBJECT

    QStringList messages;

    // The red statistics layout: 33 groups of one series.
    G2NetModel redChart() {
        G2NetModel m;
        m.setErrorHook([this](const QString& t) { messages << t; });
        m.SetDimension(34, 2, {0xFF0000, 0x5462FF});
        m.FBarWidth = 12;
        m.FGroupGap = 5;
        m.FGridStep = 20;
        m.FGridCount = 10;
        return m;
    }

  private slots:
    void init() { messages.clear(); }

    void dimensionAndPalette() {
        G2NetModel m;
        m.SetDimension(3, 12, {0x0000FF});
        QCOMPARE(m.dynColCount(), 2);
        QCOMPARE(m.dynRowCount(), 11);
        QCOMPARE(m.GetValue(2, 11), QString("0"));
        QCOMPARE(m.seriesColors().size(), size_t(12));
        QCOMPARE(m.seriesColor(0), TColor(0x0000FF));
        QCOMPARE(m.seriesColor(1), TColor(0x11FF04)); // bright green from the palette
        QCOMPARE(m.seriesColor(2), TColor(0x4512FF));
        QCOMPARE(m.seriesColor(4), TColor(0x5F0084));
        QCOMPARE(m.seriesColor(9), TColor(0xFF0044));
        QCOMPARE(m.seriesColor(11), TColor(0xFF0044));
    }

    void indexChecks_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("last cell") << 33 << 1 << QStringList();
        QTest::newRow("column past groups") << 34 << 1 << QStringList{"x>=FDynColCount "};
        QTest::newRow("row past series") << 1 << 2 << QStringList{"x>=FDynRowCount "};
        QTest::newRow("both") << 40 << 5 << QStringList{"x>=FDynColCount ", "x>=FDynRowCount "};
        QTest::newRow("negative") << -1 << 0 << QStringList{"x>=FDynColCount "};
    }
    void indexChecks() {
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(QStringList, errors);
        G2NetModel m = redChart();
        m.SetValue(col, row, "7");
        QStringList expected;
        for (const QString& e : errors)
            expected << "SetValue " + e;
        QCOMPARE(messages, expected);
        messages.clear();
        const QString v = m.GetValue(col, row);
        expected.clear();
        for (const QString& e : errors)
            expected << "GetValue " + e;
        QCOMPARE(messages, expected);
        QCOMPARE(v, errors.isEmpty() ? QString("7") : QString());
    }

    void clearedChartIsSafe() {
        G2NetModel m;
        m.setErrorHook([this](const QString& t) { messages << t; });
        QCOMPARE(m.GetValue(0, 0), QString());
        m.SetValue(0, 0, "1");
        QCOMPARE(m.toJson()["cols"].toInt(), 0);
        QCOMPARE(m.toJson()["cells"].toArray().size(), 0);
    }

    void geometry() {
        G2NetModel m = redChart();
        QCOMPARE(m.GroupWidth(), 22);
        const TNetRect chart = m.ChartRect();
        QCOMPARE(chart, (TNetRect{30, 30, 30 + 736, 30 + 200}));
        QCOMPARE(m.RequestedSize(), QSize(796, 260));
        const TNetRect bar = m.BarRect(1, 1);
        QCOMPARE(bar.Left, 47);
        QCOMPARE(bar.Right, 59);
        QCOMPARE(bar.Bottom, 230); // on the x axis
        QCOMPARE(m.BarRect(33, 1).Left, 30 + 32 * 22 + 12 + 5);
        m.FGridStep = 0;
        QCOMPARE(m.ChartRect().height(), 0);
    }

    void barHeights_data() {
        QTest::addColumn<float>("scale");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("height");
        QTest::newRow("0.5, 3") << 0.5f << "3" << 6;
        QTest::newRow("0.5, 0") << 0.5f << "0" << 0;
        QTest::newRow("fraction rounds up") << 0.4f << "1" << 3;
        // Single-precision scales: 30 / 0.15f must reach the top line, not one past it.
        QTest::newRow("M 30 at top") << float(30 / 200.0) << "30" << 200;
        QTest::newRow("M 9 at top") << float(9 / 200.0) << "9" << 200;
        QTest::newRow("scale 0") << 0.0f << "5" << 0;
        QTest::newRow("negative") << 0.5f << "-4" << 0;
        QTest::newRow("not a number") << 0.5f << "abc" << 0;
    }
    void barHeights() {
        QFETCH(float, scale);
        QFETCH(QString, value);
        QFETCH(int, height);
        G2NetModel m = redChart();
        m.FScale = scale;
        m.SetValue(5, 1, value);
        const TNetRect bar = m.ScaleBar(m.BarRect(5, 1));
        QCOMPARE(bar.height(), height);
        QCOMPARE(bar.Bottom, m.ChartRect().Bottom);
    }

    void scaleLabels_data() {
        QTest::addColumn<int>("gridStep");
        QTest::addColumn<int>("gridCount");
        QTest::addColumn<float>("scale");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("step 20, 0.25") << 20 << 3 << 0.25f << QStringList{"0", "5", "10", "15"};
        QTest::newRow("M = 30") << 20 << 10 << float(30 / 200.0)
                                << QStringList{"0", "3", "6", "9", "12", "15", "18", "21", "24", "27", "30"};
        // 4.5 is held slightly above one half and rounds up; 2.5 would go to the even 2.
        QTest::newRow("M = 9") << 20 << 10 << float(9 / 200.0)
                               << QStringList{"0", "1", "2", "3", "4", "5", "5", "6", "7", "8", "9"};
        QTest::newRow("halves to even") << 10 << 3 << 0.25f << QStringList{"0", "2", "5", "8"};
        QTest::newRow("scale 0") << 20 << 10 << 0.0f << QStringList(11, "0");
    }
    void scaleLabels() {
        QFETCH(int, gridStep);
        QFETCH(int, gridCount);
        QFETCH(float, scale);
        QFETCH(QStringList, labels);
        G2NetModel m = redChart();
        m.FGridStep = gridStep;
        m.FGridCount = gridCount;
        m.FScale = scale;
        QStringList got;
        for (int q = 0; q <= gridCount; ++q)
            got << m.ScaleLabel(q);
        QCOMPARE(got, labels);
    }

    // For every largest value and chart height: labels are distinct whole numbers on one round step
    // that end at the first step at or above the value, lines stand far enough apart to be read, and
    // the bar of every label's value reaches that label's line exactly, also with the chart stretched.
    void valueAxis() {
        const QList<int> steps{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000};
        for (int height : {120, 200, 300, 400}) {
            for (int top = 0; top <= 6000; top += top < 400 ? 1 : 37) {
                G2NetModel m = redChart();
                m.SetValueAxis(top, height);
                const QString where = QStringLiteral("height %1, top %2").arg(height).arg(top);
                QVERIFY2(m.FGridCount >= 1 && m.FGridStep >= G2NetModel::MinGridPixels, qPrintable(where));
                QVERIFY2(m.FGridCount * m.FGridStep <= height, qPrintable(where));
                QList<int> labels;
                for (int q = 0; q <= m.FGridCount; ++q) {
                    bool whole = false;
                    labels << m.ScaleLabel(q).toInt(&whole);
                    QVERIFY2(whole, qPrintable(where));
                }
                const int step = labels[1] - labels[0];
                QVERIFY2(labels[0] == 0 && steps.contains(step), qPrintable(where));
                for (int q = 1; q < labels.size(); ++q)
                    QVERIFY2(labels[q] - labels[q - 1] == step, qPrintable(where));
                QVERIFY2(labels.last() >= top && (top == 0 || labels.last() - step < top), qPrintable(where));
                // A step of the next smaller round size would have needed more lines than fit.
                const int smaller = steps.indexOf(step) > 0 ? steps[steps.indexOf(step) - 1] : 0;
                if (top > 0 && smaller > 0)
                    QVERIFY2((top + smaller - 1) / smaller > height / G2NetModel::MinGridPixels,
                             qPrintable(where));

                for (const G2NetModel& chart : {m, StretchG2Net(m, QSize(1600, 1000), 3.0)}) {
                    const int axis = chart.ChartRect().Bottom;
                    G2NetModel filled = chart;
                    for (int q = 1; q <= std::min(chart.FGridCount, 33); ++q)
                        filled.SetValue(q, 1, QString::number(labels[q]));
                    for (int q = 1; q <= std::min(chart.FGridCount, 33); ++q)
                        QVERIFY2(filled.ScaleBar(filled.BarRect(q, 1)).Top == axis - chart.FGridStep * q,
                                 qPrintable(where + QStringLiteral(", line %1").arg(q)));
                }
            }
        }
    }

    // A larger control gets wider bars and gaps and taller steps, within the limit and the room;
    // the scale labels and the bars' values stay.
    void stretchIntoRoom_data() {
        QTest::addColumn<QSize>("room");
        QTest::addColumn<double>("maxStretch");
        QTest::addColumn<int>("barWidth");
        QTest::addColumn<int>("groupGap");
        QTest::addColumn<int>("gridStep");
        QTest::newRow("smaller room") << QSize(700, 200) << 3.0 << 12 << 5 << 20;
        QTest::newRow("its own size") << QSize(796, 260) << 3.0 << 12 << 5 << 20;
        QTest::newRow("no stretch asked") << QSize(1600, 900) << 1.0 << 12 << 5 << 20;
        QTest::newRow("maximised") << QSize(1600, 900) << 3.0 << 25 << 10 << 60;
        QTest::newRow("wider only") << QSize(1600, 260) << 3.0 << 25 << 10 << 20;
        QTest::newRow("at most three times") << QSize(4000, 2000) << 3.0 << 36 << 15 << 60;
    }
    void stretchIntoRoom() {
        QFETCH(QSize, room);
        QFETCH(double, maxStretch);
        QFETCH(int, barWidth);
        QFETCH(int, groupGap);
        QFETCH(int, gridStep);
        G2NetModel m = redChart();
        for (int c = 1; c <= 33; ++c)
            m.SetValue(c, 1, QString::number(c * 3));
        m.FScale = 0.5f;
        const G2NetModel s = StretchG2Net(m, room, maxStretch);
        QCOMPARE(s.FBarWidth, barWidth);
        QCOMPARE(s.FGroupGap, groupGap);
        QCOMPARE(s.FGridStep, gridStep);
        QCOMPARE(s.RequestedSize(), s.RequestedSize().boundedTo(room.expandedTo(m.RequestedSize())));
        for (int q = 0; q <= m.FGridCount; ++q)
            QCOMPARE(s.ScaleLabel(q), m.ScaleLabel(q));
        const int stretch = gridStep / 20;
        for (int c = 1; c <= 33; ++c) {
            QCOMPARE(s.GetValue(c, 1), m.GetValue(c, 1));
            QCOMPARE(s.ScaleBar(s.BarRect(c, 1)).height(), stretch * m.ScaleBar(m.BarRect(c, 1)).height());
        }
    }

    void json() {
        G2NetModel m = redChart();
        m.FScale = float(9 / 200.0);
        m.FTitle = "t";
        m.SetValue(1, 0, "1");
        m.SetValue(1, 1, "9");
        const QJsonObject o = m.toJson();
        QCOMPARE(o["kind"].toString(), QString("bars"));
        QCOMPARE(o["cols"].toInt(), 34);
        QCOMPARE(o["rows"].toInt(), 2);
        QCOMPARE(o["cells"].toArray()[0].toArray()[1].toString(), QString("1"));
        QCOMPARE(o["cells"].toArray()[1].toArray()[1].toString(), QString("9"));
        QCOMPARE(o["cells"].toArray()[1].toArray()[0].toString(), QString("0"));
        QCOMPARE(o["seriesColors"].toArray(), (QJsonArray{0xFF0000, 0x5462FF}));
        QCOMPARE(o["barWidth"].toInt(), 12);
        QCOMPARE(o["groupGap"].toInt(), 5);
        QCOMPARE(o["gridStep"].toInt(), 20);
        QCOMPARE(o["gridCount"].toInt(), 10);
        QCOMPARE(o["scale"].toDouble(), 0.045); // the single-precision value, written shortest
        QCOMPARE(o["showFrame"].toBool(), true);
        QCOMPARE(o["showValues"].toBool(), true);
        QCOMPARE(o["title"].toString(), QString("t"));
    }
};

QTEST_GUILESS_MAIN(TestG2NetModel)
#include "tst_g2netmodel.moc"
