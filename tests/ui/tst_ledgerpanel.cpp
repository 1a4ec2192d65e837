#include "engine/history/HistoryLoader.h"
#include "engine/io/GbText.h"
#include "engine/prize/PrizeCheck.h"
#include "engine/prize/PrizeReport.h"
#include "engine/prize/TicketReader.h"
#include "support/ModalCatcher.h"
#include "support/TestSupport.h"
#include "ui/ledger/LedgerAddDialog.h"
#include "ui/ledger/LedgerCurveView.h"
#include "ui/ledger/LedgerPanel.h"
#include "ui/ledger/LedgerTableModel.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QTableView>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

class TestLedgerPanel : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    TCodeArr m_history;

    QString cell(TLedgerPanel& panel, int row, int column) {
        return panel.LedgerModel->index(row, column).data().toString();
    }

  private slots:
    void initTestCase() {
        HistoryLoad load = LoadHistory(SampleHistoryPath(), Game::ssq());
        QCOMPARE(load.status, HistoryLoad::Ok);
        m_history = std::move(load.history);
    }

    // Add from another window of the program, a refused line, remove with undo, export.
    void addRemoveUndoExport() {
        QWidget window;
        auto* panel = new TLedgerPanel(m_history, &window);
        auto* other = new QWidget(&window);
        panel->setLedgerFile(m_dir.filePath(QStringLiteral("panel.sqlite")));
        QVERIFY(panel->openError().isEmpty());
        window.show();

        const QString tickets = QStringLiteral("01 02 03 04 05 06+07\n03 07 11 15 19 23 27+01 05");
        QVERIFY(AddToLedger(other, tickets));
        auto* dialog = window.findChild<TLedgerAddDialog*>();
        QVERIFY(dialog);
        QCOMPARE(dialog->LedgerTicketMemo->toPlainText(), tickets);
        // The next issue after the newest draw is proposed.
        QCOMPARE(dialog->LedgerIssueEd->text(), QString::number(m_history.back().code() + 1));

        // A line that is no ticket is named and the dialog stays open with what was typed.
        const int drawn = m_history[m_history.size() - 2].code();
        dialog->LedgerIssueEd->setText(QString::number(drawn));
        dialog->LedgerTicketMemo->setPlainText(tickets + QStringLiteral("\n01 02"));
        {
            ModalCatcher catcher;
            dialog->LedgerButtons->button(QDialogButtonBox::Ok)->click();
            QCOMPARE(catcher.texts, QStringList{QStringLiteral("第3行不是有效的投注号码：红球号码2个，应为6-20个")});
        }
        QVERIFY(dialog->isVisible());
        QCOMPARE(panel->LedgerModel->rowCount(), 0);
        dialog->LedgerTicketMemo->setPlainText(tickets);
        dialog->LedgerButtons->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(panel->LedgerModel->rowCount(), 1);

        // Settled at once, as the prize check settles it.
        const TicketList list = ReadTickets(tickets, 0, Game::ssq());
        const PrizeResult expected =
            CheckTickets(list.tickets, DrawOf(m_history[m_history.size() - 2], Game::ssq()), Game::ssq());
        QCOMPARE(cell(*panel, 0, TLedgerTableModel::Result), TierListText(expected.summary.tiers, 15));
        QCOMPARE(cell(*panel, 0, TLedgerTableModel::Prize), QString::number(expected.summary.fixedPrize));
        QCOMPARE(cell(*panel, 0, TLedgerTableModel::Bets), QStringLiteral("15"));
        QCOMPARE(panel->LedgerCurve->curve().size(), size_t(1));

        // A ticket for the next issue waits for its draw.
        dialog = panel->addTickets(QStringLiteral("10 11 12 13 14 15+16"));
        dialog->LedgerButtons->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(panel->LedgerModel->rowCount(), 2);
        QCOMPARE(cell(*panel, 0, TLedgerTableModel::Result), QStringLiteral("未开奖"));
        QVERIFY(panel->LedgerReportMemo->toPlainText().contains(QStringLiteral("未开奖 1 笔")));

        // Removing asks first; 撤销 puts the entry back with its id.
        const QString id = cell(*panel, 1, TLedgerTableModel::Id);
        panel->LedgerTable->selectRow(1);
        {
            ModalCatcher catcher;
            catcher.answers = {QMessageBox::No};
            panel->LedgerRemoveBt->click();
            QCOMPARE(panel->LedgerModel->rowCount(), 2);
            catcher.answers = {QMessageBox::Yes};
            panel->LedgerRemoveBt->click();
            QCOMPARE(catcher.texts.size(), 2);
        }
        QCOMPARE(panel->LedgerModel->rowCount(), 1);
        QVERIFY(panel->LedgerUndoBt->isEnabled());
        panel->LedgerUndoBt->click();
        QCOMPARE(panel->LedgerModel->rowCount(), 2);
        QCOMPARE(cell(*panel, 1, TLedgerTableModel::Id), id);
        QCOMPARE(cell(*panel, 1, TLedgerTableModel::Prize), QString::number(expected.summary.fixedPrize));
        QVERIFY(!panel->LedgerUndoBt->isEnabled());

        const QString csv = m_dir.filePath(QStringLiteral("ledger.csv"));
        panel->setSaveFileChooser([csv](QWidget*) { return csv; });
        panel->LedgerExportBt->click();
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QStringDecoder("GB18030")
                                      .decode(f.readAll())
                                      .
                                      operator QString()
                                      .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith(QStringLiteral("编号,期号,投注号码")));
        QVERIFY(lines[2].contains(QStringLiteral(",01 02 03 04 05 06+07; 03 07 11 15 19 23 27+01 05,")));
    }

    // Each game lists, adds and settles its own entries in the one ledger file; 追加 is offered only
    // by the super lotto and priced in.
    void keepsEachGamesEntries() {
        const TCodeArr& dlt = DltSampleHistory(); // newest: 2026094 05 14 15 17 33 + 01 07
        TCodeArr shown = m_history;
        TLedgerPanel panel(shown);
        panel.setLedgerFile(m_dir.filePath(QStringLiteral("games.sqlite")));
        panel.show();
        TLedgerAddDialog* dialog = panel.addTickets(QStringLiteral("01 02 03 04 05 06+07"));
        QVERIFY(!dialog->LedgerExtraCb->isEnabled());
        dialog->LedgerIssueEd->setText(QString::number(m_history.back().code()));
        dialog->LedgerButtons->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(panel.LedgerModel->rowCount(), 1);

        // The switch: the super lotto's draws come first, then the panel is told its game.
        shown = dlt;
        panel.setGame(Game::dlt());
        QCOMPARE(panel.LedgerModel->rowCount(), 0);
        dialog = panel.addTickets(QStringLiteral("05 14 15 17 02+01 03\n01 02#05 14 15 17+01#03 07"));
        QCOMPARE(dialog->LedgerIssueEd->text(), QStringLiteral("2026095"));
        QVERIFY(dialog->LedgerExtraCb->isEnabled());
        dialog->LedgerExtraCb->setChecked(true);
        dialog->LedgerIssueEd->setText(QStringLiteral("2026094"));
        dialog->LedgerButtons->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(panel.LedgerModel->rowCount(), 1);
        QCOMPARE(cell(panel, 0, TLedgerTableModel::Bets), QStringLiteral("9"));
        QCOMPARE(cell(panel, 0, TLedgerTableModel::Cost), QStringLiteral("27"));
        QVERIFY(cell(panel, 0, TLedgerTableModel::Note).startsWith(QStringLiteral("追加")));
        // 4+1 pays 300; the 胆拖's 3+1 and 3+2 bets 4 x 15 and 4 x 150.
        QCOMPARE(cell(panel, 0, TLedgerTableModel::Prize), QStringLiteral("960"));
        panel.settle();
        QCOMPARE(cell(panel, 0, TLedgerTableModel::Prize), QStringLiteral("960"));

        shown = m_history;
        panel.setGame(Game::ssq());
        panel.settle();
        QCOMPARE(panel.LedgerModel->rowCount(), 1);
        QCOMPARE(cell(panel, 0, TLedgerTableModel::Tickets), QStringLiteral("01 02 03 04 05 06+07"));
        QVERIFY(!cell(panel, 0, TLedgerTableModel::Result).contains(QStringLiteral("未开奖")));
        shown = dlt;
        panel.setGame(Game::dlt());
        QCOMPARE(cell(panel, 0, TLedgerTableModel::Prize), QStringLiteral("960"));

        // The game's figures give the wins as paid (fixed tiers at their amounts where the draw has no
        // figures yet); another game's figures are not used.
        const FiguresLoad ssqFigures = LoadFigures(FiguresFixturePathOf(Game::ssq()), Game::ssq(), &m_history);
        const FiguresLoad dltFigures = LoadFigures(FiguresFixturePathOf(Game::dlt()), Game::dlt(), &dlt);
        QCOMPARE(dltFigures.status, FiguresLoad::Ok);
        panel.setFigures(&ssqFigures.table);
        panel.settle();
        QVERIFY(!panel.LedgerReportMemo->toPlainText().contains(QStringLiteral("实付")));
        panel.setFigures(&dltFigures.table);
        panel.settle();
        QVERIFY2(panel.LedgerReportMemo->toPlainText().contains(QStringLiteral("按各期实付奖金：960元，净收益 933 元")),
                 qPrintable(panel.LedgerReportMemo->toPlainText()));
        panel.setFigures(nullptr);
    }

    // An undone delete comes back after later adds, with its number; numbers are never given twice.
    // The detail view shows the tickets with the drawn numbers marked; settling again writes nothing.
    void undoAfterAddAndDetail() {
        const QString path = m_dir.filePath(QStringLiteral("undo.sqlite"));
        TLedgerPanel panel(m_history);
        panel.setLedgerFile(path);
        panel.show();
        const PrizeDraw draw = DrawOf(m_history.back(), Game::ssq());
        int other = 1;
        while (draw.reds >> other & 1)
            ++other;
        // The six reds drawn and one more: a compound of seven.
        const QString drawn = MaskNumbers(draw.reds | uint64_t(1) << other) +
                              QStringLiteral("+%1").arg(draw.blue, 2, 10, QLatin1Char('0'));
        auto add = [&](const QString& tickets) {
            TLedgerAddDialog* dialog = panel.addTickets(tickets);
            dialog->LedgerIssueEd->setText(QString::number(m_history.back().code()));
            dialog->LedgerButtons->button(QDialogButtonBox::Ok)->click();
        };
        add(QStringLiteral("01 02 03 04 05 06+07"));
        add(drawn);
        QCOMPARE(panel.LedgerModel->rowCount(), 2);
        QCOMPARE(cell(panel, 0, TLedgerTableModel::Id), QStringLiteral("2"));
        panel.LedgerTable->selectRow(0);
        {
            ModalCatcher catcher;
            catcher.answers = {QMessageBox::Yes};
            panel.LedgerRemoveBt->click();
        }
        add(QStringLiteral("10 11 12 13 14 15+16"));
        QCOMPARE(cell(panel, 0, TLedgerTableModel::Id), QStringLiteral("3"));
        panel.LedgerUndoBt->click();
        QCOMPARE(panel.LedgerModel->rowCount(), 3);
        QStringList numbers;
        for (int row = 0; row < 3; ++row)
            numbers << cell(panel, row, TLedgerTableModel::Id);
        QCOMPARE(numbers, (QStringList{"3", "2", "1"}));

        // The whole result of #2: the draw, the six reds and the blue it caught marked, its tiers.
        panel.LedgerTable->selectRow(1);
        panel.LedgerDetailBt->click();
        auto* text = panel.findChild<QTextBrowser*>(QStringLiteral("LedgerDetailText"));
        QVERIFY(text);
        const QString shown = text->toPlainText();
        for (int n = 1; n <= 33; ++n) {
            const QString number = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
            const bool hit = draw.reds >> n & 1;
            QVERIFY2(shown.contains(QLatin1Char('[') + number + QLatin1Char(']')) == hit, qPrintable(number));
        }
        QVERIFY(shown.contains(QStringLiteral("[%1]").arg(draw.blue, 2, 10, QLatin1Char('0'))));
        QVERIFY(shown.contains(DrawText(draw)));
        QVERIFY(shown.contains(cell(panel, 1, TLedgerTableModel::Result)));
        text->window()->close();

        // Settling again against the same history writes nothing.
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        panel.settle();
        panel.settle();
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    // A file that is not a ledger is named in the panel and left as it was.
    void refusesForeignFile() {
        const QString path = m_dir.filePath(QStringLiteral("notes.txt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("2026001 01 02 03 04 05 06 07\r\n");
        f.close();
        TLedgerPanel panel(m_history);
        panel.setLedgerFile(path);
        QVERIFY(panel.openError().contains(QStringLiteral("不是投注记录数据库")));
        QCOMPARE(panel.LedgerReportMemo->toPlainText(), panel.openError());
        panel.settle();
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("2026001 01 02 03 04 05 06 07\r\n"));
    }
};

QTEST_MAIN(TestLedgerPanel)
#include "tst_ledgerpanel.moc"
