#include "app/MainForm.h"
#include "engine/history/DataFile.h"
#include "engine/history/Parser.h"
#include "engine/history/Query.h"
#include "engine/ledger/Ledger.h"
#include "ui/charts/ChartPage.h"
#include "ui/charts/ChartPages.h"
#include "ui/controls/MultiChk.h"
#include "ui/history/AddDrawBar.h"
#include "ui/history/DataPanel.h"
#include "ui/history/QueryPanel.h"
#include "ui/ledger/LedgerPanel.h"
#include "ui/ledger/LedgerTableModel.h"
#include "ui/predict/PredictPanel.h"
#include "ui/prize/PrizeWindow.h"
#include "ui/shrink/ShrinkPanel.h"

#include "support/ModalCatcher.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(const Game*)

class TestGameSwitch : public QObject {
    Q_OBJECT

    static QByteArray fileBytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static std::unique_ptr<TMainForm> start(const QString& dir, const Game* game = nullptr,
                                            const QString& dataFile = QString()) {
        TMainOptions options;
        options.programDir = dir;
        options.dataFile = dataFile;
        options.game = game;
        options.gameSetting = true;
        options.server = QUrl(QStringLiteral("http://127.0.0.1:9"));
        options.webBrowser = false;
        return std::make_unique<TMainForm>(options);
    }
    static QWidget* frontPanel(const TMainForm& f) {
        const QObjectList& children = f.centralWidget()->children();
        for (auto it = children.crbegin(); it != children.crend(); ++it)
            if (auto* w = qobject_cast<QWidget*>(*it); w && !w->isHidden() && !w->isWindow()) return w;
        return nullptr;
    }

    QTemporaryDir settingsDir;
    QTemporaryDir bothGames; // ssq.dxt and dlt.dxt, the real samples

  private slots:
    void initTestCase() {
        // The game shown last is a setting: this test keeps its own, away from the other tests'.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        writeFile(bothGames.filePath(QStringLiteral("ssq.dxt")), SampleHistoryBytes());
        writeFile(bothGames.filePath(QStringLiteral("dlt.dxt")), DltSampleHistoryBytes());
    }
    void init() { QSettings(QStringLiteral("Kelvora"), QStringLiteral("Kelvora")).clear(); }

