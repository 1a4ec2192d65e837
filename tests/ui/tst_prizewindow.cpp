#include "../ModalCatcher.h"
#include "engine/history/Parser.h"
#include "engine/io/GbText.h"
#include "support/TestSupport.h"
#include "ui/prize/PrizeTableModel.h"
#include "ui/prize/PrizeWindow.h"
#include "ui/shrink/ShrinkPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

TCodeArr sample() {
    QFile f(QStringLiteral(KELVORA_SAMPLE));
    if (!f.open(QIODevice::ReadOnly)) qFatal("no sample history");
    return ParseHistory(f.readAll()).history;
}

QString cell(const QTableView* table, int row, int column) {
    return table->model()->index(row, column).data().toString();
}

} // namespace

class TestPrizeWindow : public QObject {
    Q_OBJECT

  private slots:
    // From the shrink result's 结果兑奖 with an issue code, through the check, sorting, a refused
    // edit, the history check and the CSV export, all by the window's own widgets.
    void checksTheShrinkResult() {
        const TCodeArr history = sample(); // newest: 2026096 01 04 16 22 26 31 + 04
        TShrinkPanel panel(history);
        panel.show();
        panel.RcmMemo->setPlainText(QStringLiteral("缩水结果总共4注\n\n03 08 12 19 25 33\n01 04 16 22 26 33\n"
                                                   "01 04 16 22 26 31\n01 02 03 05 06 07"));
        panel.setInputBox([](QWidget*, const QString&) { return QStringLiteral("2026096"); });
        QTest::mouseClick(panel.RcmPanelCheckBt, Qt::LeftButton);

        auto* w = panel.findChild<TPrizeWindow*>(QStringLiteral("PrizeWindow"));
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->PrizeDrawCbx->count(), int(history.size()));
        QVERIFY(w->PrizeDrawCbx->itemText(0).startsWith(QStringLiteral("2026096  01 04 16 22 26 31+04")));
        QTableView* table = w->PrizeTable;
        QCOMPARE(table->model()->rowCount(), 4);
        QCOMPARE(cell(table, 0, 0), QStringLiteral("3")); // input line numbers
        QCOMPARE(cell(table, 2, 5), QStringLiteral("二等奖"));
        QCOMPARE(cell(table, 1, 5), QStringLiteral("四等奖"));
        QCOMPARE(cell(table, 0, 5), QStringLiteral("未中奖"));
        QVERIFY(table->model()->index(2, 0).data(Qt::BackgroundRole).isValid());
        QVERIFY(!table->model()->index(0, 0).data(Qt::BackgroundRole).isValid());
        QVERIFY(w->PrizeSummaryLbl->text().contains(QStringLiteral("共4行，4注，投入8元")));

