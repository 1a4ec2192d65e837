#include "../ModalCatcher.h"
#include "ChartUiHistory.h"
#include "charts/EmptyRowColPage.h"
#include "charts/GannPage.h"
#include "controls/B0Net.h"

#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTest>
#include <memory>

class TestBoardPages : public QObject {
    Q_OBJECT

  private:
    TCodeArr m_history = SampleHistory();

    std::unique_ptr<TBoardPage> makePage(bool gann) {
        std::unique_ptr<TBoardPage> page;
        if (gann)
            page = std::make_unique<TGannPage>(m_history);
        else
            page = std::make_unique<TEmptyRowColPage>(m_history);
        page->resize(900, 600);
        return page;
    }

  private slots:
    void pages_data() {
        QTest::addColumn<bool>("gann");
        QTest::addColumn<QString>("sheet");
        QTest::newRow("empty rows and columns") << false << "ExTabSheet6";
        QTest::newRow("gann") << true << "ExTabSheet12";
    }

    void pages() {
        QFETCH(bool, gann);
        QFETCH(QString, sheet);
        auto page = makePage(gann);
        QCOMPARE(page->objectName(), sheet);
        QCOMPARE(page->scrollBox()->objectName(), sheet + "ScrollBox");
        QVERIFY(page->nets().isEmpty());

        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        QCOMPARE(page->nets().size(), 30);
        const TDrawRec& latest = m_history.back();
        QCOMPARE(page->nets()[0]->model().FTitle,
                 QStringLiteral("%1%2期").arg(latest.Year).arg(latest.Issue, 3, 10, QLatin1Char('0')));
        QCOMPARE(page->nets()[0]->parentWidget(), page->scrollBox()->widget());
        QCOMPARE(page->nets()[4]->pos(), QPoint(10, 200));
        QVERIFY(page->nets()[29]->isVisible());

        // A refill frees every old board.
        QPointer<TB0Net> old = page->nets()[0];
        page->periodsEdit()->setValue(5);
        QTest::mouseClick(page->goButton(), Qt::LeftButton);
        QVERIFY(old.isNull());
        QCOMPARE(page->nets().size(), 5);
        QCOMPARE(page->scrollBox()->widget()->findChildren<TB0Net*>().size(), 5);

        // A refused N leaves the page empty; N = 0 too.
        old = page->nets()[0];
        page->periodsEdit()->setValue(-2);
        {
            ModalCatcher catcher;
            QTest::mouseClick(page->goButton(), Qt::LeftButton);
            QCOMPARE(catcher.texts, QStringList{QStringLiteral("设置的查询期数超过总期数!!")});
        }
        QVERIFY(old.isNull());
        QVERIFY(page->nets().isEmpty());
        page->periodsEdit()->setValue(0);
        QTest::mouseClick(page->goButton(), Qt::LeftButton);
        QVERIFY(page->nets().isEmpty());
        QVERIFY(page->scrollBox()->widget()->findChildren<TB0Net*>().isEmpty());
    }

    void boardPaintsItsColours() {
        auto page = makePage(false);
        page->periodsEdit()->setValue(1);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        TB0Net* board = page->nets().front();
        const B0NetModel& m = board->model();
        QImage img(board->size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        board->render(p);
        p.end();
        const int red = m_history.back().Ticket.Red[0];
        const TNetRect cell = m.RectOfCell((red - 1) % 6, (red - 1) / 6);
        // 0x0000FF is pure red on screen; sample the cell's corner, away from its text.
        QCOMPARE(img.pixelColor(cell.Left + 1, cell.Top + 1), QColor(255, 0, 0));
    }
};

QTEST_MAIN(TestBoardPages)
#include "tst_boardpages.moc"