    // Each game has its own file, words and panels; the game shown last comes back at the next start,
    // unless the command line names one.
    void switchAndRemember() {
        {
            auto form = start(bothGames.path());
            QCOMPARE(&form->game(), &Game::ssq());
            QCOMPARE(form->windowTitle(), TMainForm::Caption());
            QVERIFY(form->GameMenuSsq->isChecked());
            form->SqlPanel->SqlSe1->setValue(2026090);
            form->RcmMenu->trigger();
            QCOMPARE(frontPanel(*form), static_cast<QWidget*>(form->RcmPanel));

            ModalCatcher catcher;
            form->GameMenuDlt->trigger();
            QCOMPARE(catcher.dialogs, 0);
            QCOMPARE(&form->game(), &Game::dlt());
            QVERIFY(form->GameMenuDlt->isChecked());
            QCOMPARE(form->windowTitle(),
                     QStringLiteral("Kelvora  V2005 [超级大乐透专业版] Tessane网 荣誉出品"));
            QCOMPARE(int(form->History.size()), 2912);
            QCOMPARE(form->statusText(), QStringLiteral("共2912期，最新2026094期"));
            QCOMPARE(form->StatusPanels[1]->text(), QStringLiteral("超级大乐透"));
            QCOMPARE(form->DataFileName(), bothGames.filePath(QStringLiteral("dlt.dxt")));
            QCOMPARE(form->DataPanel->updateUrl(), QUrl(QStringLiteral("http://127.0.0.1:9/dlt.txt")));
            // The shrink stays in front, now the super lotto's.
            QCOMPARE(frontPanel(*form), static_cast<QWidget*>(form->RcmPanel));
            QCOMPARE(&form->RcmPanel->game(), &Game::dlt());
            QCOMPARE(form->RcmPanel->RcmSheet1CodeChk->Count(), 35);
            // The charts are the super lotto's, in its words, from its own draws.
            form->GridMenuItems[0]->trigger();
            QCOMPARE(frontPanel(*form), static_cast<QWidget*>(form->GridPctl));
            QCOMPARE(form->GridMenuItems[0]->text(), QStringLiteral("前区走势图"));
            QCOMPARE(form->GridPctl->tabText(8), QStringLiteral("后区走势图"));
            QCOMPARE(&form->GridPctl->currentSheet()->game(), &Game::dlt());

            // The query opens on the super lotto's newest draws, with both backs.
            form->SqlMenu->trigger();
            QCOMPARE(form->SqlPanel->SqlSe1->value(), form->History[form->History.size() - 30].code());
            QVERIFY(form->SqlPanel->SqlMemo->toPlainText().endsWith(
                QStringLiteral("\n第2026094期,开奖号:05 14 15 17 33+01 07")));
            form->SqlPanel->SqlSe1->setValue(2026093);
            form->SqlPanel->SqlBtClick();
            QCOMPARE(form->SqlPanel->SqlMemo->toPlainText(),
                     QStringLiteral(
                         "第2026093期,开奖号:08 10 22 26 29+03 10\n第2026094期,开奖号:05 14 15 17 33+01 07"));
            form->SqlPanel->SqlSe1->setValue(2026094);

            // Back to the two-colour ball: its file, its query values and the chart sheet asked for.
            form->GridMenuItems[3]->trigger();
            form->GameMenuSsq->trigger();
            QCOMPARE(int(form->History.size()), 3493);
            QCOMPARE(form->statusText(), QStringLiteral("共3493期，最新2026096期"));
            QCOMPARE(form->windowTitle(), TMainForm::Caption());
            QCOMPARE(frontPanel(*form), static_cast<QWidget*>(form->GridPctl));
            QCOMPARE(form->GridPctl->currentIndex(), 3);
            QCOMPARE(form->SqlPanel->SqlSe1->value(), 2026090);
            form->GameMenuDlt->trigger();
            QCOMPARE(form->SqlPanel->SqlSe1->value(), 2026094);
        }
        {
            auto form = start(bothGames.path());
            QCOMPARE(&form->game(), &Game::dlt());
            QVERIFY(form->GameMenuDlt->isChecked());
            QCOMPARE(int(form->History.size()), 2912);
            QCOMPARE(form->DataPanel->AddDrawBar->IssueSe->value(), 2026095);
            QVERIFY(form->DataPanel->AddDrawBar->RedSe[5]->isHidden());
            QVERIFY(!form->DataPanel->AddDrawBar->BackSe2->isHidden());
        }
        {
            // A game whose file was never saved opens with no draws and says where they will go.
            QTemporaryDir onlySsq;
            writeFile(onlySsq.filePath(QStringLiteral("ssq.dxt")), "2005013 03 07 12 19 25 31 09\r\n");
            ModalCatcher catcher;
            auto form = start(onlySsq.path());
            QCOMPARE(&form->game(), &Game::dlt());
            QVERIFY(form->dataFileLoaded());
            QVERIFY(form->History.empty());
            QCOMPARE(catcher.texts.size(), 1);
            QVERIFY2(catcher.texts[0].contains(onlySsq.filePath(QStringLiteral("dlt.dxt"))),
                     qPrintable(catcher.texts[0]));
        }
        auto form = start(bothGames.path(), &Game::ssq());
        QCOMPARE(int(form->History.size()), 3493);
        QVERIFY(form->GameMenuSsq->isChecked());
        QCOMPARE(
            QSettings(QStringLiteral("Kelvora"), QStringLiteral("Kelvora")).value("game/last").toString(),
            QStringLiteral("ssq"));
    }

