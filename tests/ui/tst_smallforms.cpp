#include "ui/forms/ProgramFont.h"
#include "ui/forms/ProgressForm.h"
#include "ui/forms/SmForm.h"
#include "ui/forms/SplashForm.h"

#include "support/ModalCatcher.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QtTest>

class TestSmallForms : public QObject {
    Q_OBJECT
  private slots:
    void splashPictureDecodes() {
        const QImage picture = TSplashForm::picture();
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.size(), QSize(450, 353));
        TSplashForm splash;
        QCOMPARE(splash.size(), QSize(450, 353));
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        // What is painted is the picture.
        const QImage shot = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage ref = picture.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.pixel(200, 210), ref.pixel(200, 210));
        QCOMPARE(shot.pixel(10, 10), ref.pixel(10, 10));
    }

    void fontShowsChinese() {
        const QFont font = ProgramFont();
        QCOMPARE(font.pixelSize(), 14);
        QCOMPARE(font.families().first(), QStringLiteral("宋体"));
        // Whatever family is picked can draw Chinese, so no text shows as boxes.
        const QFontMetrics metrics(font);
        for (const QChar c : QStringLiteral("数据更新超强缩水开奖号"))
            QVERIFY2(metrics.inFont(c), qPrintable(QFontInfo(font).family()));
    }

    void explanationIsModalWithCaption() {
        TSmForm& form = TSmForm::instance();
        QCOMPARE(&form, &TSmForm::instance());
        QCOMPARE(form.size(), QSize(426, 351));
        form.Memo->setPlainText(QStringLiteral("说明"));
        bool wasModal = false;
        QString caption;
        QTimer::singleShot(50, &form, [&] {
            wasModal = QApplication::activeModalWidget() == &form;
            caption = form.windowTitle();
            form.accept();
        });
        form.ShowExplanation(QStringLiteral("和值说明"));
        QVERIFY(wasModal);
        QCOMPARE(caption, QStringLiteral("和值说明"));
    }

    void progressDragsOnlyFromTopStrip_data() {
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("starts");
        QTest::newRow("top strip") << 10 << true;
        QTest::newRow("last strip row") << 39 << true;
        QTest::newRow("below strip") << 45 << false;
    }
    void progressDragsOnlyFromTopStrip() {
        QFETCH(int, y);
        QFETCH(bool, starts);
        TProgressForm& f = TProgressForm::instance();
        f.begin(QStringLiteral("x"), 10);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        // startSystemMove is refused on the test platform, but the press is taken only in the strip.
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, y), f.mapToGlobal(QPointF(20, y)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        press.setAccepted(false);
        QApplication::sendEvent(&f, &press);
        QCOMPARE(press.isAccepted(), starts);
        f.end();
    }
};

QTEST_MAIN(TestSmallForms)
#include "tst_smallforms.moc"
