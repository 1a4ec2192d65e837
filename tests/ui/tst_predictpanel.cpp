#include "ui/predict/PredictPanel.h"

#include "engine/history/Parser.h"
#include "engine/predict/PredictBacktest.h"
#include "engine/predict/Prediction.h"
#include "support/ModalCatcher.h"
#include "support/TestSupport.h"
#include "ui/history/PrintLines.h"

#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

const QString shortMessage =
    QStringLiteral("开奖数据期数少于统计分析需要的期数，无法继续完成智能预测功能！！");

} // namespace

class TestPredictPanel : public QObject {
    Q_OBJECT

    TCodeArr m_history;
    std::unique_ptr<TPredictPanel> m_panel;
    QTemporaryDir m_dir;

    QToolButton* button(const char* name) { return m_panel->findChild<QToolButton*>(QLatin1String(name)); }

    // Opens the drop-down as a user does and clicks the item with the given caption.
    void chooseFromMore(const QString& caption) {
        QMenu* menu = m_panel->TuiMorePredictBt->menu();
        QVERIFY(menu);
        QAction* item = nullptr;
        for (QAction* a : menu->actions())
            if (a->text() == caption) item = a;
        QVERIFY2(item, qPrintable(caption));
        bool clicked = false;
        QTimer poll;
        poll.setInterval(5);
        connect(&poll, &QTimer::timeout, this, [&] {
            if (!menu->isVisible() || clicked) return;
            clicked = true;
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        });
        poll.start();
        QTest::mouseClick(m_panel->TuiMorePredictBt, Qt::LeftButton);
        QTRY_VERIFY(clicked);
        QTRY_VERIFY(!menu->isVisible());
    }

  private slots:
    void init() {
        m_history = SampleHistory();
        m_panel = std::make_unique<TPredictPanel>(m_history);
        m_panel->resize(800, 600);
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    }
    void cleanup() {
        m_panel.reset();
        SetPrintToFile(QString());
    }

    void toolBarLayout() {
        const QStringList visible{"导出", "打印", "复式预测", "更多预测"};
        QStringList shown;
        QStringList all;
        for (QAction* a : m_panel->TuiToolBar->actions()) {
            if (a->isSeparator()) {
                all << "|";
                continue;
            }
            auto* b = qobject_cast<QToolButton*>(m_panel->TuiToolBar->widgetForAction(a));
            QVERIFY(b);
            all << b->text();
            if (b->isVisible()) shown << b->text();
            if (b != m_panel->TuiMorePredictBt) QCOMPARE(b->width(), 63);
        }
        QCOMPARE(all, (QStringList{"导出", "打印", "|", "复式预测", "单注预测", "胆码推荐", "冷码推荐",
                                   "奇数推荐", "偶数推荐", "区间推荐", "更多预测"}));
        QCOMPARE(shown, visible);
        QStringList items;
        for (QAction* a : m_panel->TuiMorePredictBt->menu()->actions())
            items << a->text();
        QCOMPARE(items, (QStringList{"单注预测", "胆码推荐", "冷码推荐", "奇数推荐", "偶数推荐", "区间推荐",
                                     "", "历史回测"}));
        QCOMPARE(m_panel->TuiMemo->palette().color(QPalette::Base), QColor(241, 223, 205));
        QVERIFY(!m_panel->TuiMemo->isReadOnly());
        QVERIFY(m_panel->TuiMemo->toPlainText().isEmpty());
    }

    void compoundFromToolBar() {
        QSignalSpy status(m_panel.get(), &TPredictPanel::statusText);
        QSignalSpy caption(m_panel.get(), &TPredictPanel::captionText);
        QTest::mouseClick(m_panel->TuiCombinePredictBt, Qt::LeftButton);
        QCOMPARE(m_panel->memoLines(), CombinePredict(m_history, Game::ssq()));
        QCOMPARE(m_panel->memoLines().first(), QStringLiteral("复式预测(第1组):9+3个号"));
        QCOMPARE(status.size(), 1);
        QCOMPARE(status.first().first().toString(), QStringLiteral("完成 复式预测"));
        QCOMPARE(caption.size(), 0);
    }

