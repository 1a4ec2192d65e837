#include "ui/controls/MatrixError.h"
#include "ui/controls/MultiRadio.h"

#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

QImage renderImage(const TMultiRadio& radio) {
    QImage image(radio.size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    radio.render(painter);
    return image;
}

QImage cell(const QImage& image, const QRect& r) {
    return image.copy(r);
}

// The consecutive-number choice as the shrink sheet sets it up: three items, the last selected.
struct Window {
    QWidget top;
    TMultiRadio* radio;
    QLineEdit* other;
    Window() {
        auto* box = new QVBoxLayout(&top);
        radio = new TMultiRadio;
        for (const char* c : {"有连号", "无连号", "不考虑连号"})
            radio->AddItem(QString::fromUtf8(c));
        radio->SetCapWidth(70);
        radio->SetCols(3);
        radio->SetItemIndex(2);
        other = new QLineEdit;
        box->addWidget(radio);
        box->addWidget(other);
        top.show();
        top.activateWindow();
        (void)QTest::qWaitForWindowActive(&top);
    }
};

} // namespace

class TestMultiRadio : public QObject {
    Q_OBJECT
  private slots:
    void geometry();
    void clickSelectsAlone_data();
    void clickSelectsAlone();
    void keys_data();
    void keys();
    void clearAndSetRadio();
    void errors_data();
    void errors();
    void renderSelection();
};

void TestMultiRadio::geometry() {
    Window w;
    QCOMPARE(w.radio->size(), QSize(273, 20));
    QCOMPARE(w.radio->RectOfChk(2), QRect(183, 3, 14, 14));
    QCOMPARE(w.radio->RectOfCap(2), QRect(200, 3, 70, 14));
    QCOMPARE(w.radio->ItemIndex(), 2);
    QCOMPARE(w.radio->Caption(1), QString::fromUtf8("无连号"));
}

void TestMultiRadio::clickSelectsAlone_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("notices");
    QTest::newRow("button of item 0") << "box" << 0 << 0 << 1;
    QTest::newRow("caption of item 1") << "caption" << 1 << 1 << 1;
    QTest::newRow("selected item stays selected") << "box" << 2 << 2 << 1;
    QTest::newRow("gap changes nothing") << "gap" << 0 << 2 << 0;
}

void TestMultiRadio::clickSelectsAlone() {
    QFETCH(QString, where);
    QFETCH(int, target);
    QFETCH(int, expected);
    QFETCH(int, notices);
    Window w;
    TMultiRadio& radio = *w.radio;
    w.other->setFocus();
    QSignalSpy spy(&radio, &TMultiMatrix::changed);
    int handled = 0;
    radio.SetOnChange([&](TMultiMatrix* sender) {
        QCOMPARE(sender, &radio);
        QCOMPARE(radio.ItemIndex(), expected); // told after the selection has moved
        ++handled;
    });
    const QRect box = radio.RectOfChk(target);
    QPoint p = box.center();
    if (where == "caption")
        p = radio.RectOfCap(target).center();
    else if (where == "gap")
        p = QPoint(box.right() + 2, box.center().y());
    QTest::mouseClick(&radio, Qt::LeftButton, {}, p);
    QVERIFY(radio.hasFocus());
    QCOMPARE(radio.ItemIndex(), expected);
    QCOMPARE(spy.count(), notices);
    QCOMPARE(handled, notices);
    // Only one item is selected: deselecting it leaves none.
    radio.SetRadio(expected, false);
    QCOMPARE(radio.ItemIndex(), 3);
}

void TestMultiRadio::keys_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("selected");
    using K = QList<int>;
    QTest::newRow("arrows move only the mark") << K{Qt::Key_Right, Qt::Key_Right, Qt::Key_Left} << 1 << 2;
    QTest::newRow("space selects the focus item") << K{Qt::Key_Right, Qt::Key_Space} << 1 << 1;
    QTest::newRow("space twice keeps it") << K{Qt::Key_Space, Qt::Key_Space} << 0 << 0;
    QTest::newRow("enter selects") << K{Qt::Key_Return} << 0 << 0;
    QTest::newRow("up and down stay in one row") << K{Qt::Key_Down, Qt::Key_Up} << 0 << 2;
    QTest::newRow("right stops at the last") << K{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right} << 2 << 2;
}

