#include "support/ModalCatcher.h"
#include "support/TestSupport.h"
#include "ui/controls/MultiChk.h"
#include "ui/shrink/ShrinkPanel.h"
#include "ui/shrink/WheelSheet.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <bit>

namespace {

void pick(TShrinkPanel& panel, const QString& caption) {
    for (QAction* a : panel.RcmSheet1PickBt->menu()->actions())
        if (a->text() == caption) return a->trigger();
    QFAIL(qPrintable(caption));
}

QStringList memoLines(const QPlainTextEdit* memo) {
    return memo->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestWheelSheet : public QObject {
    Q_OBJECT
  private slots:
    void candidatesToTickets() {
        const TCodeArr history;
        TShrinkPanel panel(history);
        panel.resize(776, 547);
        panel.show();
        TWheelSheet* sheet = panel.RcmWheelSheet;
        QTemporaryDir dir;
        const QString exported = dir.filePath(QStringLiteral("wheel.txt"));
        sheet->setSaveFileChooser([&](QWidget*) { return exported; });

        pick(panel, QStringLiteral("偶"));
        QCOMPARE(panel.RcmSheet1CodeChk->CheckedCount(), 16);
        pick(panel, QStringLiteral("反选"));
        QCOMPARE(panel.RcmSheet1CodeChk->CheckedCount(), 17);
        pick(panel, QStringLiteral("一区"));
        QCOMPARE(panel.RcmSheet1CodeChk->CheckedCount(), 11);

        panel.RcmPctl->setCurrentWidget(panel.RcmSheet4);
        panel.RcmResultTabs->setCurrentWidget(sheet);
        QTest::mouseClick(sheet->FromMatrixBt, Qt::LeftButton);
        QCOMPARE(sheet->NumbersEd->text(), QStringLiteral("01,02,03,04,05,06,07,08,09,10,11"));
        sheet->GuaranteeCbb->setCurrentIndex(sheet->GuaranteeCbb->findText(QStringLiteral("中6保5")));
        QTest::keyClicks(sheet->BluesEd, QStringLiteral("07,12"));
        QVERIFY2(sheet->EstimateLbl->text().contains(QStringLiteral("将生成22注")),
                 qPrintable(sheet->EstimateLbl->text()));
        QVERIFY(sheet->EstimateLbl->text().contains(QStringLiteral("共44注，88元")));

        QSignalSpy ended(sheet, &TWheelSheet::searchEnded);
        QTest::mouseClick(sheet->BuildBt, Qt::LeftButton);
        QVERIFY(ended.wait(120000));
        const QStringList lines = memoLines(sheet->TicketMemo);
        QCOMPARE(lines.size(), 22);
        QCOMPARE(lines.first().right(6), QStringLiteral("+07 12"));
        QVERIFY(sheet->ResultLbl->text().contains(QStringLiteral("共22注（中6保5，11个号码）")));
        QVERIFY(sheet->ResultLbl->text().contains(QStringLiteral("已验证：全部462种开奖组合均满足")));
        QTest::mouseClick(sheet->ExportBt, Qt::LeftButton);
        QFile f(exported);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count("\r\n"), 22);

        // 缩水后旋转 over the memo of the shrink result: every six of 8 numbers.
        QString result = QStringLiteral("缩水结果总共28注\n\n");
        for (uint32_t m = 0; m < (1u << 8); ++m) {
            if (std::popcount(m) != 6) continue;
            QStringList t;
            for (int i = 0; i < 8; ++i)
                if (m >> i & 1u) t << QStringLiteral("%1").arg(i + 20);
            result += t.join(QLatin1Char(' ')) + QLatin1Char('\n');
        }
        panel.RcmMemo->setPlainText(result);
        sheet->BluesEd->clear();
        QTest::mouseClick(sheet->FromResultBt, Qt::LeftButton);
        QVERIFY(ended.wait(120000));
        QCOMPARE(memoLines(sheet->TicketMemo).size(), 4);
        QVERIFY(sheet->ResultLbl->text().contains(QStringLiteral("已验证：全部28注均满足")));

        // A pasted table that fails its guarantee, then bad numbers: a message, nothing built.
        sheet->TicketMemo->setPlainText(QStringLiteral("01 02 03 04 05 06\n01 02 03 04 05 07\n"));
        sheet->NumbersEd->setText(QStringLiteral("1,2,3,4,5,6,7,8"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const int wheelHeight = sheet->TicketMemo->height();
        QVERIFY(!sheet->CheckReportMemo->isVisible());
        QTest::mouseClick(sheet->CheckBt, Qt::LeftButton);
        QVERIFY(sheet->ResultLbl->text().contains(QStringLiteral("有10种开奖组合不满足中6保5")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        // The report with its ten missed combinations stands beside the wheel, which keeps its height.
        QVERIFY(sheet->CheckReportMemo->isVisible());
        QCOMPARE(memoLines(sheet->CheckReportMemo).size(), 12);
        QVERIFY(sheet->CheckReportMemo->x() >= sheet->TicketMemo->x() + sheet->TicketMemo->width());
        QCOMPARE(sheet->TicketMemo->height(), wheelHeight);
        sheet->NumbersEd->setText(QStringLiteral("1,2,3,4,5,6,40"));
        ModalCatcher catcher;
        QTest::mouseClick(sheet->BuildBt, Qt::LeftButton);
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("号码\"40\"无效：应为01-33之间的号码")});
        QVERIFY(!sheet->busy());
        QCOMPARE(memoLines(sheet->TicketMemo).size(), 2);
    }

    // 取消 during 缩水后旋转 of a long result: no message box; either the best verified cover so far or
    // the cancel note, and the tickets shown before stay.
    void cancelOfALongCover() {
        const TCodeArr history;
        TShrinkPanel panel(history);
        panel.show();
        TWheelSheet* sheet = panel.RcmWheelSheet;
        QString result;
        for (uint32_t m = 0; m < (1u << 18); ++m) {
            if (std::popcount(m) != 6) continue;
            QStringList t;
            for (int i = 0; i < 18; ++i)
                if (m >> i & 1u) t << QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
            result += t.join(QLatin1Char(' ')) + QLatin1Char('\n');
        }
        panel.RcmMemo->setPlainText(result);
        sheet->TicketMemo->setPlainText(QStringLiteral("01 02 03 04 05 06"));
        sheet->GuaranteeCbb->setCurrentIndex(sheet->GuaranteeCbb->findText(QStringLiteral("中6保5")));
        ModalCatcher catcher;
        QSignalSpy ended(sheet, &TWheelSheet::searchEnded);
        QTest::mouseClick(sheet->FromResultBt, Qt::LeftButton);
        QVERIFY(sheet->busy());
        QTest::mouseClick(sheet->CancelBt, Qt::LeftButton);
        QVERIFY(ended.wait(120000));
        QCOMPARE(catcher.texts, QStringList());
        const QString shown = sheet->ResultLbl->text();
        if (shown.startsWith(QStringLiteral("搜索已取消"))) {
            QVERIFY2(shown.contains(QStringLiteral("已验证：全部18564注均满足")), qPrintable(shown));
            QVERIFY(memoLines(sheet->TicketMemo).size() > 1);
        } else {
            QCOMPARE(shown, QStringLiteral("已取消，没有生成投注号码"));
            QCOMPARE(memoLines(sheet->TicketMemo), QStringList{QStringLiteral("01 02 03 04 05 06")});
        }
        QVERIFY(sheet->BuildBt->isEnabled());
    }

    void superLottoTickets() {
        TCodeArr history = DltSampleHistory();
        TShrinkPanel panel(history);
        panel.setGame(Game::dlt());
        panel.resize(776, 547);
        panel.show();
        TWheelSheet* sheet = panel.RcmWheelSheet;
        pick(panel, QStringLiteral("二区"));
        QTest::mouseClick(sheet->FromMatrixBt, Qt::LeftButton);
        QCOMPARE(sheet->NumbersEd->text(), QStringLiteral("13,14,15,16,17,18,19,20,21,22,23,24"));
        // Five numbers a ticket: the guarantees end at 中5, and four bankers leave no room for one.
        QCOMPARE(sheet->GuaranteeCbb->itemText(0), QStringLiteral("中5保5"));
        QTest::keyClicks(sheet->BankersEd, QStringLiteral("1,2,3,4"));
        QCOMPARE(sheet->GuaranteeCbb->count(), 0);
        sheet->BankersEd->clear();

        sheet->NumbersEd->setText(QStringLiteral("01,02,03,04,05,35"));
        sheet->GuaranteeCbb->setCurrentIndex(sheet->GuaranteeCbb->findText(QStringLiteral("中5保5")));
        QTest::keyClicks(sheet->BluesEd, QStringLiteral("01,12,13"));
        QVERIFY2(!sheet->EstimateLbl->text().contains(QStringLiteral("共")),
                 qPrintable(sheet->EstimateLbl->text()));
        sheet->BluesEd->setText(QStringLiteral("01,06,12"));
        QSignalSpy ended(sheet, &TWheelSheet::searchEnded);
        QTest::mouseClick(sheet->BuildBt, Qt::LeftButton);
        QVERIFY(ended.wait(120000));
        const QStringList lines = memoLines(sheet->TicketMemo);
        QCOMPARE(lines.size(), 6);
        for (const QString& line : lines)
            QVERIFY2(line.endsWith(QStringLiteral("+01 06 12")) && line.size() == 14 + 9, qPrintable(line));
        // Each ticket with every pair of three backs: 6 x 3 bets.
        QVERIFY2(sheet->ResultLbl->text().contains(QStringLiteral("投注18注，36元")),
                 qPrintable(sheet->ResultLbl->text()));

        // The two-colour ball keeps its own numbers; the super lotto's come back.
        panel.setGame(Game::ssq());
        QCOMPARE(sheet->NumbersEd->text(), QString());
        QCOMPARE(sheet->GuaranteeCbb->itemText(0), QStringLiteral("中6保6"));
        panel.setGame(Game::dlt());
        QCOMPARE(sheet->NumbersEd->text(), QStringLiteral("01,02,03,04,05,35"));
        QCOMPARE(memoLines(sheet->TicketMemo), lines);
    }

    // 七乐彩: seven numbers a ticket and no backs to add; 缩水后旋转 of seven-number tickets.
    void sevenNumberTickets() {
        QString result;
        TWheelSheet sheet([] { return std::vector<int>{3, 6, 9, 12, 15, 18, 21, 24, 27, 30}; },
                          [&result] { return result; });
        sheet.setGame(Game::qlc());
        sheet.resize(776, 547);
        sheet.show();
        QVERIFY(!sheet.BluesEd->isVisible());
        QVERIFY(!sheet.ExportResultBt->isVisible());
        QCOMPARE(sheet.GuaranteeCbb->itemText(0), QStringLiteral("中7保7"));
        QTest::mouseClick(sheet.FromMatrixBt, Qt::LeftButton);
        QCOMPARE(sheet.NumbersEd->text(), QStringLiteral("03,06,09,12,15,18,21,24,27,30"));
        sheet.GuaranteeCbb->setCurrentIndex(sheet.GuaranteeCbb->findText(QStringLiteral("中7保6")));
        // The table's wheel of seven-number tickets.
        QCOMPARE(sheet.EstimateLbl->text(), QStringLiteral("将生成8注（中7保6，10个号码），共8注，16元"));
        QSignalSpy ended(&sheet, &TWheelSheet::searchEnded);
        QTest::mouseClick(sheet.BuildBt, Qt::LeftButton);
        QVERIFY(ended.wait(120000));
        const QStringList lines = memoLines(sheet.TicketMemo);
        QCOMPARE(lines.size(), 8);
        for (const QString& line : lines)
            QVERIFY2(line.size() == 20 && !line.contains(QLatin1Char('+')), qPrintable(line));
        QVERIFY2(sheet.ResultLbl->text().contains(QStringLiteral("共8注（中7保6，10个号码）")),
                 qPrintable(sheet.ResultLbl->text()));
        QVERIFY(sheet.ResultLbl->text().contains(QStringLiteral("已验证：全部120种开奖组合均满足")));
        QVERIFY(sheet.ResultLbl->text().contains(QStringLiteral("投注8注，16元")));

        // Every seven of 9 numbers, each met in six by one of the chosen.
        result = QStringLiteral("缩水结果总共36注\n\n");
        for (uint32_t m = 0; m < (1u << 9); ++m) {
            if (std::popcount(m) != 7) continue;
            QStringList t;
            for (int i = 0; i < 9; ++i)
                if (m >> i & 1u) t << QStringLiteral("%1").arg(i + 21);
            result += t.join(QLatin1Char(' ')) + QLatin1Char('\n');
        }
        QTest::mouseClick(sheet.FromResultBt, Qt::LeftButton);
        QVERIFY(ended.wait(120000));
        QVERIFY2(sheet.ResultLbl->text().contains(QStringLiteral("已验证：全部36注均满足")),
                 qPrintable(sheet.ResultLbl->text()));
        const QStringList chosen = memoLines(sheet.TicketMemo);
        QVERIFY(!chosen.isEmpty() && chosen.size() < 36);
        for (const QString& line : chosen)
            QCOMPARE(line.size(), 20);

        // A six-number line is no ticket of the game: a message, the tickets shown stay.
        result = QStringLiteral("01 02 03 04 05 06\n");
        ModalCatcher catcher;
        QTest::mouseClick(sheet.FromResultBt, Qt::LeftButton);
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY(!sheet.busy());
        QCOMPARE(memoLines(sheet.TicketMemo), chosen);
    }
};

QTEST_MAIN(TestWheelSheet)
#include "tst_wheelsheet.moc"