    void switchAsksAboutUnsavedEdits_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("switches");
        QTest::addColumn<bool>("saved");
        QTest::newRow("保存") << int(QMessageBox::Save) << true << true;
        QTest::newRow("不保存") << int(QMessageBox::Discard) << true << false;
        QTest::newRow("取消") << int(QMessageBox::Cancel) << false << false;
    }
    void switchAsksAboutUnsavedEdits() {
        QFETCH(int, answer);
        QFETCH(bool, switches);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QByteArray ssq = "2005013 03 07 12 19 25 31 09\r\n";
        const QByteArray dlt = "2026094 05 14 15 17 33 01 07\r\n";
        writeFile(dir.filePath(QStringLiteral("ssq.dxt")), ssq);
        writeFile(dir.filePath(QStringLiteral("dlt.dxt")), dlt);
        auto form = start(dir.path(), &Game::ssq());
        form->DataPanel->DataMemo->appendPlainText(QStringLiteral("2005014 01 02 03 04 05 06 07"));
        const QString edited = form->DataPanel->DataMemo->toPlainText();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        ModalCatcher catcher;
        catcher.answers = {QMessageBox::StandardButton(answer)};
        // The tool-bar switch, one click.
        QTest::mouseClick(form->GameTbr->findChild<QToolButton*>(QStringLiteral("GameMenuDltBt")),
                          Qt::LeftButton);
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("开奖数据已修改，是否保存？")});
        QCOMPARE(&form->game(), switches ? &Game::dlt() : &Game::ssq());
        QCOMPARE(form->GameMenuDlt->isChecked(), switches);
        QCOMPARE(form->GameMenuSsq->isChecked(), !switches);
        QCOMPARE(fileBytes(dir.filePath(QStringLiteral("ssq.dxt"))),
                 saved ? ssq + "2005014 01 02 03 04 05 06 07\r\n" : ssq);
        QCOMPARE(fileBytes(dir.filePath(QStringLiteral("dlt.dxt"))), dlt);
        if (switches) {
            QCOMPARE(form->DataPanel->DataMemo->toPlainText(),
                     QStringLiteral("2026094 05 14 15 17 33 01 07"));
            QCOMPARE(int(form->History.size()), 1);
            QVERIFY(!form->windowTitle().startsWith(QLatin1Char('*')));
        } else {
            // 取消 keeps everything as it was, the unsaved edit included.
            QCOMPARE(form->DataPanel->DataMemo->toPlainText(), edited);
            QCOMPARE(int(form->History.size()), 1);
            QCOMPARE(form->windowTitle(), QLatin1Char('*') + TMainForm::Caption());
        }
    }

    // A game without its file yet starts empty and saves into its own file; a file of the other
    // game's shape is refused line by line, never misread, and nothing is written.
    // The super lotto's own panels in the window: its ledger entries settle when its draws load, the
    // predictions and the prize check take its draws.
    void superLottoLedgerAndPrizeCheck() {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("ssq.dxt")), SampleHistoryBytes());
        writeFile(dir.filePath(QStringLiteral("dlt.dxt")), DltSampleHistoryBytes());
        {
            Ledger ledger(LedgerFileIn(dir.path()));
            // Drawn 2026094: 05 14 15 17 33 + 01 07, so this 4+1 pays 300.
            ledger.add(MakeLedgerEntry(QStringLiteral("2026094"), QStringLiteral("05 14 15 17 02+01 03"),
                                       false, QString(), Game::dlt()));
        }
        auto form = start(dir.path(), &Game::ssq());
        form->LedgerMenu->trigger();
        QCOMPARE(form->LedgerPanel->LedgerModel->rowCount(), 0);
        form->GameMenuDlt->trigger();
        QCOMPARE(frontPanel(*form), static_cast<QWidget*>(form->LedgerPanel));
        QCOMPARE(form->LedgerPanel->LedgerModel->rowCount(), 1);
        QCOMPARE(form->LedgerPanel->LedgerModel->index(0, TLedgerTableModel::Prize).data().toString(),
                 QStringLiteral("300"));

        form->PridictMenu->trigger();
        QCOMPARE(frontPanel(*form), static_cast<QWidget*>(form->PridictPanel));
        QCOMPARE(&form->PridictPanel->game(), &Game::dlt());

        ModalCatcher catcher;
        form->findChild<QAction*>(QStringLiteral("SqlPrizeMenu"))->trigger();
        QCOMPARE(catcher.texts.size(), 0);
        auto* prize = form->findChild<TPrizeWindow*>(QStringLiteral("PrizeWindow"));
        QVERIFY(prize && prize->isVisible());
        QVERIFY(prize->PrizeDrawCbx->itemText(0).startsWith(QStringLiteral("2026094  05 14 15 17 33+01 07")));
        // Back to the two-colour ball: the open prize window follows.
        form->GameMenuSsq->trigger();
        QCOMPARE(&prize->game(), &Game::ssq());
        QCOMPARE(prize->PrizeDrawCbx->count(), int(form->History.size()));
    }

    // The analyses and the ledger use exactly the draws the editor holds: an import taken back with
    // Ctrl+Z leaves nothing in the query or the ledger, Ctrl+Y brings it back. A start whose file is
    // refused, or a start on the other game, settles nothing and writes no byte of the ledger.
    void historyFollowsTheEditor() {
        QTemporaryDir dir;
        const QByteArray sample = SampleHistoryBytes();
        const qsizetype cut = sample.trimmed().lastIndexOf('\n') + 1;
        const QByteArray newestLine = sample.mid(cut).trimmed();
        writeFile(dir.filePath(QStringLiteral("ssq.dxt")), sample.left(cut));
        writeFile(dir.filePath(QStringLiteral("dlt.dxt")), DltSampleHistoryBytes());
        const QString newestIssue = QString::fromLatin1(newestLine.left(7));
        const QString ledgerPath = LedgerFileIn(dir.path());
        {
            Ledger ledger(ledgerPath);
            // The newest draw's own reds and blue as the ticket.
            const QStringList parts = QString::fromLatin1(newestLine).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            ledger.add(MakeLedgerEntry(newestIssue, parts.mid(1, 6).join(QLatin1Char(' ')) + QLatin1Char('+') + parts[7],
                                       false, QString(), Game::ssq()));
            ledger.add(MakeLedgerEntry(QStringLiteral("2026094"), QStringLiteral("05 14 15 17 02+01 03"), false,
                                       QString(), Game::dlt()));
            TCodeArr dlt = DltSampleHistory();
            QCOMPARE(ledger.settle(dlt, QStringLiteral("dlt")), 1);
        }
        const auto settled = [&](const QString& game) {
            Ledger ledger(ledgerPath);
            const std::vector<LedgerEntry> entries = ledger.list(game);
            return !entries.empty() && entries.front().settled;
        };
        const QByteArray ledgerBefore = fileBytes(ledgerPath);

        ModalCatcher catcher;
        auto form = start(dir.path(), &Game::ssq());
        const size_t held = form->History.size();
        QVERIFY(!settled(QStringLiteral("ssq")));
        QVERIFY(settled(QStringLiteral("dlt")));
        QCOMPARE(fileBytes(ledgerPath), ledgerBefore);

        writeFile(dir.filePath(QStringLiteral("newest.txt")), newestLine + "\r\n");
        form->DataPanel->ImportDataFile(dir.filePath(QStringLiteral("newest.txt")));
        QCOMPARE(form->History.size(), held + 1);
        QVERIFY(settled(QStringLiteral("ssq")));
        // The jackpot ticket's prize floats: said so, never shown as 0.
        form->LedgerMenu->trigger();
        QCOMPARE(form->LedgerPanel->LedgerModel->index(0, TLedgerTableModel::Prize).data().toString(),
                 QStringLiteral("浮动"));
        form->SqlMenu->trigger();
        form->SqlPanel->SqlSe1->setValue(newestIssue.toInt() - 1);
        form->SqlPanel->SqlBtClick();
        QVERIFY(form->SqlPanel->SqlMemo->toPlainText().contains(newestIssue));

        form->DataPanel->DataMemo->undo();
        QTRY_COMPARE(form->History.size(), held);
        QVERIFY(!settled(QStringLiteral("ssq")));
        QVERIFY(settled(QStringLiteral("dlt")));
        QVERIFY(!form->SqlPanel->SqlMemo->toPlainText().contains(newestIssue));
        QVERIFY(!form->windowTitle().startsWith(QLatin1Char('*')));

        form->DataPanel->DataMemo->redo();
        QTRY_COMPARE(form->History.size(), held + 1);
        QVERIFY(settled(QStringLiteral("ssq")));
        form.reset();

        // One bad line: the file is refused, the ledger is not touched.
        writeFile(dir.filePath(QStringLiteral("ssq.dxt")), sample + "2026097 01 02 03\r\n");
        {
            Ledger ledger(ledgerPath);
            ledger.settle(ParseHistory(sample, Game::ssq()).history, QStringLiteral("ssq"));
        }
        const QByteArray settledBytes = fileBytes(ledgerPath);
        form = start(dir.path(), &Game::ssq());
        QVERIFY(form->History.empty());
        QCOMPARE(fileBytes(ledgerPath), settledBytes);
        form.reset();
        // The other game's start leaves the two-colour ball's settled entries as they are.
        form = start(dir.path(), &Game::dlt());
        QVERIFY(!form->History.empty());
        QCOMPARE(fileBytes(ledgerPath), settledBytes);
        QVERIFY(settled(QStringLiteral("ssq")));
    }

    // Every game of the table opens in the window with its own file, words, boxes, query and the
    // thirteen chart pages, and 添加开奖 writes its own line shape.
    void everyGameOpens_data() {
        QTest::addColumn<const Game*>("game");
        for (const Game* game : Game::all())
            QTest::newRow(game->key) << game;
    }
    void everyGameOpens() {
        QFETCH(const Game*, game);
        QTemporaryDir dir;
        for (const Game* g : Game::all())
            writeFile(dir.filePath(g->dataFileName()), SampleHistoryBytesOf(*g));
        auto form = start(dir.path(), &Game::ssq());
        form->show();
        ModalCatcher catcher;
        QVERIFY(form->switchGame(*game));
        QCOMPARE(catcher.dialogs, 0);
        const TCodeArr& sample = SampleHistoryOf(*game);
        QCOMPARE(form->History.size(), sample.size());
        QCOMPARE(form->statusText(),
                 QStringLiteral("共%1期，最新%2期").arg(sample.size()).arg(sample.back().code()));
        QCOMPARE(form->StatusPanels[1]->text(), game->nameText());
        QCOMPARE(form->DataFileName(), dir.filePath(game->dataFileName()));
        QVERIFY(form->DataPanel->updateUrl().toString().endsWith(QLatin1String(game->updateFile)));
        QVERIFY(form->GameMenuItems[int(game->index())]->isChecked());

        form->SqlMenu->trigger();
        QVERIFY(form->SqlPanel->SqlMemo->toPlainText().endsWith(QueryLine(sample.back(), *game)));
        for (int page = 0; page < form->GridPctl->count(); ++page) {
            form->GridPctl->setCurrentIndex(page);
            QCOMPARE(&form->GridPctl->currentSheet()->game(), game);
            QVERIFY(!form->GridPctl->currentSheet()->grab().isNull());
        }
        QCOMPARE(form->RcmPanel->RcmSheet1CodeChk->Count(), game->frontPool);

        // 添加开奖: 01..picks and the side numbers after them, in the game's own line.
        TAddDrawBar* bar = form->DataPanel->AddDrawBar;
        int visible = 0;
        for (QSpinBox* box : bar->RedSe)
            visible += !box->isHidden();
        QCOMPARE(visible, game->frontPicks);
        QCOMPARE(!bar->BlueSe->isHidden(), game->sidePicks() > 0);
        QCOMPARE(!bar->BackSe2->isHidden(), game->sidePicks() > 1);
        QString expected = QString::number(bar->IssueSe->value());
        for (int k = 0; k < game->frontPicks; ++k) {
            bar->RedSe[k]->setValue(game->frontPicks - k);
            expected += QStringLiteral(" %1").arg(k + 1, 2, 10, QLatin1Char('0'));
        }
        QSpinBox* sides[2] = {bar->BlueSe, bar->BackSe2};
        for (int k = 0; k < game->sidePicks(); ++k) {
            sides[k]->setValue(game->frontPicks + 1 + k);
            expected += QStringLiteral(" %1").arg(game->frontPicks + 1 + k, 2, 10, QLatin1Char('0'));
        }
        bar->AddBtClick();
        QCOMPARE(catcher.dialogs, 0);
        QVERIFY2(form->DataPanel->DataMemo->toPlainText().trimmed().endsWith(expected),
                 qPrintable(form->DataPanel->DataMemo->toPlainText().right(80)));
        // A command is followed at once: the analyses hold the new draw.
        QCOMPARE(form->History.size(), sample.size() + 1);
    }

    // The figures beside a game's history reach the query, the 奖池与销量 page and the prize window,
    // and follow a switch to a game that has none.
    void figuresReachThePanels() {
        QTemporaryDir dir;
        for (const Game* g : Game::all())
            writeFile(dir.filePath(g->dataFileName()), SampleHistoryBytesOf(*g));
        QFile fixture(FiguresFixturePathOf(Game::dlt()));
        QVERIFY(fixture.open(QIODevice::ReadOnly));
        writeFile(dir.filePath(QStringLiteral("dlt-figures.txt")), fixture.readAll());
        auto form = start(dir.path(), &Game::dlt());
        QCOMPARE(form->DataPanel->figures().draws.size(), size_t(2886));
        form->SqlPanel->SqlSe1->setValue(2026066);
        form->SqlPanel->SqlSe2->setValue(1);
        form->SqlPanel->SqlBtClick();
        QVERIFY2(form->SqlPanel->SqlMemo->toPlainText().contains(QStringLiteral("2026-06-15 星期一")),
                 qPrintable(form->SqlPanel->SqlMemo->toPlainText()));
        TPrizeWindow* prize = OpenPrizeCheck(form.get(), form->History, QStringLiteral("01 02 03 04 05+06 07"),
                                             QStringLiteral("2026066"), Game::dlt());
        QTest::mouseClick(prize->PrizeCheckBt, Qt::LeftButton);
        QVERIFY2(prize->PrizeSummaryLbl->text().contains(QStringLiteral("实付")), qPrintable(prize->PrizeSummaryLbl->text()));
        prize->close();

        ModalCatcher catcher;
        QVERIFY(form->switchGame(Game::qlc()));
        QCOMPARE(catcher.dialogs, 0);
        QVERIFY(form->DataPanel->figures().empty());
        form->SqlPanel->SqlBtClick();
        QVERIFY(!form->SqlPanel->SqlMemo->toPlainText().contains(QStringLiteral("销量")));
    }

    void otherGameFiles_data() {
        QTest::addColumn<QByteArray>("dltFile"); // "-" = none
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("draws");
        QTest::newRow("none yet") << QByteArray("-") << QStringLiteral("还没有超级大乐透的开奖数据") << 0;
        QTest::newRow("two-colour-ball lines")
            << QByteArray("2005013 03 07 12 19 25 31 09\r\n2026094 05 14 15 17 33 01 07\r\n")
            << QStringLiteral("文本内容中下列行的数据有错误，请纠正再保存！！\n第1行：") << 0;
    }
    void otherGameFiles() {
        QFETCH(QByteArray, dltFile);
        QFETCH(QString, message);
        QFETCH(int, draws);
        QTemporaryDir dir;
        const QString mine = dir.filePath(QStringLiteral("mine.dxt"));
        writeFile(mine, "2005013 03 07 12 19 25 31 09\r\n");
        const QString dltPath = dir.filePath(QStringLiteral("dlt.dxt"));
        if (dltFile != "-") writeFile(dltPath, dltFile);
        // --data names the two-colour ball's file; the super lotto's lies beside it.
        auto form = start(dir.path(), &Game::ssq(), mine);
        ModalCatcher catcher;
        QVERIFY(form->switchGame(Game::dlt()));
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY2(catcher.texts.first().startsWith(message), qPrintable(catcher.texts.first()));
        QCOMPARE(int(form->History.size()), draws);
        QCOMPARE(form->statusText(), QStringLiteral("共0期"));
        QCOMPARE(form->DataFileName(), dltPath);
        QCOMPARE(fileBytes(dltPath), dltFile == "-" ? QByteArray("<none>") : dltFile);
        if (dltFile == "-") {
            TAddDrawBar* bar = form->DataPanel->AddDrawBar;
            bar->IssueSe->setValue(2026095);
            const int numbers[7] = {35, 3, 20, 12, 8, 12, 2};
            for (int k = 0; k < 5; ++k)
                bar->RedSe[k]->setValue(numbers[k]);
            bar->BlueSe->setValue(numbers[5]);
            bar->BackSe2->setValue(numbers[6]);
            bar->AddBtClick();
            form->DataPanel->Sheet1TbrSaveBtClick();
            QCOMPARE(fileBytes(dltPath), QByteArray("2026095 03 08 12 20 35 02 12\r\n"));
            QCOMPARE(int(form->History.size()), 1);
        }
        QCOMPARE(fileBytes(mine), QByteArray("2005013 03 07 12 19 25 31 09\r\n"));
        form->GameMenuSsq->trigger();
        QCOMPARE(int(form->History.size()), 1);
        QCOMPARE(form->DataFileName(), mine);
    }
};

QTEST_MAIN(TestGameSwitch)
#include "tst_gameswitch.moc"
