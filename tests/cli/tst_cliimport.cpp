#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestCliImport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

  private slots:
    void import_data() {
        QTest::addColumn<QByteArray>("content"); // empty = no FILE argument
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("web table")
            << QByteArray("期号,红球,蓝球\r\n2026096,1,4,16,22,26,31,4\r\n2026095,2,5,10,11,20,33,16\r\n")
            << 0 << QStringLiteral("2026095 02 05 10 11 20 33 16\n2026096 01 04 16 22 26 31 04\n")
            << QStringLiteral("导入完成：转换2行，跳过1行\n");
        QTest::newRow("line that fits no layout")
            << QByteArray("2026096,1,4,16,22,26,31\r\n") << 1 << QString()
            << QStringLiteral(
                   "文本内容中下列行的数据有错误，请纠正再保存！！\n第1行：不是期号、6个红球和1个蓝球\n");
        QTest::newRow("no file") << QByteArray() << 2 << QString() << QString();
    }
    void import() {
        QFETCH(QByteArray, content);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QStringList args{QStringLiteral("import")};
        if (!content.isEmpty()) {
            const QString path = m_dir.filePath(QStringLiteral("%1.csv").arg(QTest::currentDataTag()));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
            args << path;
        }
        QProcess p;
        p.start(QStringLiteral(KELVORA_CLI), args);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), status);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), out);
        const QString e = QString::fromUtf8(p.readAllStandardError());
        if (status == 2)
            QVERIFY(e.contains(QStringLiteral("Usage: kelvora-cli import FILE")));
        else
            QCOMPARE(e, err);
    }
};

QTEST_GUILESS_MAIN(TestCliImport)
#include "tst_cliimport.moc"
