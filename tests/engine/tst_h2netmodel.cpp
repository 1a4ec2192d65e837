#include "engine/charts/H2NetModel.h"

#include <QJsonArray>
#include <QtTest>

class TestH2NetModel : public QObject {
    Q_OBJECT

    QStringList messages;
    H2NetModel sized() {
        H2NetModel m;
        m.setErrorHook([this](const QString& t) { messages << t; });
        m.SetDimension(3, 4, 2, {10, 20, 30, 99});
        return m;
    }

  private slots:
    void init() { messages.clear(); }

    void setDimensionResetsCellsButKeepsMerges() {
        H2NetModel m = sized();
        m.SetValue(1, 1, "x");
        m.SetCellColor(1, 1, 0x123456);
        m.SetMergeCount(1);
        m.SetMerge(0, true, {0, 0}, {2, 0}, "cap", 0xF3E0E4);
        m.SetDimension(2, 1, 2, {5});
        QCOMPARE(m.colsCount(), 2);
        QCOMPARE(m.rowCount(), 3);
        QCOMPARE(m.colWidths(), (QList<int>{5, 0}));
        QCOMPARE(m.GetValue(1, 1), QString());
        QCOMPARE(m.GetCellColor(1, 1), clWindow);
        QCOMPARE(m.mergeCount(), 1);
        QCOMPARE(m.GetMerge(0).Text, QString("cap"));
        QVERIFY(messages.isEmpty());

        m.SetDimension(-3, -1, -2, {});
        QCOMPARE(m.rowCount(), 0);
        QCOMPARE(m.colsCount(), 0);
    }

