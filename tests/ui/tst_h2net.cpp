#include "ui/controls/H2Net.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

// Pixels of the trend grid at the geometry the control computes, and scrolling through its bar.
class TestH2Net : public QObject {
    Q_OBJECT

    QStringList messages;

    // A grid of three columns whose client area is 252 pixels high (12 rows of 21).
    void fill(TH2Net& net, int dynRows) {
        net.model().setErrorHook([this](const QString& t) { messages << t; });
        net.SetDimension(3, dynRows, 2, {66, 16, 32});
        net.Resize();
    }
    void show(TH2Net& net) {
        net.model().setErrorHook([this](const QString& t) { messages << t; });
        net.resize(300, 252 + 2 * net.frameWidth());
        net.show();
        QVERIFY(QTest::qWaitForWindowExposed(&net));
        QCOMPARE(net.viewport()->height(), 252);
    }
    static QImage image(TH2Net& net) {
        QImage img(net.viewport()->size(), QImage::Format_RGB32);
        img.fill(Qt::magenta);
        QPainter p(&img);
        net.render(p);
        return img;
    }
    static QColor rgb(TColor c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int(c >> 16)); }
    static QColor at(const QImage& img, int x, int y) { return img.pixelColor(x, y); }
    static int darkPixels(const QImage& img, const QRect& r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += qGray(img.pixel(x, y)) < 128;
        return n;
    }

  private slots:
    void init() { messages.clear(); }

    void emptyGridPaintsOnlyBackground_data() {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("dynRows");
        QTest::newRow("never dimensioned") << -1 << 0;
        QTest::newRow("no data rows") << 3 << 0;
        QTest::newRow("no columns") << 0 << 5;
    }
    void emptyGridPaintsOnlyBackground() {
        QFETCH(int, cols);
        QFETCH(int, dynRows);
        TH2Net net;
        show(net);
        if (cols >= 0) net.SetDimension(cols, dynRows, 2, {66, 16, 32});
        net.SetValue(0, 0, "x");
        net.Resize();
        const QImage img = image(net);
        const QColor white = net.palette().color(QPalette::Base);
        for (int y = 0; y < img.height(); y += 7)
            for (int x = 0; x < img.width(); x += 7)
                QCOMPARE(at(img, x, y), white);
    }

    void linesAndCells() {
        TH2Net net;
        show(net);
        fill(net, 5);
        net.SetCellColor(2, 2, 0x8486FF);
        const QImage img = image(net);
        QCOMPARE(net.visRows(), 10);
        // Fixed cell (row 0, column 2): x 85..116, y 1..20.
        QCOMPARE(at(img, 86, 2), rgb(0xF3E0E4));
        QCOMPARE(at(img, 115, 19), rgb(0xF3E0E4));
        // Lines above rows 1 and 2 and left of column 0.
        QCOMPARE(at(img, 40, 21), QColor(Qt::black));
        QCOMPARE(at(img, 40, 42), QColor(Qt::black));
        QCOMPARE(at(img, 0, 100), QColor(Qt::black));
        QCOMPARE(at(img, 84, 100), QColor(Qt::black));
        // Coloured data cell (row 2, column 2) and an uncoloured one.
        QCOMPARE(at(img, 90, 50), rgb(0x8486FF));
        QCOMPARE(at(img, 40, 50), net.palette().color(QPalette::Base));
        // Only 5 data rows, but the lines still run over all rows that fit.
        QCOMPARE(at(img, 40, 231), QColor(Qt::black));
        QCOMPARE(at(img, 117, 240), QColor(Qt::black));
        // Right of the grid nothing is drawn.
        QCOMPARE(at(img, 200, 21), net.palette().color(QPalette::Base));
    }

    void mergedAreaCoversLines() {
        TH2Net net;
        show(net);
        fill(net, 5);
        net.SetValue(1, 1, "7");
        net.SetMergeCount(2);
        net.SetMerge(0, true, {1, 0}, {2, 0}, "", 0x00FF00);
        net.SetMerge(1, false, {0, 0}, {0, 1}, "", 0x0000FF);
        net.Resize();
        const QImage img = image(net);
        // The line between columns 1 and 2 is covered in row 0, not in row 1 below.
        QCOMPARE(at(img, 84, 10), rgb(0x00FF00));
        QCOMPARE(at(img, 70, 10), rgb(0x00FF00));
        QCOMPARE(at(img, 84, 30), QColor(Qt::black));
        // The inactive area is not drawn; row 1 keeps its own text.
        QCOMPARE(at(img, 30, 10), rgb(0xF3E0E4));
        QVERIFY(darkPixels(img, QRect(68, 22, 16, 20)) > 0);
    }

    void cellTextLines() {
        TH2Net net;
        show(net);
        net.model().FRowHeight = 60;
        net.SetDimension(1, 2, 0, {100});
        net.SetValue(0, 0, "AB\r\n\r\nCD");
        net.SetValue(1, 0, "   ");
        net.Resize();
        const QImage img = image(net);
        // Two lines one above the other, centred as a block around the middle of the cell.
        const int mid = 1 + 30;
        QVERIFY(darkPixels(img, QRect(1, 1, 100, mid - 1)) > 0);
        QVERIFY(darkPixels(img, QRect(1, mid, 100, 30)) > 0);
        QCOMPARE(darkPixels(img, QRect(1, 1, 30, 60)), 0); // centred: nothing at the left edge
        // A text of blanks draws nothing.
        QCOMPARE(darkPixels(img, QRect(1, 62, 100, 60)), 0);
    }

    void scrollBarRequests_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");
        QTest::newRow("line down") << int(QAbstractSlider::SliderSingleStepAdd) << 5 << 6;
        QTest::newRow("line up") << int(QAbstractSlider::SliderSingleStepSub) << 5 << 4;
        QTest::newRow("page down") << int(QAbstractSlider::SliderPageStepAdd) << 5 << 15;
        QTest::newRow("page down at end") << int(QAbstractSlider::SliderPageStepAdd) << 35 << 40;
        QTest::newRow("page up") << int(QAbstractSlider::SliderPageStepSub) << 5 << 0;
        QTest::newRow("bottom") << int(QAbstractSlider::SliderToMaximum) << 5 << 40;
        QTest::newRow("top") << int(QAbstractSlider::SliderToMinimum) << 25 << 0;
    }
    void scrollBarRequests() {
        QFETCH(int, action);
        QFETCH(int, start);
        QFETCH(int, expected);
        TH2Net net;
        show(net);
        fill(net, 50);
        QCOMPARE(net.verticalScrollBar()->maximum(), 40);
        net.VScroll(TScrollRequest::ThumbPosition, start);
        QCOMPARE(net.topRow(), start);
        net.verticalScrollBar()->triggerAction(QAbstractSlider::SliderAction(action));
        QCOMPARE(net.topRow(), expected);
        QCOMPARE(net.verticalScrollBar()->value(), expected);
    }

    void scrolledRowsArePainted() {
        TH2Net net;
        show(net);
        fill(net, 50);
        net.SetCellColor(42, 1, 0x0000FF); // the 41st data row
        net.SetCellColor(51, 1, 0x00FF00); // the last one
        net.VScroll(TScrollRequest::Bottom);
        QCOMPARE(net.topRow(), 40);
        const QImage img = image(net);
        QCOMPARE(at(img, 75, 1 + 2 * 21 + 5), rgb(0x0000FF));
        QCOMPARE(at(img, 75, 1 + 11 * 21 + 5), rgb(0x00FF00));
        // The header does not scroll.
        QCOMPARE(at(img, 75, 5), rgb(0xF3E0E4));
        // Dragging the thumb moves the rows too.
        net.verticalScrollBar()->setSliderDown(true);
        net.verticalScrollBar()->setSliderPosition(12);
        net.verticalScrollBar()->setSliderDown(false);
        QCOMPARE(net.topRow(), 12);
    }

    // Ctrl+End reaches the last row (the totals row of a chart), Ctrl+Home the first; End and Home
    // the right and left edge.
    void keysReachTheEnds() {
        TH2Net net;
        show(net);
        net.SetDimension(31, 50, 2, QList<int>(31, 16));
        net.SetCellColor(51, 1, 0x00FF00);
        net.Resize();
        QTest::keyClick(&net, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(net.topRow(), 40);
        QCOMPARE(net.verticalScrollBar()->value(), 40);
        QCOMPARE(at(image(net), 1 + 17 + 5, 1 + 11 * 21 + 5), rgb(0x00FF00));
        QTest::keyClick(&net, Qt::Key_End);
        QCOMPARE(net.horizontalScrollBar()->value(), net.horizontalScrollBar()->maximum());
        QVERIFY(net.horizontalScrollBar()->maximum() > 0);
        QTest::keyClick(&net, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(net.topRow(), 0);
        QCOMPARE(net.horizontalScrollBar()->value(), 0);
    }

    // Scrolled sideways, the first column (the issue codes) stays at the left edge and the other
    // columns pass under it; hovering it still names its cell.
    void firstColumnHeldWhenScrolledSideways() {
        TH2Net net;
        show(net);
        QList<int> widths{66};
        widths << QList<int>(30, 16);
        net.SetDimension(31, 20, 2, widths);
        net.SetValue(2, 0, QStringLiteral("2026096"));
        net.SetCellColor(2, 0, 0x00FF00);
        for (int c = 1; c < 31; ++c)
            net.SetCellColor(2, c, 0xFF0000);
        net.Resize();
        net.horizontalScrollBar()->setValue(100);
        const QImage shown = net.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int y = 1 + 2 * 21 + 2;
        QCOMPARE(at(shown, 3, y), rgb(0x00FF00));
        QCOMPARE(at(shown, 64, y), rgb(0x00FF00));
        // Right of it the columns scrolled by 100 pixels.
        QCOMPARE(at(shown, 80, y), rgb(0xFF0000));
        QVERIFY(net.toolTipAt({30, y}).isEmpty()); // column 0 itself has no hover text
        QVERIFY(net.toolTipAt({80, y}).startsWith(QStringLiteral("2026096期")));
        // The grid line right of the held column and its header stay too.
        QCOMPARE(at(shown, 67, y).lightness() < 128, true);
    }

    // Given room to stretch, the cells fill a wide window (twice their width at most).
    void stretchedCellsFillTheWindow() {
        TH2Net net;
        show(net);
        fill(net, 5);
        net.SetCellColor(2, 2, 0x0000FF);
        net.setMaxStretch(2.0);
        const H2NetLayout& l = net.layout();
        QCOMPARE(l.ColLefts, (std::vector<int>{1, 134, 167, 232}));
        QCOMPARE(net.horizontalScrollBar()->maximum(), 0);
        const QImage img = image(net);
        QCOMPARE(at(img, 168, 1 + 2 * 21 + 5), rgb(0x0000FF));
        QCOMPARE(at(img, 230, 1 + 2 * 21 + 5), rgb(0x0000FF));
        QCOMPARE(at(img, 231, 1 + 2 * 21 + 5).lightness() < 128, true); // the right border line
    }

    void refillClampsScrollPosition() {
        TH2Net net;
        show(net);
        fill(net, 50);
        net.VScroll(TScrollRequest::Bottom);
        fill(net, 15);
        QCOMPARE(net.verticalScrollBar()->maximum(), 5);
        QCOMPARE(net.topRow(), 5);
        QCOMPARE(net.verticalScrollBar()->value(), 5);
        fill(net, 3);
        QCOMPARE(net.topRow(), 0);
    }

    void growingClientShowsMoreRows() {
        TH2Net net;
        show(net);
        fill(net, 50);
        QSignalSpy changed(&net, &TH2Net::changed);
        net.resize(300, 21 * 22 + 2 * net.frameWidth());
        QTRY_COMPARE(net.visRows(), 20);
        QVERIFY(changed.count() >= 1);
        QCOMPARE(net.verticalScrollBar()->maximum(), 30);
    }

    void paintBetweenRefillAndResize() {
        TH2Net net;
        show(net);
        fill(net, 5);
        net.SetDimension(41, 80, 2, QList<int>(41, 16));
        net.SetCellColor(2, 10, 0x0000FF);
        const QImage img = image(net);
        QCOMPARE(img.pixelColor(1 + 10 * 17 + 8, 1 + 2 * 21 + 5), rgb(0x0000FF));
        net.SetDimension(1, 1, 0, {10});
        image(net);
    }

    void indexErrorShowsAMessageBox() {
        TH2Net net;
        net.SetDimension(3, 5, 2, {66, 16, 32});
        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        net.SetValue(0, 3, "x");
        QCOMPARE(shown, QString("SetValue x>=FColsCount "));
    }

    void indexErrorsGoThroughTheHook() {
        TH2Net net;
        fill(net, 5);
        net.SetValue(7, 3, "x");
        QCOMPARE(messages, (QStringList{"SetValue x>=FColsCount ", "SetValue y>=FDynRows+FFixRowCount "}));
        QCOMPARE(net.GetValue(6, 2), QString());
    }
};

QTEST_MAIN(TestH2Net)
#include "tst_h2net.moc"
