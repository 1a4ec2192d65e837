#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Many random single tickets: an add that takes long enough to be caught in the middle.
QByteArray manyTickets(int count) {
    QByteArray text;
    QRandomGenerator random(7);
    for (int i = 0; i < count; ++i) {
        quint64 reds = 0;
        while (qPopulationCount(reds) < 6)
            reds |= quint64(1) << (1 + random.bounded(33));
        for (int n = 1; n <= 33; ++n)
            if (reds & (quint64(1) << n)) text += QByteArray::number(n) + ' ';
        text += '+' + QByteArray::number(1 + random.bounded(16)) + '\n';
    }
    return text;
}

} // namespace

class TestLedgerCommand : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_data;

    QStringList ledger(const QString& file, const QStringList& args) {
        return QStringList{"--data", m_data, "ledger", "--ledger", m_dir.filePath(file)} + args;
    }

  private slots:
    void initTestCase() {
        m_data = WriteTestFile(m_dir, QStringLiteral("ssq.dxt"),
                               "2026001 01 02 03 04 05 06 07\r\n"
                               "2026002 01 02 03 04 05 07 08\r\n"
                               "2026003 10 11 12 13 14 15 16\r\n");
    }

    void commands() {
        const QString tickets = WriteTestFile(m_dir, QStringLiteral("tickets.txt"),
                                              "01 02 03 04 05 06+07\n"
                                              "01 02 03 04 05 07 08+08 09\n");
        CliRun r = RunCli(ledger("c.sqlite", {"add", "--issue", "2026002", "--note", "周二", tickets}));
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("1\n"));
        r = RunCli(ledger("c.sqlite", {"add", "--issue", "2026004", "--extra"}), "10 11 12 13 14 15+16\n");
        QCOMPARE(r.out, QStringLiteral("2\n"));
        r = RunCli(ledger("c.sqlite", {"settle"}));
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("已结算 1 笔投注记录\n"));

        // Against 01 02 03 04 05 07+08: 5+0 for the single; the compound holds the six reds with blue 8
        // (一等奖) and with blue 9 (二等奖), and its six other sixes hold five reds each, with blue 8
        // (三等奖) and 9 (四等奖): 200 + 6 * 3000 + 6 * 200.
        r = RunCli(ledger("c.sqlite", {"list", "--json"}));
        QCOMPARE(r.status, 0);
        QCOMPARE(
            r.out,
            QStringLiteral(
                R"({"game":"ssq","entries":[{"id":2,"issue":"2026004","lines":1,"tickets":["10 11 12 13 14 15+16"],"bets":1,"cost":2,"extra":true,"note":"","settled":false,"tiers":null,"fixedPrize":null},)"
                R"({"id":1,"issue":"2026002","lines":2,"tickets":["01 02 03 04 05 06+07","01 02 03 04 05 07 08+08 09"],"bets":15,"cost":30,"extra":false,"note":"周二","settled":true,"tiers":[1,1,6,7,0,0],"fixedPrize":19400}]})"
                "\n"));
        // --ledger may also stand before the subcommand, like --data.
        r = RunCli(
            {"--data", m_data, "--ledger", m_dir.filePath(QStringLiteral("c.sqlite")), "ledger", "list"});
        QVERIFY(r.out.contains(QStringLiteral("#2  第2026004期  1行 1注 2元 追加  未开奖")));

        r = RunCli(ledger("c.sqlite", {"report", "--json"}));
        QCOMPARE(r.status, 0);
        const QJsonObject report = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QVERIFY(r.out.startsWith(
            QStringLiteral(R"({"game":"ssq","entries":1,"bets":15,"cost":30,"fixedPrize":19400,)"
                           R"("floating":{"一等奖":1,"二等奖":1},"expectedFixedPrize":)")));
        QVERIFY(qAbs(report["expectedFixedPrize"].toDouble() - 15 * 8617950.0 / 17721088.0) < 1e-9);
        QVERIFY(report["pValue"].toDouble() < 0.01);
        QCOMPARE(report["byYear"].toArray().size(), 1);
        // One draw's 一等奖 is luck: the report says the sample is too small to tell.
        r = RunCli(ledger("c.sqlite", {"report"}));
        QVERIFY2(r.out.contains(QStringLiteral("样本太少")), qPrintable(r.out));
        QVERIFY(!r.out.contains(QStringLiteral("好于随机")));

        r = RunCli(ledger("c.sqlite", {"remove", "2"}));
        QCOMPARE(r.status, 0);
        r = RunCli(ledger("c.sqlite", {"remove", "2"}));
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("没有编号为2的投注记录\n"));
    }

    // Super-lotto entries live beside the two-colour ball's: added, settled and reported per game, 追加
    // priced at 3元 a bet, the tiers those of the version of the issue (the fourth for 2026013).
    void superLottoEntries() {
        const QString dltData = WriteTestFile(m_dir, QStringLiteral("dlt.dxt"),
                                              "2026012 01 02 03 04 05 01 02\r\n"
                                              "2026013 01 02 03 04 06 03 04\r\n");
        const QString file = m_dir.filePath(QStringLiteral("games.sqlite"));
        auto run = [&](const QString& game, const QStringList& args, const QByteArray& input = QByteArray()) {
            return RunCli(QStringList{"--game", game, "--data", game == "dlt" ? dltData : m_data, "ledger",
                                      "--ledger", file} +
                              args,
                          input);
        };
        QCOMPARE(run("dlt", {"add", "--issue", "2026013", "--extra"}, "01 02 03 04 05 06+01 02 03\n").status,
                 0);
        QCOMPARE(run("ssq", {"add", "--issue", "2026003"}, "01 02 03 04 05 06+07\n").status, 0);
        const CliRun refused = run("dlt", {"add", "--issue", "2026014"}, "01 02 03 04 05+01 02#03 04\n");
        QCOMPARE(refused.status, 1);
        QCOMPARE(refused.err, QStringLiteral("第1行不是有效的投注号码：后区胆码2个，最多1个\n"));

        const QJsonObject dlt = QJsonDocument::fromJson(run("dlt", {"list", "--json"}).out.toUtf8()).object();
        QCOMPARE(dlt.value("game").toString(), QStringLiteral("dlt"));
        const QJsonArray entries = dlt.value("entries").toArray();
        QCOMPARE(entries.size(), 1);
        const QJsonObject e = entries[0].toObject();
        QCOMPARE(e.value("bets").toInt(), 18);
        QCOMPARE(e.value("cost").toInt(), 54);
        QCOMPARE(e.value("settled").toBool(), true);
        QCOMPARE(e.value("tiers").toArray(), QJsonArray({0, 2, 1, 0, 10, 0, 5, 0, 0}));
        QCOMPARE(e.value("fixedPrize").toInt(), 13500);

        const QJsonObject ssq = QJsonDocument::fromJson(run("ssq", {"list", "--json"}).out.toUtf8()).object();
        QCOMPARE(ssq.value("entries").toArray().size(), 1);
        QCOMPARE(ssq.value("entries").toArray()[0].toObject().value("cost").toInt(), 2);

        const QJsonObject report =
            QJsonDocument::fromJson(run("dlt", {"report", "--json"}).out.toUtf8()).object();
        QCOMPARE(report.value("game").toString(), QStringLiteral("dlt"));
        QCOMPARE(report.value("cost").toInt(), 54);
        QCOMPARE(report.value("fixedPrize").toInt(), 13500);
        QCOMPARE(report.value("floating").toObject().value(QStringLiteral("二等奖")).toInt(), 2);
        QVERIFY(!report.contains(QStringLiteral("paid")));

        // With the published figures of the held draws: a jackpot is paid the published amount; a 追加
        // share of a floating tier is not published, so that entry is listed apart and paid is null.
        auto figures = [&](const Game& g, const QList<QByteArray>& issues) {
            QByteArray kept;
            for (const QByteArray& line : fileBytes(FiguresFixturePathOf(g)).split('\n'))
                if (issues.contains(line.left(7))) kept += line + '\n';
            // Not named as the figures beside a history: the other tests run without figures.
            return WriteTestFile(m_dir, QStringLiteral("held-") + g.keyText() + QStringLiteral(".txt"), kept);
        };
        const QString ssqFigures = figures(Game::ssq(), {"2026001", "2026002", "2026003"});
        const QString dltFigures = figures(Game::dlt(), {"2026012", "2026013"});
        QCOMPARE(run("ssq", {"add", "--issue", "2026001"}, "01 02 03 04 05 06+07\n").status, 0);
        auto withFigures = [&](const QString& game, const QString& path, const QStringList& args) {
            return RunCli(QStringList{"--game", game, "--data", game == "dlt" ? dltData : m_data, "--figures", path,
                                      "ledger", "--ledger", file} +
                          args);
        };
        const QJsonObject ssqPaid =
            QJsonDocument::fromJson(withFigures("ssq", ssqFigures, {"report", "--json"}).out.toUtf8()).object();
        QCOMPARE(ssqPaid.value("fixedPrize").toInt(), 0);
        QCOMPARE(ssqPaid.value("paid").toInt(), 9520395);
        const QJsonObject dltPaid =
            QJsonDocument::fromJson(withFigures("dlt", dltFigures, {"report", "--json"}).out.toUtf8()).object();
        QVERIFY(dltPaid.contains(QStringLiteral("paid")) && dltPaid.value("paid").isNull());
        const CliRun text = withFigures("dlt", dltFigures, {"report"});
        QVERIFY2(text.out.contains(QStringLiteral("没有当期公告奖金的中奖：#1 第2026013期")), qPrintable(text.out));
    }

    void refusals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad lines") << QStringList{"add", "--issue", "2026005"} << QByteArray("01 02 03\nx\n")
                                   << 1
                                   << QStringLiteral("第1行不是有效的投注号码：红球号码3个，应为6-20个\n"
                                                     "第2行不是有效的投注号码：含有无法识别的内容\n");
        QTest::newRow("no tickets") << QStringList{"add", "--issue", "2026005"} << QByteArray("\n") << 1
                                    << QStringLiteral("没有投注号码，未加入投注记录\n");
        QTest::newRow("bad issue") << QStringList{"add", "--issue", "26005"}
                                   << QByteArray("01 02 03 04 05 06+07") << 1
                                   << QStringLiteral("期号\"26005\"无效：请输入7位期号，如2026096\n");
        QTest::newRow("no issue") << QStringList{"add"} << QByteArray() << 2 << QString();
        QTest::newRow("unknown command") << QStringList{"clear"} << QByteArray() << 2 << QString();
    }
    void refusals() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QString, message);
        const CliRun r = RunCli(ledger("r.sqlite", args), input);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, QString());
        if (!message.isEmpty()) QCOMPARE(r.err, message);
    }

    // The history file itself named as the ledger: refused, and not a byte of it changes.
    void refusesNonLedger() {
        const QByteArray before = fileBytes(m_data);
        const CliRun r =
            RunCli({"ledger", "--ledger", m_data, "add", "--issue", "2026005"}, "01 02 03 04 05 06+07\n");
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("不是投注记录数据库")));
        QCOMPARE(fileBytes(m_data), before);
    }

    // kill -9 in the middle of an add: the entry is absent, the ledger opens and the next add is whole.
    void killedDuringAdd() {
        const QString path = m_dir.filePath(QStringLiteral("k.sqlite"));
        const QString big = WriteTestFile(m_dir, QStringLiteral("big.txt"), manyTickets(200000));
        QCOMPARE(RunCli(ledger("k.sqlite", {"add", "--issue", "2026001"}), "01 02 03 04 05 06+07\n").status,
                 0);

        QProcess p;
        p.start(QStringLiteral(KELVORA_CLI), ledger("k.sqlite", {"add", "--issue", "2026002", big}));
        QVERIFY(p.waitForStarted());
        // The rollback journal appears with the transaction's first write.
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(path + QStringLiteral("-journal")) && p.state() == QProcess::Running &&
               waited.elapsed() < 60000)
            usleep(200);
        QVERIFY2(p.state() == QProcess::Running, "the add ended before it could be killed");
        QThread::msleep(300);
        p.kill();
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);

        CliRun r = RunCli(ledger("k.sqlite", {"list", "--json"}));
        QCOMPARE(r.status, 0);
        QJsonArray entries = QJsonDocument::fromJson(r.out.toUtf8()).object()["entries"].toArray();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].toObject()["issue"].toString(), QStringLiteral("2026001"));

        QCOMPARE(RunCli(ledger("k.sqlite", {"add", "--issue", "2026002", big})).status, 0);
        r = RunCli(ledger("k.sqlite", {"list", "--json"}));
        entries = QJsonDocument::fromJson(r.out.toUtf8()).object()["entries"].toArray();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].toObject()["lines"].toInt(), 200000);
    }

    // What is listed is settled against the history as it is now, without a settle first.
    void listSettlesFirst() {
        QCOMPARE(RunCli(ledger("s.sqlite", {"add", "--issue", "2026003"}), "10 11 12 13 14 15+16\n").status,
                 0);
        const CliRun r = RunCli(ledger("s.sqlite", {"list", "--json"}));
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(QStringLiteral(R"("settled":true,"tiers":[1,0,0,0,0,0])")),
                 qPrintable(r.out));
    }

    // A disk that fills up (the file size limit of the process) or a read-only file: a clear message,
    // and the ledger stays as it was.
    void writeRefused_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("full disk") << false;
        QTest::newRow("read-only file") << true;
    }
    void writeRefused() {
        QFETCH(bool, readOnly);
        const QString name = readOnly ? QStringLiteral("ro.sqlite") : QStringLiteral("full.sqlite");
        const QString path = m_dir.filePath(name);
        QCOMPARE(RunCli(ledger(name, {"add", "--issue", "2026001"}), "01 02 03 04 05 06+07\n").status, 0);
        const QByteArray before = fileBytes(path);
        std::function<void()> limit;
        // Root writes a read-only file: it is made immutable instead, where the file system allows.
        auto immutable = [&](bool on) {
            return QProcess::execute(QStringLiteral("chattr"), {on ? QStringLiteral("+i") : QStringLiteral("-i"), path});
        };
        if (readOnly && geteuid() == 0 && immutable(true) != 0) QSKIP("root writes read-only files");
        const auto restore = qScopeGuard([&] {
            if (readOnly && geteuid() == 0) immutable(false);
        });
        if (readOnly) {
            QFile::setPermissions(path, QFileDevice::ReadOwner);
        } else {
            limit = [] {
                ::signal(SIGXFSZ, SIG_IGN);
                const rlimit size{64 * 1024, 64 * 1024};
                ::setrlimit(RLIMIT_FSIZE, &size);
            };
        }
        const CliRun r = RunCli(ledger(name, {"add", "--issue", "2026002"}), manyTickets(20000), limit);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("投注记录未作改动")), qPrintable(r.err));
        QVERIFY2(r.err.contains(readOnly ? QStringLiteral("只读") : QStringLiteral("磁盘")),
                 qPrintable(r.err));
        QCOMPARE(fileBytes(path), before);
        const CliRun list = RunCli(ledger(name, {"list", "--json"}));
        const QJsonArray entries = QJsonDocument::fromJson(list.out.toUtf8()).object()["entries"].toArray();
        QCOMPARE(entries.size(), 1);
        // Listed settled against the history; a file that cannot take the result says so.
        QCOMPARE(entries[0].toObject()["settled"].toBool(), true);
        if (readOnly) {
            QVERIFY2(list.err.contains(QStringLiteral("结算结果未能保存")), qPrintable(list.err));
            QCOMPARE(fileBytes(path), before);
        }
    }

    // Only add makes a ledger: a mistyped path is named, and a damaged file is refused, for every command.
    void refusesUnusableLedger_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QList<QStringList> commands = {{"list"}, {"report", "--json"}, {"settle"}, {"remove", "1"}};
        for (const QStringList& args : commands) {
            QTest::addRow("missing %s", qPrintable(args[0])) << "missing" << args << QStringLiteral("找不到投注记录");
            QTest::addRow("damaged %s", qPrintable(args[0])) << "damaged" << args << QStringLiteral("已损坏");
        }
        QTest::addRow("damaged add") << "damaged" << QStringList{"add", "--issue", "2026005"}
                                     << QStringLiteral("已损坏");
    }
    void refusesUnusableLedger() {
        QFETCH(QString, kind);
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const QString name = kind + QStringLiteral("-") + args[0] + QStringLiteral(".sqlite");
        const QString path = m_dir.filePath(name);
        QByteArray before;
        if (kind == QLatin1String("damaged")) {
            QCOMPARE(RunCli(ledger(name, {"add", "--issue", "2026001"}), manyTickets(3000)).status, 0);
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(f.size() / 4096 / 2 * 4096);
            f.write(QByteArray(200, '\xa5'));
            f.close();
            before = fileBytes(path);
        }
        const CliRun r = RunCli(ledger(name, args), "01 02 03 04 05 06+07\n");
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        if (kind == QLatin1String("missing"))
            QVERIFY(!QFile::exists(path));
        else
            QCOMPARE(fileBytes(path), before);
    }

    // The list names its game even when empty, and a note with line breaks stays on its entry's line.
    void listLayout() {
        const QString file = m_dir.filePath(QStringLiteral("layout.sqlite"));
        QCOMPARE(RunCli(ledger("layout.sqlite",
                               {"add", "--issue", "2026009", "--note", "第一行\n第二行\r\n第三行"}),
                        "01 02 03 04 05 06+07\n01 02 03 04 05 06 07+08\n")
                     .status,
                 0);
        const CliRun empty =
            RunCli({"--game", "dlt", "--data", m_data, "ledger", "--ledger", file, "list", "--json"});
        QCOMPARE(empty.status, 0);
        QCOMPARE(empty.out, QStringLiteral("{\"game\":\"dlt\",\"entries\":[]}\n"));
        const CliRun r = RunCli(ledger("layout.sqlite", {"list"}));
        QCOMPARE(r.out.split('\n', Qt::SkipEmptyParts),
                 (QStringList{QStringLiteral("共 1 笔投注记录"),
                              QStringLiteral("#1  第2026009期  2行 8注 16元  未开奖  备注：第一行 第二行  第三行"),
                              QStringLiteral("    01 02 03 04 05 06+07"), QStringLiteral("    01 02 03 04 05 06 07+08")}));
        const CliRun json = RunCli(ledger("layout.sqlite", {"list", "--json"}));
        QCOMPARE(QJsonDocument::fromJson(json.out.toUtf8()).object()["entries"].toArray()[0].toObject()["note"].toString(),
                 QStringLiteral("第一行\n第二行\r\n第三行"));
    }
};

QTEST_GUILESS_MAIN(TestLedgerCommand)
#include "tst_ledgercommand.moc"