void TestMultiRadio::keys() {
    QFETCH(QList<int>, keys);
    QFETCH(int, focus);
    QFETCH(int, selected);
    Window w;
    TMultiRadio& radio = *w.radio;
    radio.setFocus();
    QCOMPARE(radio.FocusIndex(), 0);
    QSignalSpy spy(&radio, &TMultiMatrix::changed);
    for (int key : keys)
        QTest::keyClick(&radio, Qt::Key(key));
    QVERIFY(radio.hasFocus());
    QCOMPARE(radio.FocusIndex(), focus);
    QCOMPARE(radio.ItemIndex(), selected);
    QCOMPARE(spy.count(), keys.size());
}

void TestMultiRadio::clearAndSetRadio() {
    Window w;
    TMultiRadio& radio = *w.radio;
    QSignalSpy spy(&radio, &TMultiMatrix::changed);
    radio.Clear();
    QCOMPARE(radio.ItemIndex(), 3);
    radio.SetItemIndex(0);
    radio.SetRadio(1, true); // does not clear the others
    QCOMPARE(radio.ItemIndex(), 0);
    radio.SetRadio(0, false);
    QCOMPARE(radio.ItemIndex(), 1);
    radio.SetRadio(1, true); // already set: nothing happens
    QCOMPARE(radio.ItemIndex(), 1);
    QCOMPARE(spy.count(), 0); // programmatic changes are silent
    // A click restores a single selection.
    radio.SetRadio(2, true);
    QTest::mouseClick(&radio, Qt::LeftButton, {}, radio.RectOfCap(2).center());
    radio.SetRadio(2, false);
    QCOMPARE(radio.ItemIndex(), 3);
}

void TestMultiRadio::errors_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<int>("argument");
    QTest::addColumn<QString>("message");
    QTest::newRow("SetRadio below") << "SetRadio" << -1 << "SetRadio Error!";
    QTest::newRow("SetRadio past end") << "SetRadio" << 3 << "SetRadio Error!";
    QTest::newRow("SetItemIndex past end") << "SetItemIndex" << 3 << "SetRadio Error!";
    QTest::newRow("SetItemIndex below") << "SetItemIndex" << -1 << "SetRadio Error!";
    QTest::newRow("SetCols zero") << "SetCols" << 0 << "SetCols Error!";
    QTest::newRow("SetCount negative") << "SetCount" << -3 << "SetCount Error!";
    QTest::newRow("RectOfCap below") << "RectOfCap" << -1 << "RectOfCap Index Error!";
}

void TestMultiRadio::errors() {
    QFETCH(QString, call);
    QFETCH(int, argument);
    QFETCH(QString, message);
    Window w;
    TMultiRadio& radio = *w.radio;
    try {
        if (call == "SetRadio")
            radio.SetRadio(argument, true);
        else if (call == "SetItemIndex")
            radio.SetItemIndex(argument);
        else if (call == "SetCols")
            radio.SetCols(argument);
        else if (call == "SetCount")
            radio.SetCount(argument);
        else
            radio.RectOfCap(argument);
        QFAIL("no error raised");
    } catch (const TMatrixError& e) {
        QCOMPARE(e.message(), message);
    }
    // A refused call keeps the selection and the grid.
    QCOMPARE(radio.ItemIndex(), 2);
    QCOMPARE(radio.Count(), 3);
    QCOMPARE(radio.size(), QSize(273, 20));
}

void TestMultiRadio::renderSelection() {
    Window w;
    TMultiRadio& radio = *w.radio;
    w.other->setFocus();
    const QImage before = renderImage(radio);
    const QRect b0 = radio.RectOfChk(0), b1 = radio.RectOfChk(1), b2 = radio.RectOfChk(2);
    QCOMPARE(cell(before, b0), cell(before, b1));
    QVERIFY(cell(before, b0) != cell(before, b2));

    QTest::mouseClick(&radio, Qt::LeftButton, {}, b0.center());
    const QImage after = renderImage(radio);
    QCOMPARE(cell(after, b2), cell(before, b1)); // the old selection now looks unselected
    QCOMPARE(cell(after, b0), cell(before, b2));

    // With the focus the mark surrounds caption 0; without it the picture has no mark.
    const QRect mark = radio.Layout().focusRect(0);
    QVERIFY(cell(after, mark) != cell(before, mark));
    w.other->setFocus();
    QCOMPARE(cell(renderImage(radio), mark), cell(before, mark));
}

QTEST_MAIN(TestMultiRadio)
#include "tst_multiradio.moc"
