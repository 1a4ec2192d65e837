#include "engine/history/HistoryLoader.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The shared loader names every fault of the history file the same way for the window and the CLI.
class TestHistoryLoader : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

  private slots:
    void messages_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // "-" = no file, "/" = a folder of that name
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message"); // %1 = the path as shown
        QTest::newRow("missing") << "none.dxt" << QByteArray("-") << int(HistoryLoad::FileError)
                                 << QStringLiteral("无法打开文件 \"%1\"：文件不存在");
        // A folder is named as one, not blamed on permissions.
        QTest::newRow("folder") << "folder.dxt" << QByteArray("/") << int(HistoryLoad::FileError)
                                << QStringLiteral("无法打开文件 \"%1\"：这是一个文件夹，不是文件");
        QTest::newRow("malformed")
            << "bad.dxt" << QByteArray("2005013 03 07 12 19 25 31\r\n2005014 0a 07 12 19 25 31 09\r\n")
            << int(HistoryLoad::Refused)
            << QStringLiteral("文本内容中下列行的数据有错误，请纠正再保存！！\n第1行：只有6个号码\n"
                              "第2行：'0a' 不是数字");
        QTest::newRow("empty") << "empty.dxt" << QByteArray() << int(HistoryLoad::Ok) << QString();
        QTest::newRow("good") << "good.dxt" << QByteArray("2005013 03 07 12 19 25 31 09\r\n")
                              << int(HistoryLoad::Ok) << QString();
    }
    void messages() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(int, status);
        QFETCH(QString, message);
        const QString path = m_dir.filePath(name);
        if (content == "/") {
            QVERIFY(QDir().mkpath(path));
        } else if (content != "-") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const HistoryLoad load = LoadHistory(path, Game::ssq());
        QCOMPARE(int(load.status), status);
        const QString expected =
            message.contains(QLatin1String("%1")) ? message.arg(QDir::toNativeSeparators(path)) : message;
        QCOMPARE(load.message, expected);
        QCOMPARE(load.fileEmpty, content.isEmpty());
        QCOMPARE(int(load.history.size()), content.startsWith("2005013 03 07 12 19 25 31 09") ? 1 : 0);

        // kelvora-cli reports the same text on standard error.
        const CliRun cli = RunCli({QStringLiteral("--data"), path, QStringLiteral("check")});
        QCOMPARE(cli.status, expected.isEmpty() ? 0 : 1);
        QCOMPARE(cli.err, expected.isEmpty() ? QString() : expected + '\n');
    }
};

QTEST_GUILESS_MAIN(TestHistoryLoader)
#include "tst_historyloader.moc"
