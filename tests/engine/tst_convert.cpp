#include "engine/core/KelvoraError.h"
#include "engine/history/Convert.h"

#include <QTest>

class TestConvert : public QObject {
    Q_OBJECT

  private slots:
    void conversions_data();
    void conversions();
    void errorText();
};

void TestConvert::conversions_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "15" << true << 15;
    QTest::newRow("leading zero") << "04" << true << 4;
    QTest::newRow("leading blanks") << "  7" << true << 7;
    QTest::newRow("plus") << "+7" << true << 7;
    QTest::newRow("minus") << "-12" << true << -12;
    QTest::newRow("dollar hex") << "$1F" << true << 31;
    QTest::newRow("0x hex") << "0x10" << true << 16;
    QTest::newRow("min int") << "-2147483648" << true << INT_MIN;
    QTest::newRow("trailing blank") << "7 " << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("overflow") << "2147483648" << false << 0;
    QTest::newRow("huge") << "99999999999999999999" << false << 0;
    QTest::newRow("decimal point") << "1.5" << false << 0;
    QTest::newRow("full-width digit") << QStringLiteral("１") << false << 0;
}

void TestConvert::conversions() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    int v = -999;
    QCOMPARE(TryStrToInt(QStringView(text), v), ok);
    if (ok) QCOMPARE(v, value);
    int w = -999;
    const QByteArray latin = text.toUtf8();
    QCOMPARE(TryStrToInt(std::string_view(latin.constData(), size_t(latin.size())), w), ok);
}

void TestConvert::errorText() {
    try {
        StrToInt(QStringLiteral("1a"));
        QFAIL("no error raised");
    } catch (const KelvoraError& e) {
        QCOMPARE(e.message(), QStringLiteral("'1a' is not a valid integer value"));
    }
}

QTEST_GUILESS_MAIN(TestConvert)
#include "tst_convert.moc"
