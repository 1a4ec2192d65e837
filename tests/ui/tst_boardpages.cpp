#include "support/ModalCatcher.h"
#include "support/TestSupport.h"
#include "ui/charts/EmptyRowColPage.h"
#include "ui/charts/GannPage.h"
#include "ui/controls/B0NetView.h"

#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
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
        QVERIFY(page->boards().empty());

        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        QCOMPARE(page->boards().size(), size_t(30));
        const TDrawRec& latest = m_history.back();
        QCOMPARE(page->boards()[0].FTitle,
                 QStringLiteral("%1%2期").arg(latest.Year).arg(latest.Issue, 3, 10, QLatin1Char('0')));
        QCOMPARE(page->boards()[4].bounds().topLeft(), QPoint(10, 200));
        // The last board can be scrolled to: the content reaches it, and the bar's range too.
        TB0NetView* view = page->scrollBox();
        QCOMPARE(view->contentSize().height(), page->boards()[29].bounds().bottom() + 1);
        QCOMPARE(view->verticalScrollBar()->maximum(),
                 view->contentSize().height() - view->viewport()->height());
        QVERIFY(view->verticalScrollBar()->isVisible());
        // No widget per board.
        QVERIFY(view->viewport()->findChildren<QWidget*>().isEmpty());

        // A refill replaces every old board and shows the newest one at the top.
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
        page->periodsEdit()->setValue(5);
        QTest::mouseClick(page->goButton(), Qt::LeftButton);
        QCOMPARE(page->boards().size(), size_t(5));
        QCOMPARE(view->scrollOffset(), QPoint(0, 0));

        // A refused N leaves the page empty; N = 0 too.
        page->periodsEdit()->setValue(-2);
        {
            ModalCatcher catcher;
            QTest::mouseClick(page->goButton(), Qt::LeftButton);
            QCOMPARE(catcher.texts, QStringList{QStringLiteral("设置的查询期数超过总期数!!")});
        }
        QVERIFY(page->boards().empty());
        page->periodsEdit()->setValue(0);
        QTest::mouseClick(page->goButton(), Qt::LeftButton);
        QVERIFY(page->boards().empty());
        QVERIFY(!view->verticalScrollBar()->isVisible());
    }

    void boardPaintsItsColours() {
        auto page = makePage(false);
        page->periodsEdit()->setValue(1);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        const B0NetModel& m = page->boards().front();
        const QImage img = page->scrollBox()->viewport()->grab().toImage();
        const int red = m_history.back().Ticket.Red[0];
        const TNetRect cell = m.RectOfCell((red - 1) % 6, (red - 1) / 6);
        const QPoint corner = m.bounds().topLeft() + QPoint(cell.Left + 1, cell.Top + 1);
        // 0x0000FF is pure red on screen; sample the cell's corner, away from its text.
        QCOMPARE(img.pixelColor(corner), QColor(255, 0, 0));
        // Hovering there names the draw, the number and the hit.
        QCOMPARE(page->scrollBox()->toolTipAt(corner), m.FTitle + QStringLiteral("  %1：红球开出").arg(red));
    }
};

QTEST_MAIN(TestBoardPages)
#include "tst_boardpages.moc"
