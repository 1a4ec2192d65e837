#include "engine/core/KelvoraError.h"
#include "support/ModalCatcher.h"
#include "ui/CommandGuard.h"

#include <QDialog>
#include <QtTest>

class TestCommandGuard : public QObject {
    Q_OBJECT

  private slots:
    void refusedCommandShowsItsText() {
        ModalCatcher catcher;
        int after = 0;
        const bool ok = RunGuarded(nullptr, [&] {
            throw KelvoraError(QStringLiteral("设置的查询期数超过总期数!!"));
            ++after;
        });
        QVERIFY(!ok);
        QCOMPARE(after, 0);
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("设置的查询期数超过总期数!!")});
        QVERIFY(RunGuarded(nullptr, [] {}));
    }

    void longTextStaysOnScreen() {
        // Thousands of bad-line numbers: the whole text, in a box no taller than a screen.
        QString text = QStringLiteral("文本内容中下列行的数据有错误，请纠正再保存！！\n");
        for (int i = 1; i <= 5000; ++i)
            text += QString::number(i) + (i % 10 ? QStringLiteral(",") : QStringLiteral(",\n"));
        QSize shown;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            QCOMPARE(box->objectName(), QStringLiteral("LongMessageBox"));
            shown = box->size();
            box->close();
        });
        ShowMessage(nullptr, text);
        QVERIFY(shown.height() > 0 && shown.height() <= 600);

        ModalCatcher catcher;
        ShowErrorBox(nullptr, text);
        QCOMPARE(catcher.texts, QStringList{text});
    }
};

QTEST_MAIN(TestCommandGuard)
#include "tst_commandguard.moc"
