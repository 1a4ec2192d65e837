#include "ui/controls/MatrixError.h"
#include "ui/controls/MultiChk.h"

#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

QImage renderImage(const TMultiChk& chk) {
    QImage image(chk.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    chk.render(painter);
    return image;
}

bool sameArea(const QImage& a, const QImage& b, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}

QStringList numberCaptions(int n) {
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return out;
}

// A window holding the matrix and a line edit, so focus can be moved off the matrix.
struct Window {
    QWidget top;
    TMultiChk* chk;
    QLineEdit* other;
    explicit Window(const QStringList& captions, int capWidth, int cols) {
        auto* box = new QVBoxLayout(&top);
        chk = new TMultiChk;
        for (const QString& c : captions)
            chk->AddItem(c);
        chk->SetCapWidth(capWidth);
        chk->SetCols(cols);
        other = new QLineEdit;
        box->addWidget(chk);
        box->addWidget(other);
        top.show();
        top.activateWindow();
        (void)QTest::qWaitForWindowActive(&top);
    }
};

} // namespace

class TestMultiChk : public QObject {
    Q_OBJECT
  private slots:
    void size_data();
    void size();
    void cells_data();
    void cells();
    void hitTest_data();
    void hitTest();
    void setterErrors_data();
    void setterErrors();
    void setCountKeepsArrays();
    void notifications();
    void mouse_data();
    void mouse();
    void keyboard_data();
    void keyboard();
    void spaceAndEnterToggleAfterNotice();
    void clearKeepsFocusAndIsSilent();
    void renderEmptyIsBackground();
    void renderCheckedDiffers();
    void renderFocusMarkOnlyWithFocus();
    void renderGlyphFollowsStyleAndState();
};

void TestMultiChk::size_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("capWidth");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QSize>("expected");
    QTest::addColumn<int>("rows");
    QTest::newRow("empty, defaults") << 0 << 26 << 3 << QSize(141, 3) << 0;
    QTest::newRow("5 items in 7 columns") << 5 << 30 << 7 << QSize(353, 20) << 1;
    QTest::newRow("candidate numbers") << 33 << 20 << 11 << QSize(443, 54) << 3;
    QTest::newRow("range row") << 6 << 12 << 6 << QSize(195, 20) << 1;
    QTest::newRow("one partial row") << 4 << 26 << 3 << QSize(141, 37) << 2;
    QTest::newRow("zero caption width") << 2 << 0 << 1 << QSize(23, 37) << 2;
}

void TestMultiChk::size() {
    QFETCH(int, count);
    QFETCH(int, capWidth);
    QFETCH(int, cols);
    QFETCH(QSize, expected);
    QFETCH(int, rows);
    TMultiChk chk;
    for (const QString& c : numberCaptions(count))
        chk.AddItem(c);
    chk.SetCapWidth(capWidth);
    chk.SetCols(cols);
    QCOMPARE(chk.size(), expected);
    QCOMPARE(chk.sizeHint(), expected);
    QCOMPARE(chk.Rows(), rows);
    // The order of the setters does not matter.
    TMultiChk other;
    other.SetCols(cols);
    other.SetCapWidth(capWidth);
    for (const QString& c : numberCaptions(count))
        other.AddItem(c);
    QCOMPARE(other.size(), expected);
}

void TestMultiChk::cells_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("box");
    QTest::addColumn<QRect>("caption");
    // Candidate matrix: 33 items, caption width 20, 11 columns of 40 pixels.
    QTest::newRow("first") << 0 << QRect(3, 3, 14, 14) << QRect(20, 3, 20, 14);
    QTest::newRow("end of first row") << 10 << QRect(403, 3, 14, 14) << QRect(420, 3, 20, 14);
    QTest::newRow("number 12 starts row 2") << 11 << QRect(3, 20, 14, 14) << QRect(20, 20, 20, 14);
    QTest::newRow("number 13") << 12 << QRect(43, 20, 14, 14) << QRect(60, 20, 20, 14);
    QTest::newRow("last") << 32 << QRect(403, 37, 14, 14) << QRect(420, 37, 20, 14);
}

void TestMultiChk::cells() {
    QFETCH(int, index);
    QFETCH(QRect, box);
    QFETCH(QRect, caption);
    TMultiChk chk;
    for (const QString& c : numberCaptions(33))
        chk.AddItem(c);
    chk.SetCapWidth(20);
    chk.SetCols(11);
    QCOMPARE(chk.RectOfChk(index), box);
    QCOMPARE(chk.RectOfCap(index), caption);
    QVERIFY(QRect(QPoint(0, 0), chk.size()).contains(caption));
    QCOMPARE(chk.Layout().focusRect(index), caption.adjusted(-1, 0, 1, 0));
}