        // The prize column sorted, largest first: the 四等奖 row (200元) leads; 二等奖 floats and counts 0.
        QHeaderView* header = table->horizontalHeader();
        const int prizeX = header->sectionViewportPosition(6) + header->sectionSize(6) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(prizeX, header->height() / 2));
        if (header->sortIndicatorOrder() == Qt::AscendingOrder)
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(prizeX, header->height() / 2));
        QCOMPARE(cell(table, 0, 6), QStringLiteral("200"));

        // A bad line refuses the command with its number; the table keeps the result.
        {
            ModalCatcher catcher;
            w->PrizeTicketMemo->appendPlainText(QStringLiteral("01 02 03"));
            QTest::mouseClick(w->PrizeCheckBt, Qt::LeftButton);
            QCOMPARE(catcher.texts, QStringList{QStringLiteral("第7行不是有效的投注号码")});
        }
        QCOMPARE(table->model()->rowCount(), 4);
        QCOMPARE(cell(table, 0, 6), QStringLiteral("200"));

        // Against every draw: the newest draw's six reds were drawn in 2026096.
        QTextCursor c = w->PrizeTicketMemo->textCursor();
        c.movePosition(QTextCursor::End);
        c.select(QTextCursor::LineUnderCursor);
        c.removeSelectedText();
        QTest::mouseClick(w->PrizeHistoryBt, Qt::LeftButton);
        QCOMPARE(table->model()->columnCount(), 14);
        QCOMPARE(cell(table, 2, 1), QStringLiteral("01 04 16 22 26 31"));
        QVERIFY(cell(table, 2, 5).contains(QStringLiteral("2026096")));
        QCOMPARE(cell(table, 0, 5), QStringLiteral("从未开出"));

        // The export is the table as CSV, in the program's code page with CR LF.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("prize.csv"));
        {
            ModalCatcher catcher;
            catcher.fileToChoose = path;
            QTest::mouseClick(w->PrizeExportCsvBt, Qt::LeftButton);
            QCOMPARE(catcher.texts, QStringList());
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.contains("\r\n"));
        const QStringList lines = FromGb(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QVERIFY(
            lines.first().startsWith(QStringLiteral("行号,投注号码,注数,最高奖级,首次期号,六个红球曾开出")));
        QVERIFY(lines.at(3).startsWith(QStringLiteral("5,01 04 16 22 26 31,1,二等奖,")));
    }

    // Opened from the menu, the window stands centred on the main window (not in the screen's
    // corner over the menu), and Esc closes it.
    void opensCentredAndEscCloses() {
        const TCodeArr history = sample();
        QWidget owner;
        const QRect room = owner.screen()->availableGeometry();
        QRect frame(QPoint(), room.size() * 3 / 4);
        frame.moveCenter(room.center() + QPoint(16, 16)); // off the screen's centre, with room around
        owner.setGeometry(frame);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        TPrizeWindow* w = OpenPrizeCheck(&owner, history);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QVERIFY(room.contains(w->frameGeometry()));
        QVERIFY2((w->frameGeometry().center() - owner.frameGeometry().center()).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(w->frameGeometry().x()).arg(w->frameGeometry().y())));
        QTest::keyClick(w->windowHandle(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(OpenPrizeCheck(&owner, history), w);
        QVERIFY(w->isVisible());
    }

    // The super lotto in the same window: its draws, words and rule version; a 胆拖 line with a back
    // banker, 追加 as a box; the ticket lines of each game kept apart when the game changes.
    void checksTheSuperLotto() {
        const TCodeArr& history = DltSampleHistory(); // newest: 2026094 05 14 15 17 33 + 01 07
        QWidget owner;
        owner.show();
        const QString tickets = QStringLiteral("05 14 15 17 33+01 07\n05 14 15 17 02+01 03\n"
                                               "01 02#05 14 15 17+01#03 07");
        TPrizeWindow* w = OpenPrizeCheck(&owner, history, tickets, QStringLiteral("2026094"), Game::dlt());
        QCOMPARE(w->PrizeDrawCbx->count(), int(history.size()));
        QVERIFY(w->PrizeDrawCbx->itemText(0).startsWith(QStringLiteral("2026094  05 14 15 17 33+01 07")));
        QVERIFY(!w->PrizeExtraCb->isHidden());
        QCOMPARE(w->PrizeBlueLbl->text(), QStringLiteral("无后区的号码配后区："));
        QTableView* table = w->PrizeTable;
        QCOMPARE(table->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("前区命中"));
        QCOMPARE(table->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("后区命中"));
        QCOMPARE(table->model()->rowCount(), 3);
        QCOMPARE(cell(table, 0, 5), QStringLiteral("一等奖"));
        QCOMPARE(cell(table, 1, 4), QStringLiteral("1"));
        QCOMPARE(cell(table, 1, 6), QStringLiteral("300"));
        // Bankers 01 02 miss, three of the four drags: 4 x (01+03 | 01+07) bets, 3+1 and 3+2.
        QCOMPARE(cell(table, 2, 2), QStringLiteral("8"));
        QCOMPARE(cell(table, 2, 6), QStringLiteral("660"));
        QStringList summary = w->PrizeSummaryLbl->text().split(QLatin1Char('\n'));
        QCOMPARE(summary.at(1), QStringLiteral("按第5版奖级（2026014期起）"));
        QVERIFY(summary.at(2).startsWith(QStringLiteral("按第5版普通奖金计算")));
        QCOMPARE(summary.at(3), QStringLiteral("共3行，10注，投入20元"));

        w->PrizeExtraCb->setChecked(true);
        QTest::mouseClick(w->PrizeCheckBt, Qt::LeftButton);
        summary = w->PrizeSummaryLbl->text().split(QLatin1Char('\n'));
        QCOMPARE(summary.at(1), QStringLiteral("按第5版奖级（2026014期起），追加投注"));
        QCOMPARE(summary.at(3), QStringLiteral("共3行，10注，投入30元"));

        // An older draw is priced by its own version.
        w->setDraw(QStringLiteral("2019018"));
        QTest::mouseClick(w->PrizeCheckBt, Qt::LeftButton);
        QVERIFY(w->PrizeSummaryLbl->text().contains(
            QStringLiteral("按第3版奖级（2014052-2019018期），追加投注")));

        QTest::mouseClick(w->PrizeHistoryBt, Qt::LeftButton);
        QCOMPARE(table->model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("5个前区曾开出"));
        QCOMPARE(table->model()->headerData(14, Qt::Horizontal).toString(), QStringLiteral("九等奖"));
        QCOMPARE(table->model()->headerData(15, Qt::Horizontal).toString(), QStringLiteral("固定奖金"));
        QVERIFY(cell(table, 0, 5).contains(QStringLiteral("2026094")));

        // The two-colour ball has its own lines, draws and words, and gets the super lotto's back.
        w->setGame(Game::ssq());
        QVERIFY(w->PrizeTicketMemo->toPlainText().isEmpty());
        QVERIFY(w->PrizeExtraCb->isHidden());
        QCOMPARE(table->model()->rowCount(), 0);
        QCOMPARE(table->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("红球命中"));
        w->setGame(Game::dlt());
        QCOMPARE(w->PrizeTicketMemo->toPlainText(), tickets);
    }
};

QTEST_MAIN(TestPrizeWindow)
#include "tst_prizewindow.moc"
