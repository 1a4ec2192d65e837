#include "ui/controls/B0Net.h"

#include <QPainter>
#include <QtTest>

// The titled table: its settled geometry as a widget and its pixels.
class TestB0Net : public QObject {
    Q_OBJECT

    static void board(TB0Net& net, const QString& title) {
        net.SetDimension(6, 6, QList<int>(8, 24));
        net.model().FTitle = title;
        net.model().FLineColor = 0xFF0000;
        for (int j = 1; j <= 33; ++j)
            net.SetValue((j - 1) % 6, (j - 1) / 6, QString::number(j));
        net.setBounds(10, 200, 200, 200);
        net.Resize();
    }
    static QImage image(TB0Net& net) {
        QImage img(net.size(), QImage::Format_RGB32);
        img.fill(Qt::magenta);
        QPainter p(&img);
        net.render(p);
        return img;
    }
    static QColor rgb(TColor c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int(c >> 16)); }
    static int darkPixels(const QImage& img, const QRect& r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += qGray(img.pixel(x, y)) < 100;
        return n;
    }

  private slots:
    void settlesToItsTable() {
        QWidget box;
        auto* net = new TB0Net(&box);
        QCOMPARE(net->size(), QSize(3, 2)); // cleared: no columns
        board(*net, "2005013期");
        QCOMPARE(net->geometry(), QRect(10, 200, 152, 181));
        QCOMPARE(net->model().bounds(), net->geometry());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(net->geometry(), QRect(10, 200, 152, 181));
        // A size set from outside is laid out again.
        QSignalSpy changed(net, &TB0Net::changed);
        net->model().FRowHeight = 32;
        net->resize(152, 100);
        QCOMPARE(net->model().visRows(), 2);
        QCOMPARE(net->height(), 30 + 2 * 33 + 1);
        QVERIFY(changed.count() >= 1);
        net->move(40, 50);
        QCOMPARE(net->model().bounds().topLeft(), QPoint(40, 50));
    }

    void pixels() {
        TB0Net net;
        board(net, "2005013期");
        const QImage img = image(net);
        const B0NetModel& m = net.model();
        // Cell 34 (column 3, row 5) has no text: all of it in the default strong blue.
        const TNetRect empty = m.RectOfCell(3, 5);
        QCOMPARE(img.pixelColor(empty.Left + 12, empty.Top + 12), rgb(0xF75E54));
        QCOMPARE(img.pixelColor(empty.Left, empty.Top), rgb(0xF75E54));
        // Blue grid lines: above row 0, left of column 1.
        QCOMPARE(img.pixelColor(60, 29), rgb(0xFF0000));
        QCOMPARE(img.pixelColor(25, 40), rgb(0xFF0000));
        QCOMPARE(img.pixelColor(150, 100), rgb(0xFF0000));
        // The title band is not filled, but carries the title.
        QCOMPARE(img.pixelColor(1, 1), QColor(Qt::magenta));
        QVERIFY(darkPixels(img, QRect(0, 0, 152, 29)) > 0);
    }

    void whiteCells() {
        TB0Net net;
        board(net, "t");
        net.SetCellColor(3, 5, 0xFFFFFF);
        net.Resize();
        const TNetRect r = net.model().RectOfCell(3, 5);
        QCOMPARE(image(net).pixelColor(r.Left + 3, r.Top + 3), QColor(Qt::white));
    }

    void titleLines() {
        TB0Net net;
        board(net, "AB\r\nCD");
        const QImage img = image(net);
        // Two centred lines in the 30-pixel band: ink above and below its middle.
        QVERIFY(darkPixels(img, QRect(0, 0, 152, 14)) > 0);
        QVERIFY(darkPixels(img, QRect(0, 16, 152, 13)) > 0);
        QCOMPARE(darkPixels(img, QRect(0, 0, 50, 29)), 0);
    }

    void modelCarriesBoundsIntoTheWidget() {
        QWidget box;
        auto* net = new TB0Net(&box);
        B0NetModel m;
        m.SetDimension(9, 34, QList<int>(9, 64));
        m.FTitle = "红球分析表";
        m.FRowHeight = 32;
        m.setBounds(5, 0, 576, 1152);
        net->setModel(m);
        QCOMPARE(net->geometry(), QRect(5, 0, 587, 1153));
        QCOMPARE(net->model().visRows(), 34);
    }
};

QTEST_MAIN(TestB0Net)
#include "tst_b0net.moc"
