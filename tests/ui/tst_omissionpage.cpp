#include "engine/charts/OmissionChart.h"
#include "support/ModalCatcher.h"
#include "support/TestSupport.h"
#include "ui/charts/OmissionPage.h"
#include "ui/controls/B0Net.h"

#include <QJsonArray>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTest>

class TestOmissionPage : public QObject {
    Q_OBJECT

  private:
    TCodeArr m_history = SampleHistory();

  private slots:
    void fillsCentredTables() {
        TOmissionPage page(m_history);
        QCOMPARE(page.objectName(), QStringLiteral("ExTabSheet11"));
        QCOMPARE(page.redNet()->objectName(), QStringLiteral("ExTabSheet11Net1"));
        QCOMPARE(page.blueNet()->objectName(), QStringLiteral("ExTabSheet11Net2"));
        page.resize(1000, 700);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        const int boxWidth = page.scrollBox()->viewport()->width();
        QCOMPARE(page.redNet()->x(), (boxWidth - 576) / 2);
        QCOMPARE(page.redNet()->y(), 0);
        QCOMPARE(page.blueNet()->x(), page.redNet()->x());
        QCOMPARE(page.blueNet()->y(), page.redNet()->height() + 20);
        QCOMPARE(page.redNet()->model().visRows(), 34);
        QCOMPARE(page.blueNet()->model().visRows(), 17);
        // The statistics cover the whole history whatever N says.
        const QJsonObject whole = FillOmission(m_history, 0, boxWidth, Game::ssq()).toJson();
        QCOMPARE(page.redNet()->model().toJson(), whole["tables"].toArray()[0].toObject());
        // The box scrolls down to the blue table's last row.
        QVERIFY(page.scrollBox()->widget()->height() > page.blueNet()->geometry().bottom());
    }

    void refusedKeepsTables() {
        TOmissionPage page(m_history);
        page.resize(1000, 700);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const QJsonObject before = page.blueNet()->model().toJson();
        page.periodsEdit()->setValue(int(m_history.size()) + 1);
        ModalCatcher catcher;
        QTest::mouseClick(page.goButton(), Qt::LeftButton);
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("设置的查询期数超过总期数!!")});
        QCOMPARE(page.blueNet()->model().toJson(), before);
    }

    void narrowBoxKeepsTablesInside() {
        TOmissionPage page(m_history);
        page.resize(400, 500);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(page.redNet()->x(), 0);
    }
};

QTEST_MAIN(TestOmissionPage)
#include "tst_omissionpage.moc"
