#include "engine/charts/B0NetModel.h"

#include <QJsonArray>
#include <QtTest>

class TestB0NetModel : public QObject {
    Q_OBJECT

    static B0NetModel table(int cols, int rows, int width, int rowHeight, const QString& title,
                            int startHeight) {
        B0NetModel m;
        m.SetDimension(cols, rows, QList<int>(cols + 2, width));
        m.FTitle = title;
        m.FRowHeight = rowHeight;
        m.setBounds(10, 20, 200, startHeight);
        return m;
    }

  private slots:
    void settledSize_data() {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("rowHeight");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("startHeight");
        QTest::addColumn<int>("visRows");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("width");
        const QString t = "2005013期";
        QTest::newRow("6x6 board") << 6 << 6 << 24 << t << 200 << 6 << 181 << 6 * 24 + 8;
        QTest::newRow("pitch 25 grows a row a pass")
            << 6 << 20 << 24 << t << 60 << 20 << 30 + 20 * 25 + 1 << 152;
        QTest::newRow("from 2 px") << 6 << 6 << 24 << t << 2 << 6 << 181 << 152;
        QTest::newRow("pitch 33, tall start")
            << 9 << 34 << 32 << "红球分析表" << 1152 << 34 << 1153 << 9 * 64 + 11;
        QTest::newRow("pitch 33, short start")
            << 9 << 34 << 32 << "红球分析表" << 300 << 8 << 295 << 9 * 64 + 11;
        QTest::newRow("blue table") << 9 << 17 << 32 << "蓝球分析表" << 800 << 17 << 30 + 17 * 33 + 1 << 587;
        // Without a title every pass would drop a row; the table shows all of them instead.
        QTest::newRow("empty title") << 6 << 6 << 24 << "" << 300 << 6 << 6 * 25 + 1 << 152;
        QTest::newRow("no columns") << 0 << 6 << 24 << t << 300 << 0 << 2 << 3;
        QTest::newRow("no rows") << 6 << 0 << 24 << t << 300 << 0 << 30 + 24 + 2 << 152;
    }
    void settledSize() {
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(int, rowHeight);
        QFETCH(QString, title);
        QFETCH(int, startHeight);
        QFETCH(int, visRows);
        QFETCH(int, height);
        QFETCH(int, width);
        const int colWidth = rowHeight == 32 ? 64 : 24;
        B0NetModel m = table(cols, rows, colWidth, rowHeight, title, startHeight);
        m.Resize();
        QCOMPARE(m.visRows(), visRows);
        QCOMPARE(m.bounds(), QRect(10, 20, width, height));
        // Settled: one more pass asks for the same size.
        QCOMPARE(m.LayoutPass(), m.bounds().size());
    }

    void geometry() {
        B0NetModel m = table(6, 6, 24, 24, "t", 300);
        m.Resize();
        QCOMPARE(m.titleHeight(), 30);
        QCOMPARE(m.RectOfCell(0, 0), (TNetRect{1, 30, 25, 54}));
        QCOMPARE(m.RectOfCell(2, 3), (TNetRect{51, 105, 75, 129}));
        QCOMPARE(m.gridRect(), (TNetRect{1, 30, 150, 179}));
    }

    void dimensionKeepsTextPositions() {
        B0NetModel m;
        m.SetDimension(2, 2, {5, 5});
        m.SetValue(1, 1, "d"); // array entry 3
        m.SetCellColor(0, 0, clWhite);
        m.SetDimension(3, 2, {5, 5, 5});
        QCOMPARE(m.GetValue(0, 1), QString("d")); // entry 3 is column 0 of row 1 now
        QCOMPARE(m.GetValue(2, 1), QString());
        QCOMPARE(m.GetCellColor(0, 0), B0NetModel::DefaultCellColor);
    }

    void outsideIndicesAreIgnored_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::newRow("column = count") << 3 << 0;
        QTest::newRow("row = count") << 0 << 2;
        QTest::newRow("negative") << -1 << 1;
    }
    void outsideIndicesAreIgnored() {
        QFETCH(int, col);
        QFETCH(int, row);
        B0NetModel m;
        m.SetDimension(3, 2, {5, 5, 5});
        m.SetValue(col, row, "x");
        m.SetCellColor(col, row, clWhite);
        QCOMPARE(m.GetValue(col, row), QString());
        QCOMPARE(m.GetCellColor(col, row), clWindow);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c) {
                QCOMPARE(m.GetValue(c, r), QString());
                QCOMPARE(m.GetCellColor(c, r), B0NetModel::DefaultCellColor);
            }
    }

    void json() {
        B0NetModel m = table(2, 3, 24, 24, "2005013期", 200);
        m.FLineColor = 0xFF0000;
        m.SetValue(1, 2, "33");
        m.SetCellColor(1, 2, clWhite);
        m.Resize();
        const QJsonObject o = m.toJson();
        QCOMPARE(o["title"].toString(), QString("2005013期"));
        QCOMPARE(o["left"].toInt(), 10);
        QCOMPARE(o["top"].toInt(), 20);
        QCOMPARE(o["cols"].toInt(), 2);
        QCOMPARE(o["rows"].toInt(), 3);
        QCOMPARE(o["colWidths"].toArray(), (QJsonArray{24, 24}));
        QCOMPARE(o["rowHeight"].toInt(), 24);
        QCOMPARE(o["lineColor"].toInt(), 0xFF0000);
        QCOMPARE(o["cells"].toArray()[2].toArray()[1].toString(), QString("33"));
        QCOMPARE(o["colors"].toArray()[2].toArray()[1].toInt(), 0xFFFFFF);
        QCOMPARE(o["colors"].toArray()[0].toArray()[0].toInt(), 0xF75E54);
    }
};

QTEST_GUILESS_MAIN(TestB0NetModel)
#include "tst_b0netmodel.moc"