    void commandsFromDropDown_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("kind");
        QTest::newRow("single") << "单注预测" << int(PredictKind::Single);
        QTest::newRow("banker") << "胆码推荐" << int(PredictKind::Banker);
        QTest::newRow("cold") << "冷码推荐" << int(PredictKind::Cold);
        QTest::newRow("odd") << "奇数推荐" << int(PredictKind::Odd);
        QTest::newRow("even") << "偶数推荐" << int(PredictKind::Even);
        QTest::newRow("zone") << "区间推荐" << int(PredictKind::Zone);
    }
    void commandsFromDropDown() {
        QFETCH(QString, caption);
        QFETCH(int, kind);
        QSignalSpy status(m_panel.get(), &TPredictPanel::statusText);
        QSignalSpy captionSpy(m_panel.get(), &TPredictPanel::captionText);
        m_panel->TuiMemo->setPlainText(QStringLiteral("old text"));
        chooseFromMore(caption);
        const TPredictResult expected = RunPredict(m_history, PredictKind(kind), Game::ssq());
        QCOMPARE(m_panel->memoLines(), expected.lines);
        QCOMPARE(status.size(), 1);
        QCOMPARE(status.first().first().toString(), QStringLiteral("完成 ") + caption);
        if (PredictKind(kind) == PredictKind::Single) {
            QCOMPARE(m_panel->memoLines().size(), 806);
            QCOMPARE(captionSpy.size(), 1);
            QCOMPARE(captionSpy.first().first().toString(), QStringLiteral("1080436"));
        } else {
            QCOMPARE(captionSpy.size(), 0);
        }
    }

    // The window's 历史回测 writes what `kelvora-cli backtest predict` prints; too many periods change
    // nothing.
    void backtestFromDropDown() {
        int asked = 60;
        m_panel->setBacktestAsker([&](QWidget*, int& draws, PredictKind& kind) {
            draws = asked;
            kind = PredictKind::Zone;
            return true;
        });
        chooseFromMore(QStringLiteral("历史回测"));
        const CliRun cli =
            RunCliOnSample({QStringLiteral("backtest"), QStringLiteral("predict"), QStringLiteral("zone"),
                            QStringLiteral("--draws"), QStringLiteral("60")});
        QCOMPARE(cli.status, 0);
        const QString& printed = cli.out;
        QCOMPARE(m_panel->TuiMemo->toPlainText() + QLatin1Char('\n'), printed);
        QCOMPARE(m_panel->memoLines().size(), 3 + 2 + 2 + 60);

        asked = int(m_history.size()) - 19;
        ModalCatcher boxes;
        chooseFromMore(QStringLiteral("历史回测"));
        QCOMPARE(boxes.texts, QStringList{QStringLiteral("设置的验证期数超过总期数!!")});
        QCOMPARE(m_panel->TuiMemo->toPlainText() + QLatin1Char('\n'), printed);
    }

    // The super lotto through the same buttons: its fronts and two backs, its backtest as
    // `kelvora-cli --game dlt backtest predict` prints it; each game keeps its own text.
    void superLottoCommandsAndBacktest() {
        const TCodeArr& dlt = DltSampleHistory();
        TPredictPanel panel(dlt);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.TuiMemo->setPlainText(QStringLiteral("two-colour text"));
        panel.setGame(Game::dlt());
        QVERIFY(panel.TuiMemo->toPlainText().isEmpty());
        QTest::mouseClick(panel.TuiCombinePredictBt, Qt::LeftButton);
        QCOMPARE(panel.memoLines(), CombinePredict(dlt, Game::dlt()));
        QVERIFY(panel.memoLines() != CombinePredict(dlt, Game::ssq())); // not read as two-colour-ball draws

        panel.setBacktestAsker([](QWidget*, int& draws, PredictKind& kind) {
            draws = 30;
            kind = PredictKind::Compound;
            return true;
        });
        panel.TuiBacktestClick();
        const CliRun cli = RunCliOnSampleOf(
            Game::dlt(), {QStringLiteral("backtest"), QStringLiteral("predict"), QStringLiteral("compound"),
                          QStringLiteral("--draws"), QStringLiteral("30")});
        QCOMPARE(cli.status, 0);
        QCOMPARE(panel.TuiMemo->toPlainText() + QLatin1Char('\n'), cli.out);
        QVERIFY(cli.out.contains(QStringLiteral("后区")));

        const QString dltText = panel.TuiMemo->toPlainText();
        panel.setGame(Game::ssq());
        QCOMPARE(panel.TuiMemo->toPlainText(), QStringLiteral("two-colour text"));
        panel.setGame(Game::dlt());
        QCOMPARE(panel.TuiMemo->toPlainText(), dltText);
    }

    void shortHistoryChangesNothing_data() {
        QTest::addColumn<QString>("slot");
        for (const char* n :
             {"TuiCombinePredictBtClick", "TuiSinglePredictBtClick", "TuiNerveRcmBtClick",
              "TuiColdCodeRcmBtClick", "TuiOddNumRcmBtClick", "TuiEvenNumRcmBtClick", "TuiAreaNumRcmBtClick"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }
    void shortHistoryChangesNothing() {
        QFETCH(QString, slot);
        // The panel reads the main window's history by reference: shrink it to 20, then 19 draws.
        m_history.erase(m_history.begin(), m_history.end() - 20);
        QSignalSpy status(m_panel.get(), &TPredictPanel::statusText);
        QSignalSpy caption(m_panel.get(), &TPredictPanel::captionText);
        const QByteArray name = slot.toLatin1();
        {
            ModalCatcher catcher;
            QVERIFY(QMetaObject::invokeMethod(m_panel.get(), name.constData()));
            QCOMPARE(catcher.dialogs, 0);
        }
        QCOMPARE(status.size(), 1);
        QVERIFY(!m_panel->TuiMemo->toPlainText().isEmpty());

        m_history.erase(m_history.begin());
        m_panel->TuiMemo->setPlainText(QStringLiteral("edited by the user"));
        {
            ModalCatcher catcher;
            QVERIFY(QMetaObject::invokeMethod(m_panel.get(), name.constData()));
            QCOMPARE(catcher.texts, QStringList{shortMessage});
        }
        QCOMPARE(m_panel->TuiMemo->toPlainText(), QStringLiteral("edited by the user"));
        QCOMPARE(status.size(), 1);
        QCOMPARE(caption.size(), slot == QLatin1String("TuiSinglePredictBtClick") ? 1 : 0);
    }

    void exportWritesGbCrLf_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QString() << QByteArray();
        QTest::newRow("edited lines") << QStringLiteral("胆码推荐(第1组)3个号\n7,20,31")
                                      << QByteArray("\xb5\xa8\xc2\xeb\xcd\xc6\xbc\xf6(\xb5\xda"
                                                    "1\xd7\xe9)3\xb8\xf6\xba\xc5\r\n"
                                                    "7,20,31\r\n");
        QTest::newRow("last line empty") << QStringLiteral("a\n") << QByteArray("a\r\n\r\n");
    }
    void exportWritesGbCrLf() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const QString path = m_dir.filePath(QStringLiteral("out.txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("previous content that is longer than the new one\r\n");
        old.close();

        m_panel->TuiMemo->setPlainText(text);
        int asked = 0;
        m_panel->setSaveFileChooser([&](QWidget*) {
            ++asked;
            return path;
        });
        ModalCatcher catcher;
        QTest::mouseClick(m_panel->TuiExportBt, Qt::LeftButton);
        QCOMPARE(asked, 1);
        QCOMPARE(catcher.dialogs, 0);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytes);
        QCOMPARE(m_panel->TuiMemo->toPlainText(), text);
    }

    void exportSinglePredictionRoundTrips() {
        m_panel->TuiSinglePredictBtClick();
        const QString path = m_dir.filePath(QStringLiteral("single.txt"));
        m_panel->setSaveFileChooser([&](QWidget*) { return path; });
        m_panel->TuiExportBt->click();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes.count("\r\n"), qsizetype(806));
        QVERIFY(bytes.endsWith("\r\n\r\n"));
        QCOMPARE(QString(QStringDecoder("GB18030").decode(bytes)).split(QStringLiteral("\r\n")).mid(0, 806),
                 SinglePredict(m_history, Game::ssq()).lines);
    }

    void exportReplacesAFileWithoutAQuestion() {
        const QString path = m_dir.filePath(QStringLiteral("replace.txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
        old.close();
        m_panel->TuiMemo->setPlainText(QStringLiteral("new"));
        m_panel->setSaveFileChooser(AskExportFileName);
        ModalCatcher catcher;
        catcher.fileToChoose = path;
        m_panel->TuiExportBt->click();
        QCOMPARE(catcher.dialogs, 1); // the file dialog, and no question about replacing
        QCOMPARE(catcher.texts, QStringList());
        QCOMPARE(catcher.fileFilters, QStringList{QStringLiteral("文本文件 (*.txt)")});
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("new\r\n"));
    }

    void exportCancelledOrFailing() {
        QTemporaryDir dir;
        m_panel->TuiMemo->setPlainText(QStringLiteral("keep me"));
        m_panel->setSaveFileChooser([](QWidget*) { return QString(); });
        {
            ModalCatcher catcher;
            m_panel->TuiExportBt->click();
            QCOMPARE(catcher.dialogs, 0);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());

        const QString bad = dir.filePath(QStringLiteral("missing/dir/out.txt"));
        m_panel->setSaveFileChooser([&](QWidget*) { return bad; });
        {
            ModalCatcher catcher;
            m_panel->TuiExportBt->click();
            QCOMPARE(catcher.texts.size(), 1);
            QVERIFY(catcher.texts.first().startsWith(QStringLiteral("无法创建文件")));
        }
        QVERIFY(!QFile::exists(bad));
        QCOMPARE(m_panel->TuiMemo->toPlainText(), QStringLiteral("keep me"));
    }

    void printIntoPdf() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        QTest::mouseClick(m_panel->TuiCombinePredictBt, Qt::LeftButton);
        m_panel->TuiMemo->appendPlainText(QStringLiteral("user line"));
        const QString pdf = m_dir.filePath(QStringLiteral("print.pdf"));
        SetPrintToFile(pdf);
        {
            ModalCatcher catcher;
            QTest::mouseClick(m_panel->TuiPrintBt, Qt::LeftButton);
            QCOMPARE(catcher.dialogs, 0);
        }
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(20000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("打印，时间:")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("复式预测(第3组):12+3个号")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("user line")), qPrintable(text));
    }
};

QTEST_MAIN(TestPredictPanel)
#include "tst_predictpanel.moc"