void TestMultiChk::hitTest_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("expected");
    // Default geometry, 3 columns of 46 pixels: box x 3..16, caption x 20..45, rows y 3..16, 20..33.
    QTest::newRow("box corner") << 5 << QPoint(3, 3) << 0;
    QTest::newRow("box last pixel") << 5 << QPoint(16, 16) << 0;
    QTest::newRow("between box and caption") << 5 << QPoint(18, 8) << -1;
    QTest::newRow("caption") << 5 << QPoint(30, 8) << 0;
    QTest::newRow("caption last pixel") << 5 << QPoint(45, 16) << 0;
    QTest::newRow("between columns") << 5 << QPoint(47, 8) << -1;
    QTest::newRow("second column box") << 5 << QPoint(50, 8) << 1;
    QTest::newRow("between rows") << 5 << QPoint(10, 18) << -1;
    QTest::newRow("second row") << 5 << QPoint(60, 25) << 4;
    QTest::newRow("empty cell of last row") << 5 << QPoint(100, 25) << -1;
    QTest::newRow("top margin") << 5 << QPoint(10, 1) << -1;
    QTest::newRow("right margin") << 5 << QPoint(139, 8) << -1;
    QTest::newRow("below grid") << 5 << QPoint(10, 60) << -1;
    QTest::newRow("negative") << 5 << QPoint(-5, 8) << -1;
    QTest::newRow("no items") << 0 << QPoint(10, 8) << -1;
}

void TestMultiChk::hitTest() {
    QFETCH(int, count);
    QFETCH(QPoint, point);
    QFETCH(int, expected);
    TMatrixLayout layout;
    layout.Count = count;
    QCOMPARE(layout.hitTest(point), expected);
    // Every item's own cells hit that item.
    for (int i = 0; i < count; ++i) {
        QCOMPARE(layout.hitTest(layout.rectOfChk(i).center()), i);
        QCOMPARE(layout.hitTest(layout.rectOfCap(i).bottomRight()), i);
    }
}

void TestMultiChk::setterErrors_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<int>("argument");
    QTest::addColumn<QString>("message");
    QTest::newRow("SetCount negative") << "SetCount" << -1 << "SetCount Error!";
    QTest::newRow("SetCols negative") << "SetCols" << -2 << "SetCols Error!";
    QTest::newRow("SetCols zero") << "SetCols" << 0 << "SetCols Error!";
    QTest::newRow("SetCapWidth negative") << "SetCapWidth" << -1 << "SetCapWidth Error!";
    QTest::newRow("RectOfChk below") << "RectOfChk" << -1 << "RectOfChk Index Error!";
    QTest::newRow("RectOfChk past end") << "RectOfChk" << 5 << "RectOfChk Index Error!";
    QTest::newRow("RectOfCap past end") << "RectOfCap" << 5 << "RectOfCap Index Error!";
    QTest::newRow("Checked past end") << "Checked" << 5 << "Checked Index Error!";
    QTest::newRow("SetChecked below") << "SetChecked" << -1 << "SetChecked Index Error!";
}

void TestMultiChk::setterErrors() {
    QFETCH(QString, call);
    QFETCH(int, argument);
    QFETCH(QString, message);
    TMultiChk chk;
    for (const QString& c : numberCaptions(5))
        chk.AddItem(c);
    chk.SetChecked(2, true);
    const QSize before = chk.size();
    QSignalSpy spy(&chk, &TMultiMatrix::changed);
    try {
        if (call == "SetCount")
            chk.SetCount(argument);
        else if (call == "SetCols")
            chk.SetCols(argument);
        else if (call == "SetCapWidth")
            chk.SetCapWidth(argument);
        else if (call == "RectOfChk")
            chk.RectOfChk(argument);
        else if (call == "RectOfCap")
            chk.RectOfCap(argument);
        else if (call == "Checked")
            chk.Checked(argument);
        else
            chk.SetChecked(argument, true);
        QFAIL("no error raised");
    } catch (const TMatrixError& e) {
        QCOMPARE(e.message(), message);
        QCOMPARE(QString::fromUtf8(e.what()), message);
    }
    QCOMPARE(chk.Count(), 5);
    QCOMPARE(chk.Cols(), 3);
    QCOMPARE(chk.CapWidth(), 26);
    QCOMPARE(chk.size(), before);
    QCOMPARE(chk.CheckedCount(), 1);
    QVERIFY(chk.Checked(2));
    QCOMPARE(spy.count(), 0);
}

