#include "engine/history/Parser.h"
#include "support/TestSupport.h"
#include "ui/history/PrintLines.h"
#include "ui/history/QueryPanel.h"

#include "support/ModalCatcher.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestQueryPanel : public QObject {
    Q_OBJECT
    TCodeArr history;

  private slots:
    void initTestCase() {
        history = SampleHistory();
        QCOMPARE(int(history.size()), 3493);
    }

    void designValues() {
        TQueryPanel panel(history);
        QCOMPARE(panel.SqlSe1->value(), 2005013);
        QCOMPARE(panel.SqlSe2->value(), 30);
        QVERIFY(panel.SqlChk1->isChecked() && panel.SqlChk1->isHidden());
        QVERIFY(!panel.SqlChk2->isChecked() && panel.SqlChk2->isHidden());
        QCOMPARE(panel.SqlBt->text(), QStringLiteral("查询"));
        QCOMPARE(panel.PrintBt->text(), QStringLiteral("打印"));
    }

    void query_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("first");
        QTest::newRow("default") << 2005013 << 30 << 30 << QStringLiteral("第2005013期,开奖号:");
        QTest::newRow("latest") << 2026096 << 30 << 1
                                << QStringLiteral("第2026096期,开奖号:01 04 16 22 26 31+04");
        QTest::newRow("five before end")
            << 2026091 << 30 << 6 << QStringLiteral("第2026091期,开奖号:02 13 14 16 20 24+05");
        QTest::newRow("unknown") << 2026999 << 30 << 0 << QString();
        QTest::newRow("negative count") << 2026091 << -1 << 0 << QString();
    }
    void query() {
        QFETCH(int, from);
        QFETCH(int, count);
        QFETCH(int, lines);
        QFETCH(QString, first);
        TQueryPanel panel(history);
        panel.SqlMemo->setPlainText(QStringLiteral("old"));
        panel.SqlSe1->setValue(from);
        panel.SqlSe2->setValue(count);
        ModalCatcher catcher;
        QTest::mouseClick(panel.SqlBt, Qt::LeftButton);
        const QString text = panel.SqlMemo->toPlainText();
        QCOMPARE(text.isEmpty() ? 0 : int(text.count(QLatin1Char('\n')) + 1), lines);
        QVERIFY(text.startsWith(first));
        QCOMPARE(catcher.dialogs, 0);
    }

    // Enter in either edit runs the query, with the value as typed.
    void enterRunsTheQuery_data() {
        QTest::addColumn<bool>("inStart");
        QTest::newRow("start issue") << true;
        QTest::newRow("count") << false;
    }
    void enterRunsTheQuery() {
        QFETCH(bool, inStart);
        TQueryPanel panel(history);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QSpinBox* edit = inStart ? panel.SqlSe1 : panel.SqlSe2;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, inStart ? QStringLiteral("2026095") : QStringLiteral("3"));
        QTest::keyClick(edit, Qt::Key_Return);
        const QStringList lines = panel.SqlMemo->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), inStart ? 2 : 3);
        // Showing the panel started the list at the newest 30 draws.
        QVERIFY(lines.first().startsWith(inStart ? QStringLiteral("第2026095期")
                                                 : QStringLiteral("第%1期").arg(history[history.size() - 30].code())));
    }

    void printsTheMemo() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("query.pdf"));
        SetPrintToFile(pdf);
        TQueryPanel panel(history);
        panel.SqlSe1->setValue(2026095);
        panel.SqlBtClick();
        panel.PrintBtClick();
        SetPrintToFile(QString());
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(20000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("打印，时间:")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("第2026095期,开奖号:04 06 14 21 22 33+16")));
        QVERIFY(text.contains(QStringLiteral("第2026096期,开奖号:01 04 16 22 26 31+04")));
        QCOMPARE(panel.SqlMemo->toPlainText().count(QLatin1Char('\n')), 1);
    }

    // Each game lists its own draws (both backs for the super lotto), from its own start issue, and
    // the printed pages name the game.
    void queryAndPrintOfEachGame_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<int>("firstIssue");
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("last");
        QTest::newRow("ssq") << "ssq" << 2005013 << 2026095 << "第2026096期,开奖号:01 04 16 22 26 31+04";
        QTest::newRow("dlt") << "dlt" << 2007001 << 2026093 << "第2026094期,开奖号:05 14 15 17 33+01 07";
    }
    void queryAndPrintOfEachGame() {
        QFETCH(QString, game);
        QFETCH(int, firstIssue);
        QFETCH(int, from);
        QFETCH(QString, last);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const Game& g = *Game::find(game);
        const TCodeArr& draws = SampleHistoryOf(g);
        TQueryPanel panel(draws);
        // A value typed for the other game stays with it.
        panel.SqlSe1->setValue(2026001);
        panel.setGame(Game::dlt());
        panel.setGame(Game::ssq());
        QCOMPARE(panel.SqlSe1->value(), 2026001);
        panel.setGame(g);
        if (&g != &Game::ssq()) QCOMPARE(panel.SqlSe1->value(), firstIssue);
        panel.SqlSe1->setValue(from);
        panel.SqlBtClick();
        const QStringList lines = panel.SqlMemo->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.last(), last);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("query.pdf"));
        SetPrintToFile(pdf);
        panel.PrintBtClick();
        SetPrintToFile(QString());
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(20000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("Kelvora %1开奖查询").arg(g.nameText())), qPrintable(text));
        QVERIFY2(text.contains(last), qPrintable(text));
    }

    // The first visit of each game lists its newest draws, the newest in view; a start typed later
    // stays on the next visit.
    void opensOnTheNewestDraws_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("newest");
        QTest::newRow("ssq") << "ssq" << "第2026096期,开奖号:01 04 16 22 26 31+04";
        QTest::newRow("dlt") << "dlt" << "第2026094期,开奖号:05 14 15 17 33+01 07";
    }
    void opensOnTheNewestDraws() {
        QFETCH(QString, game);
        QFETCH(QString, newest);
        const Game& g = *Game::find(game);
        const TCodeArr& draws = SampleHistoryOf(g);
        TQueryPanel panel(draws);
        panel.setGame(g);
        panel.resize(400, 200); // shorter than 30 lines
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        const QStringList lines = panel.SqlMemo->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 30);
        QCOMPARE(lines.last(), newest);
        QCOMPARE(panel.SqlSe1->value(), draws[draws.size() - 30].code());
        QScrollBar* bar = panel.SqlMemo->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());

        panel.hide();
        panel.SqlSe1->setValue(2026001);
        panel.show();
        QCOMPARE(panel.SqlSe1->value(), 2026001);
    }

    void printFailureLeavesMemo() {
        SetPrintToFile(QStringLiteral("/nonexistent-dir/x/query.pdf"));
        TQueryPanel panel(history);
        panel.SqlBtClick();
        const QString before = panel.SqlMemo->toPlainText();
        ModalCatcher catcher;
        panel.PrintBtClick();
        SetPrintToFile(QString());
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("打印失败！")});
        QCOMPARE(panel.SqlMemo->toPlainText(), before);
    }
};

QTEST_MAIN(TestQueryPanel)
#include "tst_querypanel.moc"