    void cellIndexChecks_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QStringList>("setMessages");
        QTest::addColumn<QStringList>("getMessages");
        QTest::newRow("inside") << 5 << 2 << QStringList() << QStringList();
        QTest::newRow("column = count")
            << 0 << 3 << QStringList{"SetValue x>=FColsCount "} << QStringList{"GetValue x>=FColsCount "};
        QTest::newRow("row = dyn + fix") << 6 << 0 << QStringList{"SetValue y>=FDynRows+FFixRowCount "}
                                         << QStringList{"GetValue y>=FDynRows+FFixRowCount "};
        QTest::newRow("both") << 9 << 7
                              << QStringList{"SetValue x>=FColsCount ", "SetValue y>=FDynRows+FFixRowCount "}
                              << QStringList{"GetValue x>=FColsCount ", "GetValue y>=FDynRows+FFixRowCount "};
        QTest::newRow("negative") << -1 << -1
                                  << QStringList{"SetValue x>=FColsCount ",
                                                 "SetValue y>=FDynRows+FFixRowCount "}
                                  << QStringList{"GetValue x>=FColsCount ",
                                                 "GetValue y>=FDynRows+FFixRowCount "};
    }
    void cellIndexChecks() {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QStringList, setMessages);
        QFETCH(QStringList, getMessages);
        H2NetModel m = sized();
        m.SetValue(row, col, "v");
        QCOMPARE(messages, setMessages);
        messages.clear();
        const QString got = m.GetValue(row, col);
        QCOMPARE(messages, getMessages);
        QCOMPARE(got, getMessages.isEmpty() ? QString("v") : QString());
        // A refused write must not land in a neighbouring cell.
        if (!setMessages.isEmpty()) {
            messages.clear();
            for (int r = 0; r < m.rowCount(); ++r)
                for (int c = 0; c < m.colsCount(); ++c)
                    QCOMPARE(m.GetValue(r, c), QString());
        }
        m.SetCellColor(row, col, 0x0000FF);
        QCOMPARE(m.GetCellColor(row, col), setMessages.isEmpty() ? TColor(0x0000FF) : clWindow);
    }

    void assignmentKeepsTheReceiversHook() {
        QStringList widgetBox;
        H2NetModel shown;
        shown.setErrorHook([&](const QString& t) { widgetBox << t; });
        H2NetModel filled = sized(); // a copy still reports where its original did
        filled.SetValue(99, 0, "x");
        QCOMPARE(messages.size(), 1);
        shown = filled; // a page replacing the widget's model wholesale
        QCOMPARE(shown.rowCount(), 6);
        shown.GetValue(0, 99);
        QCOMPARE(widgetBox, QStringList{"GetValue x>=FColsCount "});
        QCOMPARE(messages.size(), 1);
    }

    void mergesResetAndBounds() {
        H2NetModel m = sized();
        m.SetMergeCount(2);
        m.SetMerge(1, true, {1, 0}, {2, 1}, "a\r\nb", 0xF3E0E4);
        m.SetMerge(2, true, {0, 0}, {0, 0}, "out", 0); // outside the list: ignored
        m.SetMerge(-1, true, {0, 0}, {0, 0}, "out", 0);
        QCOMPARE(m.mergeCount(), 2);
        QCOMPARE(m.GetMerge(0).Active, false);
        QCOMPARE(m.GetMerge(0).Color, clWindow);
        QCOMPARE(m.GetMerge(1).BottomRight, QPoint(2, 1));
        QCOMPARE(m.GetMerge(5).Active, false);
        m.SetMergeCount(1);
        QCOMPARE(m.GetMerge(0).Text, QString());
    }

    void geometry_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("scrolled");
        QTest::addColumn<int>("topRow");
        QTest::addColumn<QList<int>>("rect");
        QTest::newRow("origin") << 0 << 0 << false << 0 << QList<int>{1, 1, 11, 21};
        QTest::newRow("row 3 col 2") << 3 << 2 << false << 0 << QList<int>{33, 64, 63, 84};
        QTest::newRow("scrolled") << 12 << 1 << true << 10 << QList<int>{12, 43, 32, 63};
        QTest::newRow("scroll ignored") << 12 << 1 << false << 10 << QList<int>{12, 253, 32, 273};
    }
    void geometry() {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(bool, scrolled);
        QFETCH(int, topRow);
        QFETCH(QList<int>, rect);
        H2NetModel m = sized();
        const TNetRect r = m.RectOfCell(row, col, scrolled, topRow);
        QCOMPARE((QList<int>{r.Left, r.Top, r.Right, r.Bottom}), rect);
        QVERIFY(messages.isEmpty());
    }

    void geometryChecks() {
        H2NetModel m = sized();
        QCOMPARE(m.LeftOfCol(3), 1 + 11 + 21 + 31); // the right border: allowed
        QVERIFY(messages.isEmpty());
        const TNetRect r = m.RectOfCell(0, 3);
        QCOMPARE(messages, QStringList{"RectOfCell ACol>Length(FColWidthArr)"});
        QCOMPARE(r.width(), 0);
        messages.clear();
        QCOMPARE(m.LeftOfCol(4), 64);
        QCOMPARE(messages, QStringList{"ACol>Length(FColWidthArr)"});
    }

    void clearKeepsFontSize() {
        H2NetModel m = sized();
        m.FFontSize = 10;
        m.FRowHeight = 30;
        m.SetMergeCount(3);
        m.Clear();
        QCOMPARE(m.FFontSize, 10);
        QCOMPARE(m.FRowHeight, 20);
        QCOMPARE(m.FFixColor, TColor(0xF3E0E4));
        QCOMPARE(m.mergeCount(), 0);
        QCOMPARE(m.rowCount(), 0);
    }

    void json() {
        H2NetModel m = sized();
        m.FFontSize = 10;
        m.SetValue(0, 1, "红球");
        m.SetCellColor(2, 0, 0x808080);
        m.SetMergeCount(1);
        m.SetMerge(0, true, {1, 0}, {2, 0}, "cap", 0xF3E0E4);
        const QJsonObject o = m.toJson();
        QCOMPARE(o["kind"].toString(), QString("grid"));
        QCOMPARE(o["fontSize"].toInt(), 10);
        QCOMPARE(o["cols"].toInt(), 3);
        QCOMPARE(o["fixedRows"].toInt(), 2);
        QCOMPARE(o["dataRows"].toInt(), 4);
        QCOMPARE(o["colWidths"].toArray(), (QJsonArray{10, 20, 30}));
        const QJsonArray cells = o["cells"].toArray(), colors = o["colors"].toArray();
        QCOMPARE(cells.size(), 6);
        QCOMPARE(cells[0].toArray()[1].toString(), QString("红球"));
        QCOMPARE(colors[2].toArray()[0].toInt(), 0x808080);
        QVERIFY(colors[2].toArray()[1].isNull());
        const QJsonObject merge = o["merges"].toArray()[0].toObject();
        QCOMPARE(merge, (QJsonObject{{"active", true},
                                     {"left", 1},
                                     {"top", 0},
                                     {"right", 2},
                                     {"bottom", 0},
                                     {"text", "cap"},
                                     {"color", 0xF3E0E4}}));
    }
};

QTEST_GUILESS_MAIN(TestH2NetModel)
#include "tst_h2netmodel.moc"
