#include "engine/core/KelvoraError.h"
#include "engine/shrink/ListReader.h"

#include <QTest>

class TestListReader : public QObject {
    Q_OBJECT
  private slots:
    void reads_data();
    void reads();
    void refuses_data();
    void refuses();
};

void TestListReader::reads_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("empty") << "" << QList<int>{};
    QTest::newRow("blanks only") << "   " << QList<int>{};
    QTest::newRow("commas only") << ",,," << QList<int>{};
    QTest::newRow("hint example") << "04,7,15" << QList<int>{4, 7, 15};
    QTest::newRow("stray commas") << ",04,,7," << QList<int>{4, 7};
    QTest::newRow("outer blanks trimmed") << "  4,7  " << QList<int>{4, 7};
    QTest::newRow("blank after comma") << "4, 7" << QList<int>{4, 7};
    QTest::newRow("sign and zeros") << "+0005,0" << QList<int>{5, 0};
    QTest::newRow("hexadecimal") << "$0A,0x0b" << QList<int>{10, 11};
    QTest::newRow("repeats kept") << "3,3" << QList<int>{3, 3};
}

void TestListReader::reads() {
    QFETCH(QString, text);
    QFETCH(QList<int>, values);
    QCOMPARE(ReadNumberList(text, 0, 183, QStringLiteral("和值排除")), values);
}

void TestListReader::refuses_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<QString>("message");
    QTest::newRow("blank before comma") << "04 ,7" << 1 << 33 << "'04 ' is not a valid integer value";
    QTest::newRow("letters") << "4,abc" << 1 << 33 << "'abc' is not a valid integer value";
    QTest::newRow("decimal point") << "1.5" << 1 << 33 << "'1.5' is not a valid integer value";
    QTest::newRow("Chinese comma") << "4，7" << 1 << 33 << "'4，7' is not a valid integer value";
    QTest::newRow("sign alone") << "-" << 1 << 33 << "'-' is not a valid integer value";
    QTest::newRow("sum too big") << "20,200" << 0 << 183 << "条件: 200 超出范围 0-183";
    QTest::newRow("negative") << "-1" << 0 << 9 << "条件: -1 超出范围 0-9";
    QTest::newRow("tail ten") << "10" << 0 << 9 << "条件: 10 超出范围 0-9";
    QTest::newRow("number 34") << "34" << 1 << 33 << "条件: 34 超出范围 1-33";
    QTest::newRow("number 0") << "0" << 1 << 33 << "条件: 0 超出范围 1-33";
    QTest::newRow("hex wraps negative") << "$FFFFFFFF" << 1 << 33 << "条件: -1 超出范围 1-33";
    QTest::newRow("first bad piece wins") << "99,x" << 1 << 33 << "条件: 99 超出范围 1-33";
}

void TestListReader::refuses() {
    QFETCH(QString, text);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(QString, message);
    try {
        ReadNumberList(text, low, high, QStringLiteral("条件"));
        QFAIL("no error");
    } catch (const KelvoraError& e) {
        QCOMPARE(e.message(), message);
    }
}

QTEST_GUILESS_MAIN(TestListReader)
#include "tst_listreader.moc"
