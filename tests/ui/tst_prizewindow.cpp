#include "engine/history/Parser.h"
#include "engine/io/GbText.h"
#include "engine/prize/DrawFigures.h"
#include "support/ModalCatcher.h"
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
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

QString cell(const QTableView* table, int row, int column) {
    return table->model()->index(row, column).data().toString();
}

// The file 导出CSV writes, through the window's button and file dialog; empty when it failed.
QByteArray exportedCsv(TPrizeWindow* w) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("prize.csv"));
    ModalCatcher catcher;
    catcher.fileToChoose = path;
    QTest::mouseClick(w->PrizeExportCsvBt, Qt::LeftButton);
    if (!catcher.texts.isEmpty()) return QByteArray();
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The fields of one CSV line: commas split, a quoted field may hold commas and doubled quotes.
QStringList csvFields(const QString& line) {
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
            fields.last() += c;
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u',' && !quoted) {
            fields << QString();
        } else {
            fields.last() += c;
        }
    }
    return fields;
}

int64_t choose(int n, int k) {
    int64_t r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * (n - k + i) / i;
    return r;
}

} // namespace

class TestPrizeWindow : public QObject {
    Q_OBJECT

  private slots:
    // From the shrink result's 结果兑奖 with an issue code, through the check, sorting, a refused
    // edit, the history check and the CSV export, all by the window's own widgets.
    void checksTheShrinkResult() {
        const TCodeArr history = SampleHistory(); // newest: 2026096 01 04 16 22 26 31 + 04
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
        // 二等奖 floats: its amount is not known, and not 0.
        QCOMPARE(cell(table, 2, 6), QStringLiteral("浮动"));
        QCOMPARE(cell(table, 1, 6), QStringLiteral("200"));

        // The prize column sorted, largest first: the floating 二等奖 leads, then 四等奖 (200元).
        QHeaderView* header = table->horizontalHeader();
        const int prizeX = header->sectionViewportPosition(6) + header->sectionSize(6) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(prizeX, header->height() / 2));
        if (header->sortIndicatorOrder() == Qt::AscendingOrder)
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(prizeX, header->height() / 2));
        QCOMPARE(cell(table, 0, 6), QStringLiteral("浮动"));
        QCOMPARE(cell(table, 1, 6), QStringLiteral("200"));

        // A bad line refuses the command with its number; the table keeps the result.
        {
            ModalCatcher catcher;
            w->PrizeTicketMemo->appendPlainText(QStringLiteral("01 02 03"));
            QTest::mouseClick(w->PrizeCheckBt, Qt::LeftButton);
            QCOMPARE(catcher.texts, QStringList{QStringLiteral("第7行不是有效的投注号码：红球号码3个，应为6-20个")});
        }
        QCOMPARE(table->model()->rowCount(), 4);
        QCOMPARE(cell(table, 0, 6), QStringLiteral("浮动"));

        // Against every draw: the newest draw's six reds were drawn in 2026096.
        QTextCursor c = w->PrizeTicketMemo->textCursor();
        c.movePosition(QTextCursor::End);
        c.select(QTextCursor::LineUnderCursor);
        c.removeSelectedText();
        QTest::mouseClick(w->PrizeHistoryBt, Qt::LeftButton);
        // Six tiers and the 福运奖 of part of 2026.
        QCOMPARE(table->model()->columnCount(), 15);
        QCOMPARE(cell(table, 2, 1), QStringLiteral("01 04 16 22 26 31"));
        QVERIFY(cell(table, 2, 5).contains(QStringLiteral("2026096")));
        QCOMPARE(cell(table, 0, 5), QStringLiteral("从未开出"));

        // The export is the table as CSV, in the program's code page with CR LF.
        const QByteArray bytes = exportedCsv(w);
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
        const TCodeArr history = SampleHistory();
        QWidget owner;
        const QRect room = owner.screen()->availableGeometry();
        QRect frame(QPoint(), room.size() * 3 / 4);
        frame.moveCenter(room.center() + QPoint(16, 16)); // off the screen's centre, with room around
        owner.setGeometry(frame);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        TPrizeWindow* w = OpenPrizeCheck(&owner, history, QString(), QString(), Game::ssq());
        QVERIFY(QTest::qWaitForWindowActive(w));
        QVERIFY(room.contains(w->frameGeometry()));
        QVERIFY2((w->frameGeometry().center() - owner.frameGeometry().center()).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(w->frameGeometry().x()).arg(w->frameGeometry().y())));
        QTest::keyClick(w->windowHandle(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(OpenPrizeCheck(&owner, history, QString(), QString(), Game::ssq()), w);
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
        QCOMPARE(cell(table, 0, 6), QStringLiteral("浮动"));
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

        // With the game's figures: the table the carried-in pool chose, and the prizes as paid.
        const FiguresLoad figures = LoadFigures(FiguresFixturePathOf(Game::dlt()), Game::dlt(), &history);
        QCOMPARE(figures.status, FiguresLoad::Ok);
        w->setFigures(&figures.table);
        w->PrizeExtraCb->setChecked(false);
        w->setDraw(QStringLiteral("2026066"));
        QTest::mouseClick(w->PrizeCheckBt, Qt::LeftButton);
        QVERIFY(w->PrizeSummaryLbl->text().contains(QStringLiteral("开奖前奖池达到8亿元，按第5版的高奖金计算")));
        QVERIFY(w->PrizeSummaryLbl->text().endsWith(QStringLiteral("按本期实付奖金合计：0元")));
        w->setFigures(nullptr);
        w->PrizeExtraCb->setChecked(true);

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

    // Opening and closing the window leaves the main window's bars as they were: no widget of the
    // main window is turned native by it (on X11 the native bars then stop repainting), and what a
    // bar shows after the close is what the screen shows.
    void mainWindowRepaintsAfterClose() {
        QMainWindow main;
        main.menuBar()->addMenu(QStringLiteral("查询统计(&C)"));
        main.addToolBar(QStringLiteral("工具"))->addAction(QStringLiteral("双色球"));
        main.statusBar()->showMessage(QStringLiteral("共3期，最新2026003期"));
        main.setCentralWidget(new QLabel(QStringLiteral("双色球"), &main));
        main.resize(776, 547);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const TCodeArr history = ParseHistoryText(QStringLiteral("2026001 01 02 03 04 05 06 07\n"
                                                                 "2026002 03 08 12 19 25 33 09\n"
                                                                 "2026003 01 04 16 22 26 31 04"),
                                                  Game::ssq())
                                     .history;
        TPrizeWindow* w = OpenPrizeCheck(&main, history, QString(), QString(), Game::ssq());
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTest::keyClick(w->windowHandle(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        for (QWidget* child : main.findChildren<QWidget*>())
            if (!child->isWindow())
                QVERIFY2(!child->testAttribute(Qt::WA_NativeWindow) && !child->internalWinId(),
                         qPrintable(child->metaObject()->className()));

        main.statusBar()->showMessage(QStringLiteral("共2912期，最新2026094期"));
        main.menuBar()->addMenu(QStringLiteral("帮助(&H)"));
        QCoreApplication::processEvents();
        for (QWidget* bar : std::initializer_list<QWidget*>{main.statusBar(), main.menuBar()}) {
            const QRect area(bar->mapTo(&main, QPoint(0, 0)), bar->size());
            QImage shown;
            QTRY_VERIFY((shown = main.screen()
                                     ->grabWindow(main.winId())
                                     .toImage()
                                     .copy(area)
                                     .convertToFormat(QImage::Format_RGB32)) ==
                        bar->grab().toImage().convertToFormat(QImage::Format_RGB32));
        }
    }

    // The CSV of either check in either game: the header is the table's, in the game's words, every
    // row has its field count, and 注数 is the bet count of the game's rules.
    void csvFollowsTheHeader_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<bool>("history");
        QTest::addColumn<QString>("draws");
        QTest::addColumn<QString>("compound"); // its fronts and backs counted below
        QTest::addColumn<int>("fronts");
        QTest::addColumn<int>("backs");
        const QString ssq = QStringLiteral("2026001 01 02 03 04 05 06 07\n2026002 01 04 16 22 26 31 04");
        const QString dlt = QStringLiteral("2026001 01 02 03 04 05 06 07\n2026002 05 14 15 17 33 01 07");
        QTest::newRow("ssq draw") << "ssq" << false << ssq << "01 04 16 22 26 31 33+04 09" << 7 << 2;
        QTest::newRow("ssq history") << "ssq" << true << ssq << "01 04 16 22 26 31 33+04 09" << 7 << 2;
        QTest::newRow("dlt draw") << "dlt" << false << dlt << "05 14 15 17 33 35+01 07 09" << 6 << 3;
        QTest::newRow("dlt history") << "dlt" << true << dlt << "05 14 15 17 33 35+01 07 09" << 6 << 3;
        const QString qlc = QStringLiteral("2026001 01 02 03 04 05 06 07 08\n2026002 02 05 11 16 20 25 29 08");
        QTest::newRow("qlc draw") << "qlc" << false << qlc << "02 05 11 16 20 25 29 08" << 8 << 0;
        QTest::newRow("qlc history") << "qlc" << true << qlc << "02 05 11 16 20 25 29 08" << 8 << 0;
    }
    void csvFollowsTheHeader() {
        QFETCH(QString, game);
        QFETCH(bool, history);
        QFETCH(QString, draws);
        QFETCH(QString, compound);
        QFETCH(int, fronts);
        QFETCH(int, backs);
        const Game& g = *Game::find(game);
        const TCodeArr held = ParseHistoryText(draws, g).history;
        QWidget owner;
        const QString tickets = QStringLiteral("01 02 03 04 05 06 07\n") + compound;
        TPrizeWindow* w = OpenPrizeCheck(&owner, held, tickets, QStringLiteral("2026002"), g);
        if (history) QTest::mouseClick(w->PrizeHistoryBt, Qt::LeftButton);
        QCOMPARE(w->PrizeModel->historyMode(), history);
        QCOMPARE(w->PrizeModel->rowCount(), 2);

        const QStringList lines = FromGb(exportedCsv(w)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        const QStringList header = csvFields(lines[0]);
        QStringList tableHeader;
        for (int c = 0; c < w->PrizeModel->columnCount(); ++c)
            tableHeader << w->PrizeModel->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(header, tableHeader);
        for (const QString& line : lines)
            QCOMPARE(csvFields(line).size(), header.size());
        const QString words = header.join(QLatin1Char(' '));
        QVERIFY2(words.contains(g.front()), qPrintable(words));
        // No field for the blues of a game without backs.
        QCOMPARE(w->PrizeBlueEd->isVisibleTo(w), g.backPicks > 0);
        if (!history) QVERIFY2(words.contains(g.side() + QStringLiteral("命中")), qPrintable(words));
        if (&g != &Game::ssq())
            QVERIFY2(!words.contains(QStringLiteral("红球")) && !words.contains(QStringLiteral("蓝球")),
                     qPrintable(words));
        const QStringList row = csvFields(lines[2]);
        QCOMPARE(row[header.indexOf(QStringLiteral("投注号码"))]
                     .split(QLatin1Char('+'))
                     .first()
                     .split(u' ')
                     .size(),
                 fronts);
        const int64_t bets = choose(fronts, g.frontPicks) * choose(backs, g.backPicks);
        QCOMPARE(row[header.indexOf(QStringLiteral("注数"))], QString::number(bets));
    }
};

QTEST_MAIN(TestPrizeWindow)
#include "tst_prizewindow.moc"
