#include "engine/history/Parser.h"
#include "engine/prize/ResultCheckAnswer.h"
#include "support/TestSupport.h"
#include "ui/prize/PrizeWindow.h"
#include "ui/shrink/ResultCheckDialog.h"
#include "ui/shrink/ShrinkPanel.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

// 结果兑奖's own box, driven as a user would through the shrink panel: it says what it takes, shows
// an example, and answers every text: a refused one keeps the box open with its reason.
class TestResultCheckDialog : public QObject {
    Q_OBJECT
  private slots:
    void answersEveryInput_data();
    void answersEveryInput();
    void answersSuperLottoDraws_data();
    void answersSuperLottoDraws();
};

void TestResultCheckDialog::answersSuperLottoDraws_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("reason"); // empty: the box takes the answer
    QTest::newRow("fronts only") << "05 14 15 17 33"
                                 << "缺少后区";
    QTest::newRow("one back") << "05 14 15 17 33+01"
                              << "缺少后区";
    QTest::newRow("a two-colour-ball draw") << "01 04 16 22 26 31+04"
                                            << "无效";
    QTest::newRow("front out of range") << "05 14 15 17 36+01 07"
                                        << "无效";
    QTest::newRow("issue code") << "2026094"
                                << "";
    QTest::newRow("whole draw") << "05 14 15 17 33+01 07"
                                << "";
    QTest::newRow("three characters") << "05 "
                                      << "";
}

// The box reads a super lotto draw: five fronts and two backs, in its words.
void TestResultCheckDialog::answersSuperLottoDraws() {
    QFETCH(QString, answer);
    QFETCH(QString, reason);
    TResultCheckDialog box(DltSampleHistory(), nullptr, Game::dlt());
    box.show();
    QVERIFY(box.HintLbl->text().contains(QStringLiteral("5个前区加2个后区")));
    QVERIFY(box.AnswerEd->placeholderText().contains(QStringLiteral("+04 09")));
    QTest::keyClicks(box.AnswerEd, answer);
    QTest::keyClick(box.AnswerEd, Qt::Key_Return);
    QCOMPARE(box.isVisible(), !reason.isEmpty());
    if (!reason.isEmpty())
        QVERIFY2(box.HintLbl->text().contains(reason), qPrintable(box.HintLbl->text()));
    else
        QCOMPARE(box.result(), int(QDialog::Accepted));
}

void TestResultCheckDialog::answersEveryInput_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("reason"); // empty: the box takes the answer
    QTest::addColumn<QString>("status");
    QTest::newRow("six reds, no blue") << "01 04 16 22 26 31"
                                       << "缺少蓝球"
                                       << "";
    QTest::newRow("three numbers") << "1 2 3"
                                   << "3个号码"
                                   << "";
    QTest::newRow("issue not held") << "2026999"
                                    << "2026999"
                                    << "";
    QTest::newRow("red out of range") << "01 04 16 22 26 34+04"
                                      << "无效"
                                      << "";
    QTest::newRow("words") << "hello"
                           << "无法使用"
                           << "";
    QTest::newRow("three characters") << "05 "
                                      << ""
                                      << "恭喜，找到号码05 ";
    QTest::newRow("issue code") << "2026096"
                                << ""
                                << "";
    QTest::newRow("whole draw") << "01 04 16 22 26 31+04"
                                << ""
                                << "";
}

void TestResultCheckDialog::answersEveryInput() {
    QFETCH(QString, answer);
    QFETCH(QString, reason);
    QFETCH(QString, status);
    TShrinkPanel panel(SampleHistory());
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.RcmMemo->setPlainText(QStringLiteral("缩水结果总共1注\n\n01 04 05 22 26 31"));
    QSignalSpy statusSpy(&panel, &TShrinkPanel::statusText);

    QString prompt, placeholder, hintBefore, hintAfter;
    bool stayedOpen = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<TResultCheckDialog*>(QApplication::activeModalWidget());
        if (!box) return;
        poll.stop();
        prompt = box->PromptLbl->text();
        placeholder = box->AnswerEd->placeholderText();
        hintBefore = box->HintLbl->text();
        QTest::keyClicks(box->AnswerEd, answer);
        QTest::keyClick(box->AnswerEd, Qt::Key_Return);
        stayedOpen = box->isVisible();
        hintAfter = box->HintLbl->text();
        if (stayedOpen) box->reject();
    });
    poll.start(10);
    QTest::mouseClick(panel.RcmPanelCheckBt, Qt::LeftButton);

    QVERIFY(!prompt.isEmpty());
    QVERIFY(placeholder.contains(QStringLiteral("01 04 16 22 26 31+04")));
    QCOMPARE(hintBefore, ResultCheckAcceptedText(Game::ssq()));
    QCOMPARE(stayedOpen, !reason.isEmpty());
    auto* prizeWindow = panel.findChild<TPrizeWindow*>(QStringLiteral("PrizeWindow"));
    if (!reason.isEmpty()) {
        QVERIFY2(hintAfter.contains(reason), qPrintable(hintAfter));
        QVERIFY(hintAfter.contains(ResultCheckAcceptedText(Game::ssq())));
        QVERIFY(statusSpy.isEmpty());
        QVERIFY(!prizeWindow);
    } else if (!status.isEmpty()) {
        QCOMPARE(statusSpy.size(), 1);
        QCOMPARE(statusSpy.first().first().toString(), status);
    } else {
        QVERIFY(prizeWindow && prizeWindow->isVisible());
    }
}

QTEST_MAIN(TestResultCheckDialog)
#include "tst_resultcheckdialog.moc"
