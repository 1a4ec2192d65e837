#include "engine/core/KelvoraError.h"
#include "engine/history/DataFile.h"
#include "engine/io/AtomicFile.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

class TestDataFile : public QObject {
    Q_OBJECT
  private slots:
    void bytesToText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringLiteral("a\nb");
        QTest::newRow("no final break") << QByteArray("a\r\nb") << QStringLiteral("a\nb");
        QTest::newRow("lf and cr") << QByteArray("a\nb\rc\r\n") << QStringLiteral("a\nb\nc");
        QTest::newRow("blank last line kept") << QByteArray("a\r\n\r\n") << QStringLiteral("a\n");
        QTest::newRow("gb2312") << QByteArray("\xb2\xe2\xca\xd4\r\n") << QStringLiteral("测试");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("utf-8 byte order mark") << QByteArray("\xef\xbb\xbf"
                                                             "2005013\r\n")
                                               << QStringLiteral("2005013");
    }
    void bytesToText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DataFileBytesToText(bytes), text);
    }

    void textToBytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("two lines") << QStringLiteral("a\nb") << QByteArray("a\r\nb\r\n");
        QTest::newRow("trailing blank line") << QStringLiteral("a\n") << QByteArray("a\r\n\r\n");
        QTest::newRow("empty editor") << QString() << QByteArray();
        QTest::newRow("chinese") << QStringLiteral("测试") << QByteArray("\xb2\xe2\xca\xd4\r\n");
    }
    void textToBytes() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(DataTextToFileBytes(text), bytes);
        // What is saved loads back as the same editor text.
        QCOMPARE(DataFileBytesToText(DataTextToFileBytes(text)), text);
    }

    void sampleRoundTripKeepsBytes() {
        const QByteArray& bytes = SampleHistoryBytes();
        QCOMPARE(DataTextToFileBytes(DataFileBytesToText(bytes)), bytes);
    }

    void writeAndRead() {
        QTemporaryDir dir;
        const QString path = DataFileNameIn(dir.path(), Game::ssq());
        QVERIFY(path.endsWith(QStringLiteral("/ssq.dxt")));
        WriteDataFile(path, QStringLiteral("x\ny"));
        const DataFileContent c = ReadDataFile(path);
        QVERIFY(!c.isEmpty);
        QCOMPARE(c.text, QStringLiteral("x\ny"));
        WriteDataFile(path, QString());
        QCOMPARE(QFileInfo(path).size(), 0);
        QVERIFY(ReadDataFile(path).isEmpty);
    }

    void missingFileThrows() {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(KelvoraError, ReadDataFile(dir.filePath(QStringLiteral("none.dxt"))));
    }

    void unwritableKeepsOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ssq.dxt"));
        WriteDataFile(path, QStringLiteral("old"));
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        bool threw = false;
        try {
            WriteDataFile(path, QStringLiteral("new"));
        } catch (const KelvoraError& e) {
            threw = true;
            QVERIFY(e.message().startsWith(QStringLiteral("无法保存文件")));
        }
        QFile::setPermissions(dir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (!threw) QSKIP("running with permissions that ignore a read-only directory (root)");
        QCOMPARE(ReadDataFile(path).text, QStringLiteral("old"));
    }

    void refusesTargetsThatAreNotFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("pipe") << "pipe";
    }
    void refusesTargetsThatAreNotFiles() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("target"));
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));
        else
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QCOMPARE(WriteFileAtomically(path, "x"), NotRegularFileReason());
        QVERIFY_THROWS_EXCEPTION(KelvoraError, WriteDataFile(path, QStringLiteral("x")));
        const QFileInfo after(path);
        QVERIFY(after.exists() && !after.isFile()); // still the folder or pipe it was
    }

    // Each reader of a user's file says what is wrong with the path, and reads no more than the limit.
    void unreadableInputsSayWhy_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder") << "folder" << QStringLiteral("这是一个文件夹，不是文件");
        QTest::newRow("dangling link") << "link" << QStringLiteral("链接指向的文件");
        QTest::newRow("missing") << "missing" << QStringLiteral("文件不存在");
        QTest::newRow("beyond the limit") << "large" << QStringLiteral("文件超过64 MB");
        QTest::newRow("endless device") << "zero" << QStringLiteral("文件超过64 MB");
    }
    void unreadableInputsSayWhy() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("ssq.dxt"));
        if (kind == QLatin1String("folder")) QVERIFY(QDir().mkdir(path));
        if (kind == QLatin1String("link")) QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), path));
        if (kind == QLatin1String("large")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(MaxInputFileBytes + 1)); // sparse: costs no disk
        }
        if (kind == QLatin1String("zero")) path = QStringLiteral("/dev/zero");
        try {
            ReadDataFile(path);
            QFAIL("read");
        } catch (const KelvoraError& e) {
            QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
        }
        if (kind == QLatin1String("link")) {
            try {
                WriteDataFile(path, QStringLiteral("x"));
            } catch (const KelvoraError& e) {
                QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
            }
        }
    }

    // Only the program's own temporary files go; names a user may give a copy stay, whatever they look like.
    void removesStaleSaveFiles() {
        QTemporaryDir dir;
        const QStringList names{
            "ssq.dxt",         "ssq.dxt.AbC123", "ssq.dxt.backup",     "ssq.dxt.202605",
            "ssq.dxt.orig01",  "ssq.dxt.bak",    "ssq.dxt.bak.x1Y2z3", "ssq.dxt.old",
            "ssq.dxt.1234567", "tmp.txt.QwErTy", "other.txt.QwErTy",   ".ssq.dxt.kelvora-tmp-AbC12"};
        for (const QString& n : names) {
            QFile f(dir.filePath(n));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        // What a write killed before its rename leaves: one beside the file, one beside its backup.
        for (const char* target : {"ssq.dxt", "ssq.dxt.bak"}) {
            QTemporaryFile left(AtomicTempTemplate(dir.filePath(QLatin1String(target))));
            QVERIFY(left.open());
            QVERIFY(QFileInfo::exists(left.fileName()));
            left.setAutoRemove(false);
        }
        QCOMPARE(RemoveStaleSaveFiles(dir.path(), {"ssq.dxt", "ssq.dxt.bak", "tmp.txt"}), 2);
        QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        QStringList kept = names;
        left.sort();
        kept.sort();
        QCOMPARE(left, kept);
    }

    // A save that fails for want of room keeps the older backup; the backup keeps the file's mode.
    void backupKeepsModeAndOlderGeneration() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ssq.dxt"));
        const QString bak = BackupFileName(path);
        WriteDataFile(path, QStringLiteral("gen1"));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        WriteDataFile(path, QStringLiteral("gen2"));
        QCOMPARE(ReadDataFile(bak).text, QStringLiteral("gen1"));
        const auto mode = [](const QString& p) { return int(QFile::permissions(p)) & 0x7077; };
        QCOMPARE(mode(bak), mode(path));
        QCOMPARE(mode(path), int(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));

        // Writes beyond the file size limit fail as they do on a full disk.
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit before{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit small = before;
        small.rlim_cur = 64;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        bool threw = false;
        try {
            WriteDataFile(path, QString(200, QLatin1Char('9')));
        } catch (const KelvoraError&) {
            threw = true;
        }
        ::setrlimit(RLIMIT_FSIZE, &before);
        QVERIFY(threw);
        QCOMPARE(ReadDataFile(path).text, QStringLiteral("gen2"));
        QCOMPARE(ReadDataFile(bak).text, QStringLiteral("gen1"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{"ssq.dxt", "ssq.dxt.bak"}));
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
