#include "engine/history/Parser.h"
#include "engine/history/UpdateDecision.h"

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
        QTest::newRow("does not parse") << QString() << X << qint64(-1) << QByteArray("<html>\r\n") << true
                                        << QStringLiteral("服务器返回的不是开奖数据");
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
            ParseHistoryText("2005013 03 07 12 19 25 31 09\n2005014 01 02 03 04 05 06 16", Game::ssq())
                .history;
        const UpdateDecision d = DecideUpdate(UpdateTransfer{error, framing, declared, body}, current,
                                              QDate::currentDate(), Game::ssq());
        QCOMPARE(d.bodyComplete, complete);
        QCOMPARE(d.failure, failure);
        QCOMPARE(d.accepted, failure.isEmpty());
        if (d.accepted) {
            QCOMPARE(d.history.size(), ParseHistory(body, Game::ssq()).history.size());
            QCOMPARE(d.text, QString::fromLatin1(body).trimmed().replace("\r\n", "\n"));
        } else {
            QVERIFY(d.history.empty());
        }
    }

    // The editor's text is what the update replaces: with nothing in it to compare, the user is shown
    // what came and asked; a web page is named for what it is.
    void overEditorText_data() {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("failure");      // empty = accepted
        QTest::addColumn<QStringList>("question"); // parts of it; empty = no question
        const QByteArray three = "2005013 03 07 12 19 25 31 09\r\n2005014 01 02 03 04 05 06 16\r\n"
                                 "2005015 05 06 07 08 09 10 11\r\n";
        const QString mine = QStringLiteral("2005013 03 07 12 19 25 31 09\n2005014 01 02 03 04 05 06 16");
        const QDate then(2005, 3, 1), now(2026, 12, 7);
        QTest::newRow("draws, download holds them all")
            << mine << three << then << QString() << QStringList();
        QTest::newRow("draws, download cut after a line end")
            << mine + "\n2005015 05 06 07 08 09 10 11" << three.left(60) << then
            << QStringLiteral("下载的开奖数据只有2期，比现有的3期少") << QStringList();
        QTest::newRow("text refused at load, download cut after a line end")
            << mine + "\n2005015 05 06 07 08 09 10 1l\n2005016 01 02 03 04 05 07 01" << three.left(30) << then
            << QString()
            << QStringList{"编辑器中的4行文本有无法识别的行（共1行有错误）", "共1期，最新第2005013期",
                           "是否用下载的开奖数据替换"};
        QTest::newRow("empty editor")
            << QString() << three << then << QString()
            << QStringList{"编辑器中没有可以比较的开奖数据", "共3期，最新第2005015期"};
        QTest::newRow("empty editor, download far older than today")
            << QStringLiteral("\n") << three << now << QString()
            << QStringList{"共3期，最新第2005015期", "离今天已很久"};
        QTest::newRow("html page over an empty editor")
            << QString() << QByteArray("<!DOCTYPE html>\n<html><body>2026</body></html>\n") << then
            << QStringLiteral("服务器返回的不是开奖数据") << QStringList();
        QTest::newRow("error text page") << mine << QByteArray("Service Unavailable\r\n") << then
                                         << QStringLiteral("服务器返回的不是开奖数据") << QStringList();
    }
    void overEditorText() {
        QFETCH(QString, editor);
        QFETCH(QByteArray, body);
        QFETCH(QDate, today);
        QFETCH(QString, failure);
        QFETCH(QStringList, question);
        const UpdateDecision d = DecideUpdateOverText(
            UpdateTransfer{QString(), TransferFraming::Close, -1, body}, editor, today, Game::ssq());
        QCOMPARE(d.failure, failure);
        QCOMPARE(d.accepted, failure.isEmpty());
        QCOMPARE(d.question.isEmpty(), question.isEmpty());
        for (const QString& part : question)
            QVERIFY2(d.question.contains(part), qPrintable(d.question));
        if (!question.isEmpty() && !question.contains(QStringLiteral("离今天已很久")))
            QVERIFY2(!d.question.contains(QStringLiteral("离今天已很久")), qPrintable(d.question));
    }
};

QTEST_GUILESS_MAIN(TestUpdateDecision)
#include "tst_updatedecision.moc"
