#include "ui/history/FindCode.h"

#include <QPlainTextEdit>
#include <QtTest>

class TestFindCode : public QObject {
    Q_OBJECT
  private slots:
    void find_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("start"); // selection start, -1 = no selection
        QTest::newRow("first of two") << QStringLiteral("07 ") << QStringLiteral("恭喜，找到号码07 ") << 3;
        QTest::newRow("on second line") << QStringLiteral("33+") << QStringLiteral("恭喜，找到号码33+") << 33;
        QTest::newRow("absent") << QStringLiteral("99 ") << QStringLiteral("抱歉，没有找到号码99 ") << -1;
        QTest::newRow("two characters") << QStringLiteral("07") << QString() << -2;
        QTest::newRow("four characters") << QStringLiteral("07 1") << QString() << -2;
        QTest::newRow("empty") << QString() << QString() << -2;
    }
    void find() {
        QFETCH(QString, text);
        QFETCH(QString, status);
        QFETCH(int, start);
        QPlainTextEdit memo;
        memo.setPlainText(QStringLiteral("01 07 12 19 25 31\n02 07 12 19 25 33+09"));
        // A selection made before: kept when the text is refused, dropped otherwise.
        QTextCursor c = memo.textCursor();
        c.setPosition(6);
        c.setPosition(8, QTextCursor::KeepAnchor);
        memo.setTextCursor(c);

        QCOMPARE(FindCodeInMemo(&memo, text), status);
        const QTextCursor after = memo.textCursor();
        if (start == -2) {
            QCOMPARE(after.selectionStart(), 6);
            QCOMPARE(after.selectionEnd(), 8);
        } else if (start == -1) {
            QVERIFY(!after.hasSelection());
        } else {
            QCOMPARE(after.selectionStart(), start);
            QCOMPARE(after.selectedText(), text);
        }
    }

    void repeatedSearchStaysOnFirst() {
        QPlainTextEdit memo;
        memo.setPlainText(QStringLiteral("05 06 07\n05 06 07\n"));
        for (int i = 0; i < 3; ++i) {
            FindCodeInMemo(&memo, QStringLiteral("06 "));
            QCOMPARE(memo.textCursor().selectionStart(), 3);
        }
    }
};

QTEST_MAIN(TestFindCode)
#include "tst_findcode.moc"
