#include "engine/core/KelvoraError.h"
#include "engine/history/DataFile.h"
#include "ui/history/AddDrawBar.h"
#include "ui/history/DataPanel.h"

#include "support/ModalCatcher.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

class TestDataPanel : public QObject {
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

  private slots:
    void caret_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("status");
        QTest::newRow("start") << 0 << QStringLiteral("第1行1列");
        QTest::newRow("end of first line") << 5 << QStringLiteral("第1行6列");
        QTest::newRow("third line") << 13 << QStringLiteral("第3行2列");
    }
    void caret() {
        QFETCH(int, position);
        QFETCH(QString, status);
        TCodeArr history;
        TDataPanel panel(history);
        panel.DataMemo->setPlainText(QStringLiteral("abcde\nfghij\nklmno"));
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QTextCursor c = panel.DataMemo->textCursor();
        c.setPosition(position);
        panel.DataMemo->setTextCursor(c);
        QSignalSpy spy(&panel, &TDataPanel::statusText);

        // A key release only counts while the editor has the focus.
        panel.Sheet1TbrSaveBt->setFocus();
        QTest::keyRelease(panel.DataMemo, Qt::Key_Shift);
        QCOMPARE(spy.size(), 0);
        panel.DataMemo->setFocus();
        QTest::keyRelease(panel.DataMemo, Qt::Key_Shift);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.last().first().toString(), status);

        // A click moves the caret to the click point and shows where it landed.
        QTest::mouseClick(panel.DataMemo->viewport(), Qt::LeftButton, {}, QPoint(1, 2));
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy.last().first().toString(), QStringLiteral("第1行1列"));
    }

    void saveWritesBeforeReportingBadLines() {
        QTemporaryDir dir;
        TCodeArr history;
        TDataPanel panel(history);
        panel.setProgramDir(dir.path());
        panel.DataMemo->setPlainText(
            QStringLiteral("2005013 03 07 12 19 25 31 09\n2005014 3 07 12 19 25 31 09"));
        ModalCatcher catcher;
        panel.Sheet1TbrSaveBtClick();
        QCOMPARE(readFile(panel.DataFileName),
                 QByteArray("2005013 03 07 12 19 25 31 09\r\n2005014 3 07 12 19 25 31 09\r\n"));
        QCOMPARE(catcher.texts,
                 QStringList{QStringLiteral(
                     "文本内容中下列行的数据有错误，请纠正再保存！！\n第2行：号码'3'不是两位")});
        QVERIFY(history.empty());
    }

    void saveFailureKeepsEditor() {
        QTemporaryDir dir;
        TCodeArr history;
        TDataPanel panel(history);
        panel.setProgramDir(dir.filePath(QStringLiteral("missing/sub")));
        panel.DataMemo->setPlainText(QStringLiteral("2005013 03 07 12 19 25 31 09"));
        QSignalSpy spy(&panel, &TDataPanel::statusText);
        ModalCatcher catcher;
        panel.Sheet1TbrSaveBtClick();
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY(catcher.texts[0].startsWith(QStringLiteral("无法保存文件")));
        QCOMPARE(spy.size(), 0);
        QCOMPARE(panel.DataMemo->toPlainText(), QStringLiteral("2005013 03 07 12 19 25 31 09"));
        QVERIFY(history.empty()); // the parse after the save did not run
    }

    void importThroughDialog() {
        QTemporaryDir dir;
        const QString other = dir.filePath(QStringLiteral("other.txt"));
        writeFile(other, "2005013 03 07 12 19 25 31 09\r\n2005014 01 02 03 04 05 06 16\r\n");
        TCodeArr history;
        TDataPanel panel(history);
        panel.setProgramDir(dir.path());
        ModalCatcher catcher;
        catcher.fileToChoose = other;
        panel.Sheet1TbrOmportBtClick();
        QVERIFY(catcher.fileFilters.join(QLatin1Char(';')).contains(QStringLiteral("文本文件 (*.txt)")));
        QCOMPARE(int(history.size()), 2);
        QCOMPARE(panel.DataMemo->toPlainText(),
                 QStringLiteral("2005013 03 07 12 19 25 31 09\n2005014 01 02 03 04 05 06 16"));
        QVERIFY(!QFileInfo::exists(panel.DataFileName)); // importing does not save

        // Cancelling changes nothing.
        catcher.fileToChoose.clear();
        panel.Sheet1TbrOmportBtClick();
        QCOMPARE(int(history.size()), 2);
    }

    // An import adds what is new, keeps what is held, names what contradicts it, and is one undo step.
    void importMergesByIssue() {
        QTemporaryDir dir;
        const QString held = QStringLiteral("2026094 01 02 03 04 05 06 07\n2026096 01 04 16 22 26 31 04");
        const QString file = dir.filePath(QStringLiteral("web.csv"));
        writeFile(file, "2026097,1,4,16,22,26,31,4\n2026096,1,4,16,22,26,31,5\n2026095,2,5,10,11,20,33,16\n"
                        "2026094,1,2,3,4,5,6,7\n");
        TCodeArr history;
        TDataPanel panel(history);
        panel.DataMemo->setPlainText(held);
        QVERIFY(panel.DataTxtToCodeArr());
        QSignalSpy status(&panel, &TDataPanel::statusText);
        ModalCatcher catcher;
        panel.ImportDataFile(file);
        QCOMPARE(catcher.texts.value(0),
                 QStringLiteral("新增2期，相同1期，冲突1期（未导入）\n第2026096期：导入 01 04 16 22 "
                                "26 31+05，已有 01 04 16 22 26 31+04"));
        QCOMPARE(panel.DataMemo->toPlainText(),
                 QStringLiteral("2026094 01 02 03 04 05 06 07\n2026095 02 05 10 11 20 33 16\n"
                                "2026096 01 04 16 22 26 31 04\n2026097 01 04 16 22 26 31 04"));
        QCOMPARE(int(history.size()), 4);
        QCOMPARE(status.last().first().toString(), QStringLiteral("共4期，最新2026097期"));
        panel.DataMemo->setFocus();
        QTest::keyClick(panel.DataMemo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(panel.DataMemo->toPlainText(), held);

        // Replacing everything is its own command, and its question names the draws it drops.
        catcher.texts.clear();
        catcher.answers = {QMessageBox::No};
        panel.ImportReplacingDataFile(file);
        QCOMPARE(panel.DataMemo->toPlainText(), held);
        QVERIFY2(catcher.texts.value(0).contains(QStringLiteral("其中0期不在文件中")),
                 qPrintable(catcher.texts.value(0)));
        writeFile(file, "2026097,1,4,16,22,26,31,4\n");
        catcher.answers = {QMessageBox::Yes};
        panel.ImportReplacingDataFile(file);
        QVERIFY2(catcher.texts.value(1).contains(QStringLiteral("全部2期开奖数据，其中2期不在文件中")),
                 qPrintable(catcher.texts.value(1)));
        QCOMPARE(panel.DataMemo->toPlainText(), QStringLiteral("2026097 01 04 16 22 26 31 04"));

        // A file that holds no draw changes nothing.
        writeFile(file, QByteArray("\xff\xfe\x00\x00", 4));
        QVERIFY_THROWS_EXCEPTION(KelvoraError, panel.ImportDataFile(file));
        QCOMPARE(panel.DataMemo->toPlainText(), QStringLiteral("2026097 01 04 16 22 26 31 04"));
    }

    void importOfVanishedFileChangesNothing() {
        QTemporaryDir dir;
        TCodeArr history;
        TDataPanel panel(history);
        panel.DataMemo->setPlainText(QStringLiteral("kept"));
        ModalCatcher catcher;
        bool threw = false;
        try {
            panel.ImportDataFile(dir.filePath(QStringLiteral("gone.txt")));
        } catch (const std::exception&) {
            threw = true;
        }
        QVERIFY(threw);
        QCOMPARE(panel.DataMemo->toPlainText(), QStringLiteral("kept"));
    }

    void mixedFaultsInOneBox() {
        TCodeArr history;
        TDataPanel panel(history);
        panel.DataMemo->setPlainText(QStringLiteral("2005013 03 07 12 19 25 31 09"));
        QVERIFY(panel.DataTxtToCodeArr());
        panel.DataMemo->setPlainText(
            QStringLiteral("2005013 03 07 12 19 25 31 09\n2005014 0x 07 12 19 25 31 09\n"
                           "2005015 03 07 12 19 25 34 09\n2005016 03 07 12 19 25 31 0y\n2005017 03 07"));
        ModalCatcher catcher;
        QVERIFY(!panel.DataTxtToCodeArr());
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("文本内容中下列行的数据有错误，请纠正再保存！！\n"
                                                           "第2行：'0x' 不是数字\n第3行：红球34超出范围\n"
                                                           "第4行：'0y' 不是数字\n第5行：只有2个号码")});
        QCOMPARE(int(history.size()), 1);
    }

    void clearAsksAndUndoes() {
        QTemporaryDir dir;
        const QByteArray saved = "2005013 03 07 12 19 25 31 09\r\n2005014 01 02 03 04 05 06 16\r\n";
        writeFile(DataFileNameIn(dir.path(), Game::ssq()), saved);
        TCodeArr history;
        TDataPanel panel(history);
        panel.setProgramDir(dir.path());
        panel.LoadDataFile(panel.DataFileName);
        QCOMPARE(int(history.size()), 2);
        QVERIFY(!panel.isModified());
        ModalCatcher catcher;
        catcher.answers = {QMessageBox::No};
        panel.Sheet1TbrClearBtClick();
        QCOMPARE(catcher.texts.size(), 1);
        QCOMPARE(int(history.size()), 2);
        QVERIFY(!panel.DataMemo->toPlainText().isEmpty());

        catcher.answers = {QMessageBox::Yes};
        panel.Sheet1TbrClearBtClick();
        QVERIFY(panel.DataMemo->toPlainText().isEmpty());
        QVERIFY(history.empty());
        QVERIFY(panel.isModified());
        panel.DataMemo->setFocus();
        QTest::keyClick(panel.DataMemo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(panel.DataMemo->toPlainText(), DataFileBytesToText(saved));
        QVERIFY(!panel.isModified());

        // Saving the emptied editor over the draws asks again; 否 keeps the file.
        catcher.answers = {QMessageBox::Yes, QMessageBox::No};
        panel.Sheet1TbrClearBtClick();
        panel.Sheet1TbrSaveBtClick();
        QCOMPARE(readFile(panel.DataFileName), saved);
        QVERIFY(panel.isModified());
        catcher.answers = {QMessageBox::Yes};
        panel.Sheet1TbrSaveBtClick();
        QCOMPARE(QFileInfo(panel.DataFileName).size(), 0);
        QCOMPARE(readFile(BackupFileName(panel.DataFileName)), saved);
        QVERIFY(!panel.isModified());
    }

    // Enter on a question that would drop draws answers 否 and keeps editor and file as they were.
    void enterKeepsData_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("清空数据") << QStringLiteral("clear");
        QTest::newRow("导入并替换全部数据") << QStringLiteral("replace");
        QTest::newRow("保存空的编辑器") << QStringLiteral("save empty");
    }
    void enterKeepsData() {
        QFETCH(QString, command);
        QTemporaryDir dir;
        const QByteArray saved = "2005013 03 07 12 19 25 31 09\r\n2005014 01 02 03 04 05 06 16\r\n";
        writeFile(DataFileNameIn(dir.path(), Game::ssq()), saved);
        const QString other = dir.filePath(QStringLiteral("other.txt"));
        writeFile(other, "2005015 01 02 03 04 05 06 07\r\n");
        TCodeArr history;
        TDataPanel panel(history);
        panel.setProgramDir(dir.path());
        panel.LoadDataFile(panel.DataFileName);
        if (command == QLatin1String("save empty")) panel.DataMemo->clear();
        const QString before = panel.DataMemo->toPlainText();

        QStringList defaults;
        QTimer poll;
        poll.setInterval(5);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            poll.stop();
            defaults.append(box->defaultButton() ? box->defaultButton()->text() : QString());
            QTest::keyClick(box, Qt::Key_Return);
        });
        poll.start();
        if (command == QLatin1String("clear"))
            panel.Sheet1TbrClearBtClick();
        else if (command == QLatin1String("replace"))
            panel.ImportReplacingDataFile(other);
        else
            panel.Sheet1TbrSaveBtClick();

        QCOMPARE(defaults, QStringList{QStringLiteral("否")});
        QCOMPARE(panel.DataMemo->toPlainText(), before);
        QCOMPARE(readFile(panel.DataFileName), saved);
    }

    void saveKeepsOneBackup() {
        QTemporaryDir dir;
        TCodeArr history;
        TDataPanel panel(history);
        panel.setProgramDir(dir.path());
        const QString bak = BackupFileName(panel.DataFileName);
        const QString lines[3] = {QStringLiteral("2005013 03 07 12 19 25 31 09"),
                                  QStringLiteral("2005014 01 02 03 04 05 06 16"),
                                  QStringLiteral("2005015 05 06 07 08 09 10 11")};
        ModalCatcher catcher;
        panel.DataMemo->setPlainText(lines[0]);
        panel.Sheet1TbrSaveBtClick();
        QVERIFY(!QFileInfo::exists(bak)); // nothing was there before
        panel.DataMemo->appendPlainText(lines[1]);
        panel.Sheet1TbrSaveBtClick();
        QCOMPARE(readFile(bak), lines[0].toLatin1() + "\r\n");
        // Saving unchanged text keeps the older generation.
        panel.Sheet1TbrSaveBtClick();
        QCOMPARE(readFile(bak), lines[0].toLatin1() + "\r\n");
        panel.DataMemo->appendPlainText(lines[2]);
        panel.Sheet1TbrSaveBtClick();
        QCOMPARE(readFile(bak), (lines[0] + "\r\n" + lines[1] + "\r\n").toLatin1());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary file left
        QCOMPARE(catcher.dialogs, 0);
    }

    void warningsInOneBox() {
        QTemporaryDir dir;
        TCodeArr history;
        TDataPanel panel(history);
        panel.setProgramDir(dir.path());
        panel.DataMemo->setPlainText(
            QStringLiteral("2005013 03 07 12 19 25 31 09\n2005014 01 02 03 04 05 06 16\n"
                           "2005013 05 06 07 09 08 10 11"));
        ModalCatcher catcher;
        panel.Sheet1TbrSaveBtClick();
        QCOMPARE(int(history.size()), 3); // warnings do not refuse
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY2(catcher.texts[0].endsWith(
                     QStringLiteral("\n警告：第3行期号与第1行重复\n"
                                    "警告：第3行期号小于上一行\n警告：第3行红球不是从小到大排列")),
                 qPrintable(catcher.texts[0]));
    }

    void addDraw() {
        TCodeArr history;
        TDataPanel panel(history);
        panel.DataMemo->setPlainText(QStringLiteral("2026096 01 04 16 22 26 31 04"));
        QVERIFY(panel.DataTxtToCodeArr());
        TAddDrawBar* bar = panel.AddDrawBar;
        QCOMPARE(bar->IssueSe->value(), 2026097);
        QCOMPARE(bar->RedSe[0]->text(), QString()); // nothing to add by one click
        const int picks[6] = {33, 5, 17, 5, 9, 2};
        for (int k = 0; k < 6; ++k)
            bar->RedSe[k]->setValue(picks[k]);
        bar->BlueSe->setValue(7);
        ModalCatcher catcher;
        QTest::mouseClick(bar->AddBt, Qt::LeftButton);
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY(catcher.texts[0].contains(QStringLiteral("05")));
        QCOMPARE(panel.DataMemo->toPlainText(), QStringLiteral("2026096 01 04 16 22 26 31 04"));
        bar->RedSe[3]->setValue(12);
        QTest::mouseClick(bar->AddBt, Qt::LeftButton);
        QCOMPARE(panel.DataMemo->toPlainText(),
                 QStringLiteral("2026096 01 04 16 22 26 31 04\n2026097 02 05 09 12 17 33 07"));
        QCOMPARE(bar->IssueSe->value(), 2026098);
        QVERIFY(panel.isModified());
        QCOMPARE(bar->RedSe[3]->text(), QString()); // the next draw is typed afresh

        // The editor's draws count before they are saved: a held code, an older one and a gap.
        const QString twoDraws = panel.DataMemo->toPlainText();
        catcher.texts.clear();
        for (int issue : {2026097, 2026050}) {
            bar->IssueSe->setValue(issue);
            QTest::mouseClick(bar->AddBt, Qt::LeftButton);
        }
        QCOMPARE(panel.DataMemo->toPlainText(), twoDraws);
        QCOMPARE(catcher.texts.size(), 2);
        QVERIFY(catcher.texts[0].contains(QStringLiteral("已有开奖数据")));
        QVERIFY(catcher.texts[1].contains(QStringLiteral("早于最新一期2026097")));
        const int added[7] = {2, 5, 9, 12, 17, 33, 7};
        for (int k = 0; k < 6; ++k)
            bar->RedSe[k]->setValue(added[k]);
        bar->BlueSe->setValue(added[6]);
        bar->IssueSe->setValue(2026100);
        catcher.answers = {QMessageBox::No};
        QTest::mouseClick(bar->AddBt, Qt::LeftButton);
        QCOMPARE(panel.DataMemo->toPlainText(), twoDraws);
        QVERIFY(catcher.texts[2].contains(QStringLiteral("缺少2期")));
        QCOMPARE(bar->RedSe[5]->value(), 33); // a refused add keeps what was typed
        bar->IssueSe->setValue(2027001);
        QTest::mouseClick(bar->AddBt, Qt::LeftButton);
        QCOMPARE(panel.DataMemo->toPlainText(), twoDraws + QStringLiteral("\n2027001 02 05 09 12 17 33 07"));
        QCOMPARE(bar->IssueSe->value(), 2027002);
    }

    // The game is a parameter of the panel: 添加开奖 with the game's number boxes, a merging import
    // and one message for every faulty line of a bad import, with nothing changed.
    void gameDraws_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("held");
        QTest::addColumn<QList<int>>("numbers"); // fronts, then backs
        QTest::addColumn<QString>("added");
        QTest::addColumn<QByteArray>("import"); // a new draw and the added one
        QTest::addColumn<QByteArray>("bad");    // two faulty lines
        QTest::addColumn<QStringList>("faults");
        QTest::newRow("ssq") << "ssq"
                             << "2026096 01 04 16 22 26 31 04" << QList<int>{33, 5, 17, 12, 9, 2, 7}
                             << "2026097 02 05 09 12 17 33 07"
                             << QByteArray("2026098,1,2,3,4,5,6,7\n2026097 02 05 09 12 17 33 07\n")
                             << QByteArray("2026099 01 02 03 04 05 06\n2026100 01 02 03 04 05 34 07\n")
                             << QStringList{"第1行", "第2行", "34"};
        QTest::newRow("dlt") << "dlt"
                             << "2026094 05 14 15 17 33 01 07" << QList<int>{35, 3, 20, 12, 8, 12, 2}
                             << "2026095 03 08 12 20 35 02 12"
                             << QByteArray("2026096,1,2,3,4,5,6,7\n2026095 03 08 12 20 35 02 12\n")
                             << QByteArray("2026097 01 02 03 04 05 06 07 08\n2026098 01 02 03 04 36 01 02\n")
                             << QStringList{"第1行", "第2行", "36"};
    }
    void gameDraws() {
        QFETCH(QString, game);
        QFETCH(QString, held);
        QFETCH(QList<int>, numbers);
        QFETCH(QString, added);
        QFETCH(QByteArray, import);
        QFETCH(QByteArray, bad);
        QFETCH(QStringList, faults);
        const Game& g = *Game::find(game);
        QTemporaryDir dir;
        TCodeArr history;
        TDataPanel panel(history);
        panel.setProgramDir(dir.path());
        panel.setGame(g);
        QCOMPARE(panel.DataFileName, dir.filePath(g.dataFileName()));
        panel.DataMemo->setPlainText(held);
        QVERIFY(panel.DataTxtToCodeArr());
        TAddDrawBar* bar = panel.AddDrawBar;
        int shown = 0;
        for (QSpinBox* box : bar->RedSe)
            shown += !box->isHidden();
        QCOMPARE(shown, g.frontPicks);
        QCOMPARE(bar->BackSe2->isHidden(), g.backPicks == 1);
        // The boxes take any two digits (the add checks the game's range); the labels say whose.
        QCOMPARE(bar->FrontLabel->text(), g.front());
        QCOMPARE(bar->BackLabel->text(), g.back());

        // A repeated front number is refused; the editor keeps its text.
        for (int k = 0; k < g.frontPicks; ++k)
            bar->RedSe[k]->setValue(numbers[k == 1 ? 0 : k]);
        bar->BlueSe->setValue(numbers[g.frontPicks]);
        if (g.backPicks > 1) bar->BackSe2->setValue(numbers[g.frontPicks + 1]);
        ModalCatcher catcher;
        QTest::mouseClick(bar->AddBt, Qt::LeftButton);
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY2(catcher.texts[0].contains(g.front()), qPrintable(catcher.texts[0]));
        QCOMPARE(panel.DataMemo->toPlainText(), held);
        bar->RedSe[1]->setValue(numbers[1]);
        QTest::mouseClick(bar->AddBt, Qt::LeftButton);
        QCOMPARE(panel.DataMemo->toPlainText(), held + QLatin1Char('\n') + added);

        const QString file = dir.filePath(QStringLiteral("web.txt"));
        writeFile(file, import);
        catcher.texts.clear();
        panel.ImportDataFile(file);
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("新增1期，相同1期，冲突0期（未导入）")});
        QCOMPARE(int(history.size()), 3);
        const QString merged = panel.DataMemo->toPlainText();

        writeFile(file, bad);
        bool refused = false;
        try {
            panel.ImportDataFile(file);
        } catch (const KelvoraError& e) {
            refused = true;
            for (const QString& fault : faults)
                QVERIFY2(e.message().contains(fault), qPrintable(e.message()));
        }
        QVERIFY(refused);
        QCOMPARE(panel.DataMemo->toPlainText(), merged);
        QCOMPARE(int(history.size()), 3);
    }

    // 添加开奖 takes the keys as typed: what lies outside the game's range or is missing is refused
    // with a message, never changed into another number, and nothing is added.
    void addDrawKeepsTypedInput_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QStringList>("typed"); // fronts, then backs
        QTest::addColumn<QString>("message");   // a part of it; empty: added
        QTest::newRow("ssq 36") << "ssq" << QStringList{"36", "5", "17", "12", "9", "2", "7"}
                                << "红球必须在01到33之间";
        QTest::newRow("ssq 00") << "ssq" << QStringList{"1", "5", "00", "12", "9", "2", "7"}
                                << "红球必须在01到33之间";
        QTest::newRow("ssq blue 17") << "ssq" << QStringList{"1", "5", "13", "12", "9", "2", "17"}
                                     << "蓝球必须在01到16之间";
        QTest::newRow("ssq one empty") << "ssq" << QStringList{"1", "5", "13", "", "9", "2", "7"}
                                       << "请填写这一期的全部号码：6个红球和1个蓝球";
        QTest::newRow("ssq 13 and 5 kept")
            << "ssq" << QStringList{"13", "5", "17", "12", "9", "2", "7"} << "";
        QTest::newRow("dlt 36") << "dlt" << QStringList{"36", "3", "20", "12", "8", "2", "12"}
                                << "前区必须在01到35之间";
        QTest::newRow("dlt back 13") << "dlt" << QStringList{"35", "3", "20", "12", "8", "13", "2"}
                                     << "后区必须在01到12之间";
        QTest::newRow("dlt back empty")
            << "dlt" << QStringList{"35", "3", "20", "12", "8", "2", ""} << "5个前区和2个后区";
        QTest::newRow("dlt added") << "dlt" << QStringList{"35", "3", "20", "12", "8", "12", "2"} << "";
    }
    void addDrawKeepsTypedInput() {
        QFETCH(QString, game);
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        const Game& g = *Game::find(game);
        TCodeArr history;
        TDataPanel panel(history);
        panel.setGame(g);
        const QString held = QStringLiteral("2026041 01 02 03 04 05 06 07");
        panel.DataMemo->setPlainText(held);
        QVERIFY(panel.DataTxtToCodeArr());
        TAddDrawBar* bar = panel.AddDrawBar;
        QCOMPARE(bar->IssueSe->text(), QStringLiteral("2026042"));
        QList<QSpinBox*> boxes;
        for (int k = 0; k < g.frontPicks; ++k)
            boxes << bar->RedSe[k];
        boxes << bar->BlueSe;
        if (g.backPicks > 1) boxes << bar->BackSe2;
        QCOMPARE(boxes.size(), typed.size());
        // Each box holds the number typed into it, whatever the game's range; an empty one none.
        const auto holdsTyped = [&] {
            for (int k = 0; k < boxes.size(); ++k) {
                QCOMPARE(boxes[k]->value(), typed[k].isEmpty() ? -1 : typed[k].toInt());
                QCOMPARE(boxes[k]->text().isEmpty(), typed[k].isEmpty());
                QCOMPARE(boxes[k]->text().toInt(), typed[k].toInt());
            }
        };
        for (int k = 0; k < boxes.size(); ++k) {
            QCOMPARE(boxes[k]->text(), QString());
            QTest::keyClicks(boxes[k], typed[k]);
        }
        holdsTyped();
        ModalCatcher catcher;
        QTest::mouseClick(bar->AddBt, Qt::LeftButton);
        if (message.isEmpty()) {
            QCOMPARE(catcher.texts, QStringList());
            QCOMPARE(panel.DataMemo->toPlainText().split(u'\n').size(), 2);
            return;
        }
        QCOMPARE(catcher.texts.size(), 1);
        QVERIFY2(catcher.texts[0].contains(message), qPrintable(catcher.texts[0]));
        QCOMPARE(panel.DataMemo->toPlainText(), held);
        holdsTyped();
    }

    // The 期号 offered follows the editor's draws: back after Ctrl+Z of an added draw, and into
    // the next year after a year's last draw.
    void addDrawIssueFollowsTheDraws() {
        TCodeArr history;
        TDataPanel panel(history);
        panel.DataMemo->setPlainText(
            QStringLiteral("2025150 01 02 03 04 05 06 07\n2025151 01 04 16 22 26 31 04"));
        QVERIFY(panel.DataTxtToCodeArr());
        TAddDrawBar* bar = panel.AddDrawBar;
        // The clock is past 2025, so the year is over: the same-year code asks about a gap no more.
        QCOMPARE(bar->IssueSe->value(), 2026001);
        const int numbers[7] = {3, 8, 12, 19, 25, 33, 9};
        for (int k = 0; k < 6; ++k)
            bar->RedSe[k]->setValue(numbers[k]);
        bar->BlueSe->setValue(numbers[6]);
        ModalCatcher catcher;
        QTest::mouseClick(bar->AddBt, Qt::LeftButton);
        QCOMPARE(catcher.texts, QStringList());
        QVERIFY(panel.DataMemo->toPlainText().endsWith(QStringLiteral("\n2026001 03 08 12 19 25 33 09")));
        QCOMPARE(bar->IssueSe->value(), 2026002);
        panel.DataMemo->undo();
        QVERIFY(panel.DataMemo->toPlainText().endsWith(QStringLiteral("2025151 01 04 16 22 26 31 04")));
        QTRY_COMPARE(bar->IssueSe->value(), 2026001);
        panel.DataMemo->redo();
        QTRY_COMPARE(bar->IssueSe->value(), 2026002);
    }
};

QTEST_MAIN(TestDataPanel)
#include "tst_datapanel.moc"
