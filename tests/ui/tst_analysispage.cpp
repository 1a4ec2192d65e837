#include "support/ModalCatcher.h"
#include "support/TestSupport.h"
#include "ui/charts/AnalysisPage.h"
#include "ui/controls/H2Net.h"
#include "ui/forms/SmForm.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

class TestAnalysisPage : public QObject {
    Q_OBJECT

  private:
    TCodeArr m_history = SampleHistory();

  private slots:
    void fillsOnShowAndQuery() {
        TAnalysisPage page(m_history);
        QCOMPARE(page.objectName(), QStringLiteral("ExTabSheet13"));
        QCOMPARE(page.net()->objectName(), QStringLiteral("ExTabSheet13Net"));
        page.resize(1000, 600);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(page.net()->model().dynRows(), 31);
        QCOMPARE(page.net()->model().FFontSize, 9);

        page.periodsEdit()->setValue(int(m_history.size()));
        QTest::mouseClick(page.goButton(), Qt::LeftButton);
        QCOMPARE(page.net()->model().dynRows(), int(m_history.size()) + 1);
        QVERIFY(page.net()->GetValue(int(m_history.size()) + 1, 27).isEmpty()); // the oldest draw

        page.periodsEdit()->setValue(int(m_history.size()) + 1);
        ModalCatcher catcher;
        QTest::mouseClick(page.goButton(), Qt::LeftButton);
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("设置的查询期数超过总期数!!")});
        QCOMPARE(page.net()->model().dynRows(), int(m_history.size()) + 1);
    }

    void explanationWindow() {
        TAnalysisPage page(m_history);
        page.resize(1000, 600);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QPushButton* sm = page.smButton();
        QCOMPARE(sm->objectName(), QStringLiteral("ExTabSheet13SmBt"));
        QCOMPARE(sm->text(), QStringLiteral("说明"));
        // Right of "查询", on the top panel.
        QVERIFY(sm->mapTo(&page, QPoint(0, 0)).x() > page.goButton()->geometry().right());
        QVERIFY(sm->isVisible());

        // Twice: the memo is emptied before it is filled.
        for (int round = 0; round < 2; ++round) {
            QString caption;
            QStringList lines;
            QTimer::singleShot(50, [&] {
                TSmForm& form = TSmForm::instance();
                caption = form.windowTitle();
                lines = form.Memo->toPlainText().split('\n');
                form.close();
            });
            QTest::mouseClick(sm, Qt::LeftButton);
            QCOMPARE(caption, QStringLiteral("统计分析表 图表说明"));
            QCOMPARE(lines.size(), 20);
            QCOMPARE(lines.first(), QStringLiteral("说明："));
            QCOMPARE(lines[4], QStringLiteral("奇号个数：红球中号码为奇数的个数；   "));
        }
    }
};

QTEST_MAIN(TestAnalysisPage)
#include "tst_analysispage.moc"
