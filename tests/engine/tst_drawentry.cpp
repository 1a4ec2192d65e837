#include "engine/history/DrawEntry.h"
#include "engine/history/Parser.h"

#include <QtTest>

class TestDrawEntry : public QObject {
    Q_OBJECT
  private slots:
    void newIssue_data() {
        QTest::addColumn<int>("issue");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("message"); // a part of it
        QTest::newRow("next of the year") << 2026097 << int(NewIssueCheck::Accepted) << QString();
        QTest::newRow("first of the next year") << 2027001 << int(NewIssueCheck::Accepted) << QString();
        QTest::newRow("gap asks") << 2026099 << int(NewIssueCheck::Gap) << QStringLiteral("缺少2期");
        QTest::newRow("next year, not its first")
            << 2027003 << int(NewIssueCheck::Gap) << QStringLiteral("2027001");
        QTest::newRow("held, other numbers")
            << 2026050 << int(NewIssueCheck::Refused) << QStringLiteral("第2026050期已有开奖数据（第1行）");
        QTest::newRow("the newest again")
            << 2026096 << int(NewIssueCheck::Refused) << QStringLiteral("已有开奖数据");
        QTest::newRow("older than the newest")
            << 2026060 << int(NewIssueCheck::Refused) << QStringLiteral("早于最新一期2026096");
        QTest::newRow("issue 000") << 2026000 << int(NewIssueCheck::Refused) << QStringLiteral("000");
    }
    void newIssue() {
        QFETCH(int, issue);
        QFETCH(int, verdict);
        QFETCH(QString, message);
        const TCodeArr history = ParseHistoryText(QStringLiteral("2026050 01 02 03 04 05 06 07\n"
                                                                 "2026096 01 04 16 22 26 31 04"),
                                                  Game::ssq())
                                     .history;
        const NewIssueCheck c = CheckNewIssueCode(history, issue);
        QCOMPARE(int(c.verdict), verdict);
        QVERIFY2(c.message.contains(message), qPrintable(c.message));
        QCOMPARE(NextIssueCode(history), 2026097);
    }

    // The prefill of 添加开奖: the next of the year, or the next year's first once the calendar has
    // passed the year of a draw that was one of its year's last.
    void nextIssue_data() {
        QTest::addColumn<int>("newest");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("next");
        QTest::newRow("within the year") << 2026096 << QDate(2026, 8, 14) << 2026097;
        QTest::newRow("year's last, still December") << 2025151 << QDate(2025, 12, 30) << 2025152;
        QTest::newRow("year's last, January") << 2025151 << QDate(2026, 1, 2) << 2026001;
        QTest::newRow("year's last, years later") << 2025153 << QDate(2028, 5, 1) << 2026001;
        QTest::newRow("stale mid-year data") << 2025094 << QDate(2026, 1, 2) << 2025095;
        QTest::newRow("no date") << 2025151 << QDate() << 2025152;
        QTest::newRow("number 999") << 2025999 << QDate(2025, 6, 1) << 2026001;
    }
    void nextIssue() {
        QFETCH(int, newest);
        QFETCH(QDate, today);
        QFETCH(int, next);
        const TCodeArr history =
            ParseHistoryText(
                QStringLiteral("2020001 01 02 03 04 05 06 07\n%1 01 04 16 22 26 31 04").arg(newest),
                Game::ssq())
                .history;
        QCOMPARE(NextIssueCode(history, today), next);
        // What is offered is what the check accepts without a question.
        QCOMPARE(int(CheckNewIssueCode(history, next).verdict), int(NewIssueCheck::Accepted));
        QCOMPARE(NextIssueCode({}, today), 0);
    }
};

QTEST_GUILESS_MAIN(TestDrawEntry)
#include "tst_drawentry.moc"
