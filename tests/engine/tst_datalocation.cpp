#include "engine/history/DataLocation.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <pwd.h>
#include <unistd.h>

// The data-location rule on real folders: a build tree, an installed prefix and a home of its own.
class TestDataLocation : public QObject {
    Q_OBJECT

    static void write(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Every file below dir with its content, to see that nothing was written there.
    static QMap<QString, QByteArray> snapshot(const QString& dir) {
        QMap<QString, QByteArray> files;
        QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files.insert(path, read(path));
        }
        return files;
    }

  private slots:
    void rule_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("perUser");
        QTest::addColumn<QString>("loads");   // "data", "seed" or "" (nothing to read)
        QTest::addColumn<QString>("problem"); // part of the message, empty for none
        QTest::newRow("build tree keeps its files") << "build" << false << "data"
                                                    << "";
        QTest::newRow("installed, first start seeds") << "installed" << true << "data"
                                                      << "";
        QTest::newRow("installed, own history kept") << "installed+own" << true << "data"
                                                     << "";
        QTest::newRow("installed, sample missing") << "installed-seed" << true << ""
                                                   << "找不到随程序安装的开奖数据";
        QTest::newRow("installed, home unusable") << "installed-home" << true << "seed"
                                                  << "无法创建数据文件夹";
        QTest::newRow("installed, no home at all") << "installed-nohome" << true << "seed"
                                                   << "无法创建数据文件夹";
        QTest::newRow("--data names the file") << "data-option" << false << "data"
                                               << "";
    }
    void rule() {
        QFETCH(QString, layout);
        QFETCH(bool, perUser);
        QFETCH(QString, loads);
        QFETCH(QString, problem);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString prefix = tmp.filePath("prefix");
        const QByteArray sample = "2003001 10 11 12 13 26 28 11\r\n";
        const QByteArray own = "2003001 10 11 12 13 26 28 11\r\n2003002 04 09 19 20 21 26 12\r\n";
        DataPlaces places;
        places.programDir = prefix + "/bin";
        places.userDir = tmp.filePath("home/.local/share/Kelvora");
        write(places.programDir + "/kelvora", "program");
        if (layout == "build") {
            write(places.programDir + "/ssq.dxt", own);
            write(places.programDir + "/readme.txt", "help");
        } else {
            write(prefix + "/share/kelvora/readme.txt", "help");
            if (layout != "installed-seed") write(prefix + "/share/kelvora/ssq.dxt", sample);
        }
        if (layout == "installed+own") write(places.userDir + "/ssq.dxt", own);
        if (layout == "installed-home") write(tmp.filePath("home/.local"), "a file where a folder belongs");
        if (layout == "installed-nohome") places.userDir.clear();
        if (layout == "data-option") places.dataOption = tmp.filePath("elsewhere/my.dxt");
        const auto before = snapshot(prefix);

        const DataLocation loc = LocateData(places);

        QCOMPARE(loc.perUser, perUser);
        QCOMPARE(loc.problems.join('\n').contains(problem), true);
        QCOMPARE(loc.problems.isEmpty(), problem.isEmpty());
        if (loads == "data")
            QCOMPARE(loc.loadFile, loc.dataFile);
        else if (loads == "seed")
            QCOMPARE(loc.loadFile, prefix + "/share/kelvora/ssq.dxt");
        else
            QVERIFY(loc.loadFile.isEmpty());
        QCOMPARE(read(loc.readmeFile), QByteArray("help"));
        // Whatever happened, the installed prefix is as it was (the build tree is no prefix).
        if (layout != "build") QCOMPARE(snapshot(prefix), before);

        if (layout == "build") {
            QCOMPARE(loc.dataFile, places.programDir + "/ssq.dxt");
            QCOMPARE(loc.dataDir, places.programDir);
            QVERIFY(!QFileInfo::exists(places.userDir));
        } else if (layout == "installed") {
            QCOMPARE(loc.dataFile, places.userDir + "/ssq.dxt");
            QCOMPARE(loc.dataDir, places.userDir);
            QCOMPARE(read(loc.dataFile), sample);
            // The second start finds the user's copy and does not seed again.
            write(loc.dataFile, own);
            QCOMPARE(LocateData(places).loadFile, loc.dataFile);
            QCOMPARE(read(loc.dataFile), own);
        } else if (layout == "installed+own") {
            QCOMPARE(read(loc.dataFile), own);
        } else if (layout == "installed-seed") {
            QCOMPARE(loc.dataFile, places.userDir + "/ssq.dxt");
            QVERIFY(!QFileInfo::exists(loc.dataFile));
        } else if (layout == "data-option") {
            QCOMPARE(loc.dataFile, places.dataOption);
            QCOMPARE(loc.dataDir, tmp.filePath("elsewhere"));
        }
    }

    // With HOME unset the data belongs in the account's home, never in /.local/share.
    void noHomeVariable() {
        const QByteArray home = qgetenv("HOME");
        const QByteArray xdg = qgetenv("XDG_DATA_HOME");
        qunsetenv("HOME");
        qunsetenv("XDG_DATA_HOME");
        const QString dir = UserDataDir();
        qputenv("HOME", home);
        if (!xdg.isEmpty()) qputenv("XDG_DATA_HOME", xdg);
        const passwd* account = ::getpwuid(::getuid());
        const QString accountHome = account ? QFile::decodeName(account->pw_dir) : QString();
        QCOMPARE(dir, accountHome.isEmpty() || accountHome == "/" ? QString()
                                                                  : accountHome + "/.local/share/Kelvora");

        // No home at all: the program says why and opens the installed sample.
        QTemporaryDir tmp;
        write(tmp.filePath("prefix/bin/kelvora"), "program");
        write(tmp.filePath("prefix/share/kelvora/ssq.dxt"), "2003001 10 11 12 13 26 28 11\r\n");
        const DataLocation loc = LocateData({tmp.filePath("prefix/bin"), QString(), QString()});
        QVERIFY2(loc.problems.join('\n').contains(QStringLiteral("HOME")),
                 qPrintable(loc.problems.join('\n')));
        QCOMPARE(loc.loadFile, tmp.filePath("prefix/share/kelvora/ssq.dxt"));
    }
};

QTEST_GUILESS_MAIN(TestDataLocation)
#include "tst_datalocation.moc"
