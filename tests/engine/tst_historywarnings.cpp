#include "engine/history/HistoryWarnings.h"
#include "engine/history/Parser.h"
#include "support/TestSupport.h"

#include <QtTest>

class TestHistoryWarnings : public QObject {
    Q_OBJECT
  private slots:
    void warnings_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("warnings");
        const QString a = QStringLiteral("2005013 03 07 12 19 25 31 09\n");
        const QString b = QStringLiteral("2005014 01 02 03 04 05 06 16\n");
        QTest::newRow("clean") << a + b << QStringList{};
        QTest::newRow("repeated issue, not adjacent")
            << a + b + QStringLiteral("2005013 03 07 12 19 25 31 09")
            << QStringList{"警告：第3行期号与第1行重复", "警告：第3行期号小于上一行"};
        QTest::newRow("repeated issue, adjacent") << a + a << QStringList{"警告：第2行期号与第1行重复"};
        QTest::newRow("issue going backwards") << b + a << QStringList{"警告：第2行期号小于上一行"};
        // A red twice is no draw at all: the parser refuses the line (tst_parser), so no warning here.
        QTest::newRow("reds descending") << QStringLiteral("2005013 33 31 25 19 12 07 09")
                                         << QStringList{"警告：第1行红球不是从小到大排列"};
        QTest::newRow("reds unsorted") << a + QStringLiteral("2005014 02 01 03 04 05 06 16")
                                       << QStringList{"警告：第2行红球不是从小到大排列"};
        QTest::newRow("repeated issue and unsorted")
            << a + QStringLiteral("2005013 05 01 02 04 06 07 09")
            << QStringList{"警告：第2行期号与第1行重复", "警告：第2行红球不是从小到大排列"};
    }
    void warnings() {
        QFETCH(QString, text);
        QFETCH(QStringList, warnings);
        const ParseResult r = ParseHistoryText(text, Game::ssq());
        QCOMPARE(r.status, ParseResult::Ok);
        QCOMPARE(HistoryWarnings(r.history, Game::ssq()), warnings);
        QCOMPARE(HistoryWarningsMessage(warnings).isEmpty(), warnings.isEmpty());
    }

    void sampleIsClean() { QCOMPARE(HistoryWarnings(SampleHistory(), Game::ssq()), QStringList{}); }
};

QTEST_GUILESS_MAIN(TestHistoryWarnings)
#include "tst_historywarnings.moc"
