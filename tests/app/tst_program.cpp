#include <QProcess>
#include <QtTest>

// The program's own command line, run as the user starts it.
class TestProgram : public QObject {
    Q_OBJECT
    const QString program = QStringLiteral(KELVORA_BIN_DIR "/kelvora");

  private slots:
    void serverOption_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("output");
        QTest::newRow("help names the option")
            << QStringList{"--help"} << 0 << QStringLiteral("--server <URL>");
        QTest::newRow("address without host")
            << QStringList{"--server", "http://"} << 2 << QStringLiteral("--server needs a web address");
        QTest::newRow("missing value") << QStringList{"--server"} << 1 << QStringLiteral("--server");
        QTest::newRow("help names the game option")
            << QStringList{"--help"} << 0 << QStringLiteral("--game <GAME>");
        QTest::newRow("unknown game") << QStringList{"--game", "k3"} << 2 << QStringLiteral("未知的彩种'k3'");
    }
    void serverOption() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, output);
        QProcess p;
        p.start(program, args);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), code);
        const QString all = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        QVERIFY2(all.contains(output), qPrintable(all));
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