void TestMultiChk::setCountKeepsArrays() {
    TMultiChk chk;
    chk.AddItem("a");
    chk.AddItem("b");
    chk.SetChecked(1, true);
    chk.SetCount(4);
    QCOMPARE(chk.Count(), 4);
    QCOMPARE(chk.Caption(1), QString("b"));
    QCOMPARE(chk.Caption(3), QString());
    QVERIFY(!chk.Checked(3));
    chk.AddItem("e");
    QCOMPARE(chk.Count(), 5);
    QCOMPARE(chk.Caption(4), QString("e"));
    QCOMPARE(chk.size(), QSize(141, 37));
    chk.SetCount(1);
    QCOMPARE(chk.CheckedCount(), 0);
    chk.SetCount(2);
    QVERIFY(!chk.Checked(1)); // a dropped item does not come back ticked
    QCOMPARE(chk.Caption(1), QString());
}

void TestMultiChk::notifications() {
    TMultiChk chk;
    QSignalSpy spy(&chk, &TMultiMatrix::changed);
    QList<TMultiMatrix*> senders;
    chk.SetOnChange([&](TMultiMatrix* sender) { senders << sender; });

    chk.AddItem("01"); // a re-layout is announced
    QCOMPARE(spy.count(), 1);
    QCOMPARE(senders.size(), 1);
    chk.SetCols(3); // same value: nothing happens
    chk.SetCapWidth(26);
    chk.SetCount(1);
    QCOMPARE(spy.count(), 1);
    chk.SetCols(2);
    QCOMPARE(spy.count(), 2);

    chk.SetChecked(0, true); // programmatic changes are silent
    chk.Clear();
    QCOMPARE(spy.count(), 2);

    QTest::mouseClick(&chk, Qt::LeftButton, {}, chk.RectOfChk(0).center());
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.last().at(0).value<TMultiMatrix*>(), &chk);
    QCOMPARE(senders.size(), 3);
    QCOMPARE(senders.last(), &chk);

    chk.SetOnChange(nullptr); // an empty handler is allowed
    QTest::mouseClick(&chk, Qt::LeftButton, {}, chk.RectOfChk(0).center());
    QCOMPARE(spy.count(), 4);
    QCOMPARE(senders.size(), 3);
}

void TestMultiChk::mouse_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("ticks");
    QTest::newRow("box") << "box" << int(Qt::LeftButton) << true;
    QTest::newRow("caption text") << "caption" << int(Qt::LeftButton) << true;
    QTest::newRow("caption, right button") << "caption" << int(Qt::RightButton) << true;
    QTest::newRow("box, middle button") << "box" << int(Qt::MiddleButton) << true;
    QTest::newRow("gap between box and caption") << "gap" << int(Qt::LeftButton) << false;
    QTest::newRow("margin") << "margin" << int(Qt::LeftButton) << false;
}

void TestMultiChk::mouse() {
    QFETCH(QString, where);
    QFETCH(int, button);
    QFETCH(bool, ticks);
    Window w(numberCaptions(33), 20, 11);
    TMultiChk& chk = *w.chk;
    w.other->setFocus();
    QVERIFY(w.other->hasFocus());

    const int item = 16;
    const QRect box = chk.RectOfChk(item);
    const QRect cap = chk.RectOfCap(item);
    QPoint p;
    if (where == "box")
        p = box.center();
    else if (where == "caption")
        p = QPoint(cap.left() + 4, cap.center().y());
    else if (where == "gap")
        p = QPoint(box.right() + 2, box.center().y());
    else
        p = QPoint(chk.width() - 1, 1);

    QSignalSpy spy(&chk, &TMultiMatrix::changed);
    QTest::mouseClick(&chk, Qt::MouseButton(button), {}, p);
    QVERIFY(chk.hasFocus()); // every click takes the focus
    QCOMPARE(chk.Checked(item), ticks);
    QCOMPARE(chk.CheckedCount(), ticks ? 1 : 0);
    QCOMPARE(chk.FocusIndex(), ticks ? item : 0);
    QCOMPARE(spy.count(), ticks ? 1 : 0);

    QTest::mouseClick(&chk, Qt::MouseButton(button), {}, p); // a second click unticks
    QCOMPARE(chk.CheckedCount(), 0);
    QCOMPARE(spy.count(), ticks ? 2 : 0);
}

