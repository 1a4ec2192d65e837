#include "history/Parser.h"
#include "history/UpdateDecision.h"

#include <QtTest>

Q_DECLARE_METATYPE(TransferFraming)

class TestUpdateDecision : public QObject {
    Q_OBJECT
  private slots:
    void decide_data() {
        QTest::addColumn<QString>("error");
        QTest::addColumn<TransferFraming>("framing");
        QTest::addColumn<qint64>("declared");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QString>("failure"); // empty = accepted
        const QByteArray two = "2005013 03 07 12 19 25 31 09\r\n2005014 01 02 03 04 05 06 16\r\n";
        const QByteArray three = two + "2005015 05 06 07 08 09 10 11\r\n";
        const auto L = TransferFraming::Length, C = TransferFraming::Chunked, X = TransferFraming::Close;
        QTest::newRow("length, whole")
            << QString() << L << qint64(three.size()) << three << true << QString();
        QTest::newRow("chunked, whole") << QString() << C << qint64(-1) << three << true << QString();
        QTest::newRow("close, whole") << QString() << X << qint64(-1) << three << true << QString();
        QTest::newRow("same draws") << QString() << X << qint64(-1) << two << true << QString();
        QTest::newRow("client error") << QStringLiteral("网络错误：x") << L << qint64(-1) << QByteArray()
                                      << false << QStringLiteral("网络错误：x");
        QTest::newRow("length, short") << QString() << L << qint64(three.size()) << three.left(60) << false
                                       << QStringLiteral("下载的文件不完整：收到60字节，应为90字节");
        QTest::newRow("close, cut inside the last line")
            << QString() << X << qint64(-1) << three.left(86) << false
            << QStringLiteral("下载的文件不完整：最后一行没有结束");
        QTest::newRow("chunked, cut inside the last line")
            << QString() << C << qint64(-1) << three.left(88) << false
            << QStringLiteral("下载的文件不完整：最后一行没有结束");
        QTest::newRow("close, cut at a line end, fewer draws")
            << QString() << X << qint64(-1) << three.left(30) << true
            << QStringLiteral("下载的开奖数据只有1期，比现有的2期少");
        QTest::newRow("differs in a draw both hold")
            << QString() << C << qint64(-1) << QByteArray(three).replace("16\r\n", "15\r\n") << true
            << QStringLiteral("下载的第2005014期开奖号码与现有数据不同：现有 01 02 03 04 05 06+16，下载 01 "
                              "02 03 04 05 06+15");
        QTest::newRow("lacks a draw the editor holds")
            << QString() << C << qint64(-1) << QByteArray(three).replace("2005014", "2005016") << true
            << QStringLiteral("下载的开奖数据中没有现有的第2005014期");
        QTest::newRow("does not parse")
            << QString() << X << qint64(-1) << QByteArray("<html>\r\n") << true
            << QStringLiteral("文本内容中下列行的数据有错误，请纠正再保存！！\n第1行：只有0个号码");
        QTest::newRow("empty") << QString() << L << qint64(0) << QByteArray() << true
                               << QStringLiteral("下载的文件中没有开奖数据");
    }
    void decide() {
        QFETCH(QString, error);
        QFETCH(TransferFraming, framing);
        QFETCH(qint64, declared);
        QFETCH(QByteArray, body);
        QFETCH(bool, complete);
        QFETCH(QString, failure);
        const TCodeArr current =
            ParseHistoryText("2005013 03 07 12 19 25 31 09\n2005014 01 02 03 04 05 06 16").history;
        const UpdateDecision d = DecideUpdate(UpdateTransfer{error, framing, declared, body}, current);
        QCOMPARE(d.bodyComplete, complete);
        QCOMPARE(d.failure, failure);
        QCOMPARE(d.accepted, failure.isEmpty());
        if (d.accepted) {
            QCOMPARE(d.history.size(), ParseHistory(body).history.size());
            QCOMPARE(d.text, QString::fromLatin1(body).trimmed().replace("\r\n", "\n"));
        } else {
            QVERIFY(d.history.empty());
        }
    }
};

QTEST_GUILESS_MAIN(TestUpdateDecision)
#include "tst_updatedecision.moc"
