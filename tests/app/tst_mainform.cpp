#include "app/MainForm.h"
#include "app/WebPanel.h"
#include "engine/history/DataFile.h"
#include "ui/charts/ChartPages.h"
#include "ui/history/DataPanel.h"
#include "ui/history/QueryPanel.h"
#include "ui/predict/PredictPanel.h"
#include "ui/shrink/ShrinkPanel.h"

#include "support/ModalCatcher.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>
#include <memory>

class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class TestMainForm : public QObject {
    Q_OBJECT

    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray readFile(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    std::unique_ptr<TMainForm> start(const QString& dir) {
        TMainOptions options;
        options.programDir = dir;
        options.server = QUrl(QStringLiteral("http://127.0.0.1:9"));
        options.webBrowser = false;
        return std::make_unique<TMainForm>(options);
    }
    // The panel the user sees: the topmost visible child of the client area.
    static QWidget* frontPanel(const TMainForm& f) {
        const QObjectList& children = f.centralWidget()->children();
        for (auto it = children.crbegin(); it != children.crend(); ++it)
            if (auto* w = qobject_cast<QWidget*>(*it); w && !w->isHidden() && !w->isWindow()) return w;
        return nullptr;
    }
    QList<QWidget*> switchable(TMainForm& f) {
        return {f.DataPanel, f.SqlPanel, f.RcmPanel, f.GridPctl, f.PridictPanel};
    }
    int visibleSwitchable(TMainForm& f) {
        int n = 0;
        for (QWidget* w : switchable(f))
            n += !w->isHidden();
        return n;
    }

    QTemporaryDir sampleDir;

  private slots:
    void initTestCase() {
        writeFile(sampleDir.filePath(QStringLiteral("ssq.dxt")), SampleHistoryBytes());
        writeFile(sampleDir.filePath(QStringLiteral("readme.txt")), "help\r\n");
    }

    void startup_data() {
        QTest::addColumn<QByteArray>("content"); // "-" = no file at all
        QTest::addColumn<int>("draws");
        QTest::addColumn<QString>("message"); // start of the one message shown, empty = none
        QTest::addColumn<bool>("selected");   // a panel was selected and the home page shown
        QTest::newRow("missing") << QByteArray("-") << 0 << QStringLiteral("无法打开文件") << false;
        QTest::newRow("empty") << QByteArray() << 0 << QString() << true;
        QTest::newRow("blank lines only") << QByteArray("\r\n  \r\n") << 0 << QString() << true;
        QTest::newRow("bad lines")
            << QByteArray("2005013 03 07 12 19 25 31\r\n2005014 01 02 03 04 05 06 07\r\n") << 0
            << QStringLiteral("文本内容中下列行的数据有错误，请纠正再保存！！\n第1行：") << true;
        QTest::newRow("sample") << SampleHistoryBytes() << 3493 << QString() << true;
    }
    void startup() {
        QFETCH(QByteArray, content);
        QFETCH(int, draws);
        QFETCH(QString, message);
        QFETCH(bool, selected);
        QTemporaryDir dir;
        if (content != "-") writeFile(dir.filePath(QStringLiteral("ssq.dxt")), content);
        // Left by a save that was killed before its rename; beside it a copy the user named alike.
        writeFile(dir.filePath(QStringLiteral(".ssq.dxt.kelvora-tmp-Ab12Cd")), "half");
        writeFile(dir.filePath(QStringLiteral("ssq.dxt.Ab12Cd")), "mine");
        ModalCatcher catcher;
        auto form = start(dir.path());
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral(".ssq.dxt.kelvora-tmp-Ab12Cd"))));
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("ssq.dxt.Ab12Cd"))));
        QCOMPARE(int(form->History.size()), draws);
        QCOMPARE(catcher.texts.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(catcher.texts.first().startsWith(message), qPrintable(catcher.texts.first()));
        QCOMPARE(form->dataFileLoaded(), selected);
        QVERIFY(form->windowTitle().startsWith(QStringLiteral("Kelvora  V2005")));
        QCOMPARE(form->GridPctl->currentIndex(), 10);
        QCOMPARE(frontPanel(*form), static_cast<QWidget*>(form->WebPanel));
        if (selected) {
            // The data panel lies under the home page.
            QCOMPARE(visibleSwitchable(*form), 1);
            QVERIFY(!form->DataPanel->isHidden());
            QCOMPARE(form->WebPanel->address(), form->homeUrl());
        } else {
            QCOMPARE(visibleSwitchable(*form), 0);
            QVERIFY(form->WebPanel->address().isEmpty());
        }
        if (content != "-") QCOMPARE(form->DataPanel->DataMemo->toPlainText(), DataFileBytesToText(content));
        if (draws > 0) {
            QCOMPARE(form->History.front().code(), 2003001);
            QCOMPARE(form->History.back().code(), 2026096);
        }
    }

    // An installed copy: the history comes from the user's data folder, seeded from the prefix, and
    // a missing sample is explained while the window still opens.
    void installedStart_data() {
        QTest::addColumn<bool>("sample");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("status");
        QTest::newRow("first start") << true << QString() << QStringLiteral("共3493期，最新2026096期");
        QTest::newRow("sample missing")
            << false << QStringLiteral("找不到随程序安装的开奖数据") << QStringLiteral("共0期");
    }
    void installedStart() {
        QFETCH(bool, sample);
        QFETCH(QString, message);
        QFETCH(QString, status);
        QTemporaryDir prefix, home;
        QVERIFY(QDir().mkpath(prefix.filePath("bin")) && QDir().mkpath(prefix.filePath("share/kelvora")));
        if (sample) writeFile(prefix.filePath("share/kelvora/ssq.dxt"), SampleHistoryBytes());
        const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        ModalCatcher catcher;
        auto form = start(prefix.filePath("bin"));
        qputenv("XDG_DATA_HOME", oldHome);
        const QString dataFile = home.filePath("Kelvora/ssq.dxt");
        QCOMPARE(form->dataLocation().dataFile, dataFile);
        QCOMPARE(form->DataFileName(), dataFile);
        QCOMPARE(QFileInfo::exists(dataFile), sample);
        QCOMPARE(catcher.texts.join('\n').contains(message), true);
        QCOMPARE(catcher.texts.size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(form->statusText(), status);
        QVERIFY(form->dataFileLoaded());
        QCOMPARE(form->WebPanel->address(), form->homeUrl());
        QCOMPARE(QDir(prefix.filePath("bin")).entryList(QDir::Files | QDir::Hidden), QStringList());

        form->HelpMenuAbout->trigger();
        QCOMPARE(catcher.texts.size(), message.isEmpty() ? 1 : 2);
        QVERIFY(catcher.texts.last().contains(dataFile));
        QVERIFY(catcher.texts.last().contains(QStringLiteral("理性购彩")));
    }

    void showCommands_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<int>("page"); // GridPctl page afterwards, -1 = not checked
        QTest::newRow("F2 menu") << "FileMenuManul"
                                 << "DataPanel" << -1;
        QTest::newRow("data button") << "FileMenuManulBt"
                                     << "DataPanel" << -1;
        QTest::newRow("shrink menu") << "RcmMenu"
                                     << "RcmPanel" << -1;
        QTest::newRow("shrink button") << "RcmMenuSuperScaleBt"
                                       << "RcmPanel" << -1;
        QTest::newRow("predict menu") << "PridictMenu"
                                      << "PridictPanel" << -1;
        QTest::newRow("predict button") << "SecMenuBt"
                                        << "PridictPanel" << -1;
        QTest::newRow("query menu") << "SqlMenu"
                                    << "SqlPanel" << -1;
        QTest::newRow("query button") << "SqlMenuBt"
                                      << "SqlPanel" << -1;
        QTest::newRow("chart button keeps page") << "GridMenuBt"
                                                 << "GridPctl" << 10;
        for (int i = 0; i < 13; ++i)
            QTest::addRow("chart item %d", i + 1)
                << QStringLiteral("GridMenuItem%1").arg(i + 1) << "GridPctl" << i;
        QTest::newRow("home page") << "HelpMenuRecm"
                                   << "WebPanel" << -1;
        QTest::newRow("home page button") << "HelpMenuRecmBt"
                                          << "WebPanel" << -1;
        QTest::newRow("news") << "HelpMenuNews"
                              << "WebPanel" << -1;
        QTest::newRow("news button") << "HelpMenuNewsBt"
                                     << "WebPanel" << -1;
        QTest::newRow("support") << "HelpMenuSupport"
                                 << "WebPanel" << -1;
    }
    void showCommands() {
        QFETCH(QString, action);
        QFETCH(QString, panel);
        QFETCH(int, page);
        auto form = start(sampleDir.path());
        form->SqlMenu->trigger(); // something else in front first
        auto* a = form->findChild<QAction*>(action);
        QVERIFY(a);
        a->trigger();
        QWidget* front = frontPanel(*form);
        QVERIFY(front);
        QCOMPARE(front->objectName(), panel);
        if (panel == QLatin1String("WebPanel")) {
            // The panel shown before stays underneath, uncovered only by a later command.
            QVERIFY(!form->SqlPanel->isHidden());
            const QString path = action.startsWith(QLatin1String("HelpMenuNews")) ? "/xinwen.asp" : "/";
            QCOMPARE(form->WebPanel->address(),
                     QUrl(QStringLiteral("http://127.0.0.1:9")).resolved(QUrl(path)));
        } else {
            QCOMPARE(visibleSwitchable(*form), 1);
            QCOMPARE(front->geometry(), form->centralWidget()->rect());
        }
        if (page >= 0) QCOMPARE(form->GridPctl->currentIndex(), page);
    }

    void chartShortcuts_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("page");
        for (int i = 0; i < 9; ++i)
            QTest::addRow("Ctrl+%d", i + 1) << int(Qt::Key_1 + i) << int(Qt::ControlModifier) << i;
        for (int i = 0; i < 5; ++i)
            QTest::addRow("Shift+F%d", i + 1) << int(Qt::Key_F1 + i) << int(Qt::ShiftModifier) << 9 + i;
    }
    void chartShortcuts() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, page);
        auto form = start(sampleDir.path());
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->SqlMenu->trigger();
        QTest::keyClick(form.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(frontPanel(*form), static_cast<QWidget*>(form->GridPctl));
        QCOMPARE(form->GridPctl->currentIndex(), page);
        QVERIFY(form->SqlPanel->isHidden());
        // The chart button then shows the page chosen last.
        form->FileMenuManul->trigger();
        form->GridMenuBt->trigger();
        QCOMPARE(frontPanel(*form), static_cast<QWidget*>(form->GridPctl));
        QCOMPARE(form->GridPctl->currentIndex(), page);
    }

    void otherShortcuts() {
        auto form = start(sampleDir.path());
        QCOMPARE(form->FileMenuManul->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(form->FileMenuDown->shortcut(), QKeySequence(Qt::Key_F3));
        QCOMPARE(form->HelpMenuTopic->shortcut(), QKeySequence(Qt::Key_F1));
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->SqlMenu->trigger();
        QTest::keyClick(form.get(), Qt::Key_F2);
        QCOMPARE(frontPanel(*form), static_cast<QWidget*>(form->DataPanel));
    }

    void chartPageCaptions() {
        auto form = start(sampleDir.path());
        QCOMPARE(form->GridPctl->count(), 14);
        const QStringList captions = {"红球走势图", "区域分布图", "尾号走势图", "奇偶走势图", "大小走势图",
                                      "空行空列图", "红球统计图", "旋转图",     "蓝球走势图", "蓝球统计图",
                                      "遗漏统计图", "江恩图",     "统计分析表", "奖池与销量"};
        for (int i = 0; i < 14; ++i) {
            QCOMPARE(form->GridPctl->tabText(i), captions[i]);
            QCOMPARE(form->GridMenuItems[i]->text(), captions[i]);
            QCOMPARE(form->GridMenuItems[i]->data().toInt(), i);
        }
    }

    void toolBarOrderAndHints() {
        auto form = start(sampleDir.path());
        QStringList captions;
        for (QAction* a : form->MainTbr->actions())
            captions << (a->isSeparator() ? QStringLiteral("|") : a->text());
        QCOMPARE(
            captions.join(QLatin1Char(' ')),
            QStringLiteral(
                "数据更新 | 常用图表 | 超强缩水 | 智能预测 | 查询统计 | Tessane推荐 彩票新闻 | 关闭退出"));

        // The long hint goes to status panel 0 while the pointer is on the button; leaving brings
        // back the last status message.
        form->setStatusText(QStringLiteral("保存文档完毕"));
        QWidget* button = form->MainTbr->widgetForAction(form->SqlMenuBt);
        form->SqlMenuBt->showStatusText(button);
        QCOMPARE(form->statusText(), QStringLiteral("进入号码查询模块查询历史开奖号码。 "));
        QStatusTipEvent leave{QString()};
        QApplication::sendEvent(button, &leave);
        QCOMPARE(form->statusText(), QStringLiteral("保存文档完毕"));

        form->FileMenuDown->showStatusText(form.get());
        QCOMPARE(form->statusText(), QStringLiteral("直接从网站下载开奖数据"));
        QCOMPARE(form->FileMenuDown->toolTip(), QStringLiteral("在线更新开奖数据"));

        // No short part: no tool tip on the tool-bar buttons.
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QHelpEvent tip(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(button, &tip);
        QVERIFY(!QToolTip::isVisible());
        QVERIFY(button->width() >= 63 && button->height() >= 45);
        // Captions are not clipped.
        for (QAction* a : form->MainTbr->actions())
            if (!a->isSeparator()) {
                QWidget* w = form->MainTbr->widgetForAction(a);
                QVERIFY2(w->width() >= w->fontMetrics().horizontalAdvance(a->text()), qPrintable(a->text()));
            }
    }

    void helpOpensReadme() {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
        {
            auto form = start(sampleDir.path());
            form->HelpMenuTopic->trigger();
        }
        QTemporaryDir noReadme;
        writeFile(noReadme.filePath(QStringLiteral("ssq.dxt")), QByteArray());
        ModalCatcher catcher;
        {
            auto form = start(noReadme.path());
            form->HelpMenuTopic->trigger();
        }
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(recorder.urls, QList<QUrl>{QUrl::fromLocalFile(
                                    QDir(sampleDir.path()).filePath(QStringLiteral("readme.txt")))});
        QCOMPARE(catcher.dialogs, 0);
    }

    void exitAsksAboutUnsavedEdits_data() {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("no edits: no question") << false << 0 << true << false;
        QTest::newRow("保存") << true << int(QMessageBox::Save) << true << true;
        QTest::newRow("不保存") << true << int(QMessageBox::Discard) << true << false;
        QTest::newRow("取消") << true << int(QMessageBox::Cancel) << false << false;
    }
    void exitAsksAboutUnsavedEdits() {
        QFETCH(bool, edit);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QByteArray before = "2005013 03 07 12 19 25 31 09\r\n";
        writeFile(dir.filePath(QStringLiteral("ssq.dxt")), before);
        auto form = start(dir.path());
        form->show();
        QCOMPARE(form->windowTitle(), TMainForm::Caption());
        if (edit) form->DataPanel->DataMemo->appendPlainText(QStringLiteral("2005014 01 02 03 04 05 06 07"));
        QCOMPARE(form->windowTitle(), edit ? QLatin1Char('*') + TMainForm::Caption() : TMainForm::Caption());
        ModalCatcher catcher;
        catcher.answers = {QMessageBox::StandardButton(answer)};
        form->FileMenuExitBt->trigger();
        QCOMPARE(catcher.texts,
                 edit ? QStringList{QStringLiteral("开奖数据已修改，是否保存？")} : QStringList{});
        QCOMPARE(form->isVisible(), !closes);
        QCOMPARE(readFile(dir.filePath(QStringLiteral("ssq.dxt"))),
                 saved ? before + "2005014 01 02 03 04 05 06 07\r\n" : before);
        QCOMPARE(int(form->History.size()), saved ? 2 : 1);
        QCOMPARE(form->windowTitle().startsWith(QLatin1Char('*')), edit && !saved);
        if (!closes) QVERIFY(form->DataPanel->DataMemo->toPlainText().endsWith(QStringLiteral("05 06 07")));
    }

    void saveRestartRoundTrip() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("ssq.dxt"));
        writeFile(file, SampleHistoryBytes());
        {
            auto form = start(dir.path());
            form->DataPanel->Sheet1TbrSaveBtClick();
            QCOMPARE(form->statusText(), QStringLiteral("保存文档完毕"));
        }
        QCOMPARE(readFile(file), SampleHistoryBytes());
        {
            auto form = start(dir.path());
            form->DataPanel->DataMemo->appendPlainText(QStringLiteral("2026097 02 04 06 08 10 12 14"));
            form->DataPanel->Sheet1TbrSaveBtClick();
            QCOMPARE(int(form->History.size()), 3494);
        }
        QCOMPARE(readFile(file), SampleHistoryBytes() + "2026097 02 04 06 08 10 12 14\r\n");
        {
            auto form = start(dir.path());
            QCOMPARE(int(form->History.size()), 3494);
            QCOMPARE(form->History.back().code(), 2026097);
            ModalCatcher catcher;
            catcher.answers = {QMessageBox::Yes, QMessageBox::Yes}; // clear, then save the empty editor
            form->DataPanel->Sheet1TbrClearBtClick();
            QVERIFY(form->History.empty());
            QCOMPARE(readFile(file).size(), SampleHistoryBytes().size() + 30); // clearing writes nothing
            form->DataPanel->Sheet1TbrSaveBtClick();
        }
        QCOMPARE(QFileInfo(file).size(), 0);
        ModalCatcher catcher;
        auto form = start(dir.path());
        QVERIFY(form->History.empty());
        QVERIFY(form->DataPanel->DataMemo->toPlainText().isEmpty());
        QCOMPARE(catcher.dialogs, 0);
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