void TestMultiChk::keyboard_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("expected");
    using K = QList<int>;
    QTest::newRow("right, down") << 33 << 11 << 0 << K{Qt::Key_Right, Qt::Key_Down} << 12;
    QTest::newRow("left at first") << 33 << 11 << 0 << K{Qt::Key_Left} << 0;
    QTest::newRow("up on first row") << 33 << 11 << 5 << K{Qt::Key_Up} << 5;
    QTest::newRow("up") << 33 << 11 << 16 << K{Qt::Key_Up} << 5;
    QTest::newRow("right at last") << 33 << 11 << 32 << K{Qt::Key_Right} << 32;
    QTest::newRow("down on last row") << 33 << 11 << 22 << K{Qt::Key_Down} << 22;
    QTest::newRow("right wraps to next row") << 33 << 11 << 10 << K{Qt::Key_Right} << 11;
    QTest::newRow("down into partial row") << 5 << 3 << 1 << K{Qt::Key_Down} << 4;
    QTest::newRow("down over empty cell") << 5 << 3 << 2 << K{Qt::Key_Down} << 2;
    QTest::newRow("paging keys do nothing")
        << 33 << 11 << 12 << K{Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_A} << 12;
    QTest::newRow("no items") << 0 << 3 << 0 << K{Qt::Key_Right, Qt::Key_Down, Qt::Key_Space} << 0;
}

void TestMultiChk::keyboard() {
    QFETCH(int, count);
    QFETCH(int, cols);
    QFETCH(int, start);
    QFETCH(QList<int>, keys);
    QFETCH(int, expected);
    Window w(numberCaptions(count), 20, cols);
    TMultiChk& chk = *w.chk;
    if (count > 0) {
        QTest::mouseClick(&chk, Qt::LeftButton, {}, chk.RectOfChk(start).center());
        QTest::mouseClick(&chk, Qt::LeftButton, {}, chk.RectOfChk(start).center());
    } else {
        chk.setFocus();
    }
    QVERIFY(chk.hasFocus());
    QCOMPARE(chk.FocusIndex(), start);
    QSignalSpy spy(&chk, &TMultiMatrix::changed);
    for (int key : keys)
        QTest::keyClick(&chk, Qt::Key(key));
    QCOMPARE(chk.FocusIndex(), expected);
    QVERIFY(chk.hasFocus());         // arrow keys stay with the control
    QCOMPARE(chk.CheckedCount(), 0); // moving never ticks
    QCOMPARE(spy.count(), keys.size());
}

void TestMultiChk::spaceAndEnterToggleAfterNotice() {
    Window w(numberCaptions(33), 20, 11);
    TMultiChk& chk = *w.chk;
    QList<bool> seen; // the flag of the focus item as the handler sees it
    chk.SetOnChange([&](TMultiMatrix*) { seen << chk.Checked(chk.FocusIndex()); });
    chk.setFocus();

    QTest::keyClick(&chk, Qt::Key_Space);
    QVERIFY(chk.Checked(0));
    QTest::keyClick(&chk, Qt::Key_Right);
    QTest::keyClick(&chk, Qt::Key_Return);
    QTest::keyClick(&chk, Qt::Key_Down);
    QTest::keyClick(&chk, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&chk, Qt::Key_Space); // toggles item 12 back off
    QCOMPARE(chk.CheckedCount(), 2);
    QVERIFY(chk.Checked(0) && chk.Checked(1) && !chk.Checked(12));
    // The handler is told after the flag has changed.
    QCOMPARE(seen, (QList<bool>{true, false, true, false, true, false}));

    // Ticking numbers 1, 5 and 33 by mouse gives three (after clearing the keyboard's work).
    chk.Clear();
    for (int i : {0, 4, 32})
        QTest::mouseClick(&chk, Qt::LeftButton, {}, chk.RectOfCap(i).center());
    QCOMPARE(chk.CheckedCount(), 3);
}

void TestMultiChk::clearKeepsFocusAndIsSilent() {
    Window w(numberCaptions(7), 30, 7);
    TMultiChk& chk = *w.chk;
    QTest::mouseClick(&chk, Qt::LeftButton, {}, chk.RectOfChk(4).center());
    QTest::mouseClick(&chk, Qt::LeftButton, {}, chk.RectOfChk(6).center());
    QSignalSpy spy(&chk, &TMultiMatrix::changed);
    chk.Clear();
    QCOMPARE(chk.CheckedCount(), 0);
    QCOMPARE(chk.FocusIndex(), 6);
    QCOMPARE(spy.count(), 0);
    // Shrinking below the focus item resets it to the first one.
    chk.SetCount(3);
    QCOMPARE(chk.FocusIndex(), 0);
}

