#include "ui/controls/G2Net.h"

#include <QPainter>
#include <QVBoxLayout>
#include <QtTest>

// Pixels of the bar chart at the rectangles its model computes.
class TestG2Net : public QObject {
    Q_OBJECT

    static void fill(TG2Net& net) {
        net.SetDimension(34, 2, {0xFF0000, 0x5462FF});
        for (int c = 1; c <= 33; ++c) {
            net.SetValue(c, 0, QString::number(c));
            net.SetValue(c, 1, QString::number(c % 7));
        }
        net.model().FBarWidth = 12;
        net.model().FGroupGap = 5;
        net.model().FGridStep = 20;
        net.model().FGridCount = 10;
        net.model().FScale = 0.5f;
        net.Resize();
    }
    static QImage image(TG2Net& net) {
        QImage img(net.size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        net.render(p);
        return img;
    }
    static QColor rgb(TColor c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int(c >> 16)); }

  private slots:
    void sizesItselfToTheChart() {
        TG2Net net;
        fill(net);
        QCOMPARE(net.size(), QSize(30 + 736 + 30, 30 + 200 + 30));
        QCOMPARE(net.sizeHint(), net.size());
    }

    void barPixels() {
        TG2Net net;
        fill(net);
        const G2NetModel& m = net.model();
        const TNetRect bar = m.ScaleBar(m.BarRect(6, 1)); // value 6: 12 pixels
        QCOMPARE(bar.height(), 12);
        const QImage img = image(net);
        const QColor outline = rgb(0x341232);
        QCOMPARE(img.pixelColor(bar.Left + 5, bar.Top), outline);           // top edge
        QCOMPARE(img.pixelColor(bar.Left, bar.Top + 5), outline);           // left edge
        QCOMPARE(img.pixelColor(bar.Left + 5, bar.Top + 5), rgb(0x5462FF)); // series 1 colour
        QCOMPARE(img.pixelColor(bar.Left + 5, bar.Top - 1).rgb() == rgb(0x5462FF).rgb(), false);
        // The x axis runs under the bars.
        const TNetRect chart = m.ChartRect();
        QCOMPARE(img.pixelColor(chart.Left + 3, chart.Bottom), QColor(Qt::black));
    }

    void frameAndGridLines_data() {
        QTest::addColumn<bool>("showFrame");
        QTest::newRow("frame") << true;
        QTest::newRow("no frame") << false;
    }
    void frameAndGridLines() {
        QFETCH(bool, showFrame);
        TG2Net net;
        fill(net);
        net.model().FShowFrame = showFrame;
        net.Resize();
        const QImage img = image(net);
        const TNetRect chart = net.model().ChartRect();
        const QColor olive = rgb(0x008080);
        const int x = chart.Right - 2;                                      // right of the last bar
        QCOMPARE(img.pixelColor(x, chart.Bottom - 20) == olive, showFrame); // grid line q = 1
        QCOMPARE(img.pixelColor(x, chart.Top) == olive, showFrame);         // frame top
        QCOMPARE(img.pixelColor(chart.Right - 1, chart.Top + 10) == olive, showFrame);
        // Ticks, labels and axes stay.
        QCOMPARE(img.pixelColor(chart.Left - 2, chart.Bottom - 20), QColor(Qt::black));
        QCOMPARE(img.pixelColor(chart.Left, chart.Top - 10), QColor(Qt::black));
        QCOMPARE(img.pixelColor(chart.Right + 10, chart.Bottom), QColor(Qt::black));
        int dark = 0;
        for (int y = chart.Bottom - 27; y < chart.Bottom - 12; ++y)
            for (int xx = chart.Left - 25; xx < chart.Left - 8; ++xx)
                dark += qGray(img.pixel(xx, y)) < 128;
        QVERIFY(dark > 0); // the label of q = 1
    }

    void zeroScaleDrawsFlatBars() {
        TG2Net net;
        fill(net);
        net.model().FScale = 0;
        net.Resize();
        const QImage img = image(net);
        const TNetRect bar = net.model().ScaleBar(net.model().BarRect(6, 1));
        QCOMPARE(bar.height(), 0);
        const TNetRect chart = net.model().ChartRect();
        // Nothing of a bar's fill above the axis.
        for (int y = chart.Top; y < chart.Bottom - 20; ++y)
            QVERIFY(img.pixelColor(bar.Left + 5, y) != rgb(0x5462FF));
    }

    // Painted, every bar's top row is the row of its value on the axis: the tick of a label's value
    // for a value on a line, the exact fraction of a step (rounded up) for one between lines. Read
    // back from the picture for many largest values, as the page sets them and stretched.
    void barTopsMeetTheAxis() {
        for (int top : {1, 3, 8, 9, 13, 30, 37, 99, 150, 731}) {
            G2NetModel m;
            m.SetDimension(34, 2, {0xFF0000, 0x5462FF});
            m.FBarWidth = 12;
            m.FGroupGap = 5;
            m.FShowFrame = false; // no grid line where a bar's top is looked for
            m.FShowValues = false;
            m.SetValueAxis(top, 200);
            const int step = m.ScaleLabel(1).toInt();
            for (int c = 1; c <= 33; ++c)
                m.SetValue(c, 1, QString::number(c == 33 ? top : (c * top + 16) / 33));
            for (const G2NetModel& chart : {m, StretchG2Net(m, QSize(1400, 900), 3.0)}) {
                TG2Net net;
                net.setModel(chart);
                const QImage img = image(net);
                const int axis = chart.ChartRect().Bottom;
                const QColor outline = rgb(0x341232);
                for (int c = 1; c <= 33; ++c) {
                    const int value = chart.BarValue(c, 1);
                    const TNetRect bar = chart.BarRect(c, 1);
                    const int x = (bar.Left + bar.Right) / 2;
                    int row = axis;
                    for (int y = chart.ChartRect().Top - 20; y < axis; ++y)
                        if (img.pixelColor(x, y) == outline) {
                            row = y;
                            break;
                        }
                    // Pixels above the axis: value / step steps of FGridStep, rounded up.
                    const int64_t rise = (int64_t(value) * chart.FGridStep + step - 1) / step;
                    const QString where = QStringLiteral("top %1, stretched %2, value %3")
                                              .arg(top)
                                              .arg(chart.FGridStep != m.FGridStep)
                                              .arg(value);
                    QVERIFY2(row == axis - rise || (value == 0 && row == axis), qPrintable(where));
                    if (value % step == 0) {
                        // The label's tick left of the axis stands on the same row.
                        QVERIFY2(img.pixelColor(chart.ChartRect().Left - 2, row) == QColor(Qt::black),
                                 qPrintable(where));
                        QCOMPARE(chart.ScaleLabel(int(value / step)), QString::number(value));
                    }
                }
            }
        }
    }

    void emptyChartDrawsNothing() {
        TG2Net net;
        net.resize(200, 200);
        const QImage img = image(net);
        for (int y = 0; y < img.height(); y += 5)
            for (int x = 0; x < img.width(); x += 5)
                QCOMPARE(img.pixelColor(x, y), QColor(Qt::white));
    }

    void keepsTheSizeOfItsLayout() {
        QWidget page;
        auto* layout = new QVBoxLayout(&page);
        auto* net = new TG2Net(&page);
        layout->addWidget(net);
        page.resize(400, 300);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const QSize before = net->size();
        fill(*net);
        QCOMPARE(net->size(), before);
    }
};

QTEST_MAIN(TestG2Net)
#include "tst_g2net.moc"
