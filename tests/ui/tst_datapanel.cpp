#include "history/DataPanel.h"

#include "../ModalCatcher.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
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
                 QStringList{QStringLiteral("文本内容中下列行的数据有错误，请纠正再保存！！\n2,")});
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
        panel.DataMemo->setPlainText(QStringLiteral("old text"));
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

    void badNumbersKeepHistory() {
        TCodeArr history;
        TDataPanel panel(history);
        panel.DataMemo->setPlainText(QStringLiteral("2005013 03 07 12 19 25 31 09"));
        QVERIFY(panel.DataTxtToCodeArr());
        panel.DataMemo->setPlainText(
            QStringLiteral("2005013 03 07 12 19 25 31 09\n2005014 0x 07 12 19 25 31 09\n"
                           "2005015 03 07 12 19 25 31 0y"));
        ModalCatcher catcher;
        QVERIFY(!panel.DataTxtToCodeArr());
        QCOMPARE(catcher.texts,
                 (QStringList{QStringLiteral("第2行数据有错误！！"), QStringLiteral("第3行数据有错误！！")}));
        QCOMPARE(int(history.size()), 1);
    }
};

QTEST_MAIN(TestDataPanel)
#include "tst_datapanel.moc"
