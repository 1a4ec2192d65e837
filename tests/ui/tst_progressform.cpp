#include "ui/forms/ProgressForm.h"

#include <QLabel>
#include <QProgressBar>
#include <QtTest>

class TestProgressForm : public QObject {
    Q_OBJECT
  private slots:
    void oneWindow() { QCOMPARE(&TProgressForm::instance(), &TProgressForm::instance()); }

    void designValues() {
        TProgressForm& f = TProgressForm::instance();
        QCOMPARE(f.size(), QSize(498, 57));
        QVERIFY(f.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(f.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(f.ProgressBar->geometry(), QRect(8, 32, 481, 18));
        QCOMPARE(f.maximum(), 110);
        QCOMPARE(f.text(), QStringLiteral("正在进行缩水计算..."));
    }

    void beginSetEnd() {
        TProgressForm& f = TProgressForm::instance();
        f.begin(QStringLiteral("正在计算"), 50);
        QVERIFY(f.isVisible());
        QCOMPARE(f.position(), 0);
        QCOMPARE(f.maximum(), 50);
        QCOMPARE(f.text(), QStringLiteral("正在计算"));
        f.setPosition(20);
        QCOMPARE(f.position(), 20);
        f.end();
        QVERIFY(!f.isVisible());
        f.begin(QStringLiteral("again"), 10);
        QCOMPARE(f.position(), 0);
        f.end();
    }
};

QTEST_MAIN(TestProgressForm)
#include "tst_progressform.moc"