void TestMultiChk::renderEmptyIsBackground() {
    TMultiChk chk;
    const QImage image = renderImage(chk);
    const QRgb bg = chk.palette().color(chk.backgroundRole()).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(image.pixel(x, y), bg);
}

void TestMultiChk::renderCheckedDiffers() {
    TMultiChk chk;
    for (const char* c : {"0:6", "1:5", "2:4"})
        chk.AddItem(c);
    chk.SetCapWidth(30);
    chk.SetChecked(1, true);
    const QImage image = renderImage(chk);
    const QRect box0 = chk.RectOfChk(0);
    const QRect box1 = chk.RectOfChk(1);
    const QRect box2 = chk.RectOfChk(2);
    // Unticked boxes look alike, the ticked one differs.
    QVERIFY(sameArea(image.copy(box0), image.copy(box2), QRect(QPoint(0, 0), box0.size())));
    QVERIFY(!sameArea(image.copy(box0), image.copy(box1), QRect(QPoint(0, 0), box0.size())));
    // Each caption leaves ink in its cell; different captions differ.
    const QRgb bg = chk.palette().color(chk.backgroundRole()).rgb();
    bool ink = false;
    const QRect cap = chk.RectOfCap(0);
    for (int y = cap.top(); y <= cap.bottom() && !ink; ++y)
        for (int x = cap.left(); x <= cap.right() && !ink; ++x)
            ink = image.pixel(x, y) != bg;
    QVERIFY(ink);
    QVERIFY(!sameArea(image.copy(chk.RectOfCap(0)), image.copy(chk.RectOfCap(2)),
                      QRect(QPoint(0, 0), cap.size())));
    // The widget's own paint event draws the same picture.
    const QImage grabbed = chk.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(grabbed.size(), image.size());
    QVERIFY(sameArea(grabbed, image, image.rect()));
}

void TestMultiChk::renderFocusMarkOnlyWithFocus() {
    Window w(numberCaptions(6), 12, 6);
    TMultiChk& chk = *w.chk;
    w.other->setFocus();
    QVERIFY(!chk.hasFocus());
    const QImage unfocused = renderImage(chk);

    chk.setFocus();
    QVERIFY(chk.hasFocus());
    const QImage focused = renderImage(chk);
    const QRect mark0 = chk.Layout().focusRect(0);
    QVERIFY(!sameArea(unfocused, focused, mark0));
    // Outside the mark the pictures are the same.
    QImage maskedA = unfocused, maskedB = focused;
    QPainter(&maskedA).fillRect(mark0, Qt::black);
    QPainter(&maskedB).fillRect(mark0, Qt::black);
    QCOMPARE(maskedA, maskedB);

    // The mark follows the arrow keys; ticks do not change because of it.
    QTest::keyClick(&chk, Qt::Key_Right);
    const QImage moved = renderImage(chk);
    QVERIFY(sameArea(unfocused, moved, mark0));
    QVERIFY(!sameArea(unfocused, moved, chk.Layout().focusRect(1)));

    w.other->setFocus();
    QVERIFY(sameArea(unfocused, renderImage(chk), chk.rect()));
}

void TestMultiChk::renderGlyphFollowsStyleAndState() {
    TMultiChk chk;
    chk.AddItem("01");
    chk.AddItem("02");
    chk.SetChecked(1, true);
    const QRect box = chk.RectOfChk(1);
    const QRect local(QPoint(0, 0), box.size());

    // The glyph is the style's own check box, as the style draws it on the background.
    auto direct = [&](bool enabled) {
        QImage image(chk.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(chk.palette().color(chk.backgroundRole()));
        QStyleOptionButton option;
        option.initFrom(&chk);
        option.rect = box;
        option.state = (option.state & ~QStyle::State_Enabled) | QStyle::State_On;
        if (enabled) option.state |= QStyle::State_Enabled;
        QPainter painter(&image);
        chk.style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, &chk);
        return image.copy(box);
    };
    const QImage enabled = renderImage(chk).copy(box);
    QVERIFY(sameArea(enabled, direct(true), local));

    chk.setEnabled(false);
    const QImage disabled = renderImage(chk).copy(box);
    QVERIFY(sameArea(disabled, direct(false), local));
    QVERIFY(!sameArea(enabled, disabled, local));
}

QTEST_MAIN(TestMultiChk)
#include "tst_multichk.moc"
