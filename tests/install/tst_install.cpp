#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// `cmake --install` into a fresh prefix, then the installed programs run as a new user would: with a
// home of their own, which gets the data; the prefix stays exactly as installed.
class TestInstall : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString prefix;

    static QMap<QString, QByteArray> snapshot(const QString& dir) {
        QMap<QString, QByteArray> files;
        QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            files.insert(f.fileName(), f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("?"));
        }
        return files;
    }
    struct Run {
        int code;
        QString out, err;
    };
    static Run run(const QString& program, const QStringList& args, const QString& home = QString()) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!home.isEmpty()) {
            env.insert("HOME", home);
            env.remove("XDG_DATA_HOME");
            env.remove("XDG_CONFIG_HOME");
        }
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(QDir::tempPath());
        p.start(program, args);
        if (!p.waitForFinished(120000)) return {-1, {}, QStringLiteral("timed out")};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

  private slots:
    void initTestCase() {
        QVERIFY(tmp.isValid());
        prefix = tmp.filePath("prefix");
        const Run r = run(KELVORA_CMAKE, {"--install", KELVORA_BUILD_DIR, "--prefix", prefix});
        QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    }

    void installedFiles_data() {
        QTest::addColumn<QString>("path");
        for (const char* path :
             {"bin/kelvora", "bin/kelvora-cli", "share/kelvora/ssq.dxt", "share/kelvora/qlc.dxt",
              "share/kelvora/ssq-figures.txt", "share/kelvora/dlt-figures.txt", "share/kelvora/readme.txt",
              "share/applications/kelvora.desktop", "share/metainfo/com.tessane.kelvora.metainfo.xml",
              "share/icons/hicolor/scalable/apps/kelvora.svg", "share/icons/hicolor/16x16/apps/kelvora.png",
              "share/icons/hicolor/256x256/apps/kelvora.png", "share/man/man1/kelvora-cli.1.gz"})
            QTest::newRow(path) << QString::fromLatin1(path);
    }
    void installedFiles() {
        QFETCH(QString, path);
        QVERIFY2(QFileInfo(prefix + "/" + path).size() > 0, qPrintable(path));
    }

    // The desktop entry and the AppStream data are checked by the tools the desktops themselves use.
    void desktopDataValidates_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("desktop entry")
            << "desktop-file-validate" << QStringList{prefix + "/share/applications/kelvora.desktop"};
        QTest::newRow("appstream") << "appstreamcli"
                                   << QStringList{"validate", "--no-net",
                                                  prefix +
                                                      "/share/metainfo/com.tessane.kelvora.metainfo.xml"};
    }
    void desktopDataValidates() {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        const Run r = run(tool, args);
        QVERIFY2(r.code == 0, qPrintable(tool + ": " + r.out + r.err));
    }

    void cliSeedsTheUsersHome() {
        const QString home = tmp.filePath("home");
        QVERIFY(QDir().mkpath(home));
        const auto before = snapshot(prefix);
        const QString cli = prefix + "/bin/kelvora-cli";

        Run r = run(cli, {"check"}, home);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("3493 draws, 2003001 to 2026096\n"));
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        const QString userData = home + "/.local/share/Kelvora/ssq.dxt";
        // The history and its figures are seeded together.
        QCOMPARE(snapshot(home + "/.local/share/Kelvora").keys(),
                 (QStringList{home + "/.local/share/Kelvora/ssq-figures.txt", userData}));

        // The user's own history is what the next run reads, not the installed sample.
        QFile own(userData);
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("2026001 01 02 03 04 05 06 07\r\n");
        own.close();
        r = run(cli, {"check"}, home);
        QCOMPARE(r.out, QStringLiteral("1 draws, 2026001 to 2026001\n"));

        // A home that cannot hold a folder: a Chinese explanation, and the installed sample still reads.
        const QString badHome = tmp.filePath("not-a-folder");
        QFile file(badHome);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        r = run(cli, {"check"}, badHome);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("3493 draws, 2003001 to 2026096\n"));
        QVERIFY2(r.err.contains(QStringLiteral("无法创建数据文件夹")), qPrintable(r.err));

        QCOMPARE(snapshot(prefix), before);
    }

    void installedWindowStarts() {
        // The window program finds its libraries and parses its options from the prefix.
        const Run r = run(prefix + "/bin/kelvora", {"--help"}, tmp.filePath("home"));
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains("--data <FILE>"), qPrintable(r.out + r.err));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
