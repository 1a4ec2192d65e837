#include "engine/history/ImportText.h"
#include "engine/history/Parser.h"
#include "engine/io/GbText.h"

#include <QStringEncoder>
#include <QtTest>

class TestImportText : public QObject {
    Q_OBJECT
  private slots:
    void layouts_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines"); // empty = refused
        QTest::addColumn<int>("skipped");
        QTest::addColumn<QString>("message");
        const QStringList two{"2026095 02 05 10 11 20 33 16", "2026096 01 04 16 22 26 31 04"};
        QTest::newRow("history lines")
            << QByteArray("2026095 02 05 10 11 20 33 16\r\n2026096 01 04 16 22 26 31 04\r\n") << two << 0
            << QString();
        QTest::newRow("csv, header, newest first, no leading zeros")
            << QByteArray("期号,红1,红2,红3,红4,红5,红6,蓝球\n2026096,1,4,16,22,26,31,4\n2026095,2,5,10,11,"
                          "20,33,16\n")
            << two << 1 << QString();
        QTest::newRow("tab separated from a spreadsheet, GB2312 header")
            << ToGb(QStringLiteral("期号\t开奖号码\r\n2026096\t01\t04\t16\t22\t26\t31\t04\r\n"
                                   "2026095\t02\t05\t10\t11\t20\t33\t16\r\n"))
            << two << 1 << QString();
        QTest::newRow("plus before the blue, utf-8 with bom")
            << QByteArray("\xef\xbb\xbf\xe6\x9c\x9f\xe5\x8f\xb7 \xe5\x8f\xb7\xe7\xa0\x81\n"
                          "2026096 01 04 16 22 26 31+04\n2026095 02 05 10 11 20 33 + 16\n")
            << two << 1 << QString();
        QTest::newRow("bars and duplicates") << QByteArray("2026096|01|04|16|22|26|31|04\n\n2026095|02|05|10|"
                                                           "11|20|33|16\n2026096|01|04|16|22|26|31|04\n")
                                             << two << 1 << QString();
        QTest::newRow("a line that fits no layout")
            << QByteArray("2026096,1,4,16,22,26,31,4\n2026095,2,5,10,11,20,33\n2026094,2,5,10,11,20,34,1\n"
                          "2026093 2026-12-01 01 02 03 04 05 06 17\n")
            << QStringList{} << 0
            << QStringLiteral(
                   "导入的文件中下列行的数据有错误，请纠正文件后再导入！！\n第2行：只有6个号码，应为6个红"
                   "球和1个蓝球\n"
                   "第3行：红球34超出范围\n第4行：蓝球17超出范围");
        QTest::newRow("drawing order, date column, full-width digits")
            << QStringLiteral("期号,开奖日期,红球,蓝球\n2026096,2026-08-20,31 04 16 22 26 01,04\n"
                              "２０２６０９５，2026/08/18，０２ ０５ １０ １１ ２０ ３３，１６\n")
                   .toUtf8()
            << two << 1 << QString();
        QTest::newRow("utf-16 with its mark, as spreadsheets save it")
            << QByteArray("\xff\xfe") +
                   QByteArray(QStringEncoder(QStringEncoder::Utf16LE)
                                  .encode(QStringLiteral("2026096\t1\t4\t16\t22\t26\t31\t4\r\n"
                                                         "2026095\t2\t5\t10\t11\t20\t33\t16\r\n")))
            << two << 0 << QString();
        QTest::newRow("every faulty line with its own reason")
            << QByteArray("期号 号码\n2026096 01 04 16 22 26 31 04\nabc\n2026097 01 01 16 22 26 31 04\n"
                          "2026098 01 04 16 22 26 04\n202609 01 04 16 22 26 31 04\n"
                          "2026096 01 04 16 22 26 32 04\n")
            << QStringList{} << 0
            << QStringLiteral(
                   "导入的文件中下列行的数据有错误，请纠正文件后再导入！！\n第3行：'abc'不是开奖号码\n"
                   "第4行：红球01重复\n第5行：只有6个号码，应为6个红球和1个蓝球\n"
                   "第6行：期号'202609'不是7位数字\n第7行：期号2026096与第2行相同，号码却不同");
        QTest::newRow("only a header")
            << QByteArray("期号,红球,蓝球\n") << QStringList{} << 0 << NoDrawFoundText(Game::ssq());
        QTest::newRow("binary, a spreadsheet")
            << QByteArray("PK\x03\x04") + QByteArray(4, '\0') + QByteArray(" 2026096 1 4 16 22 26 31 4\n")
            << QStringList{} << 0
            << NoDrawFoundText(Game::ssq()) + QStringLiteral("：这不是文本文件，表格请先另存为CSV或文本文件");
    }
    void layouts() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(int, skipped);
        QFETCH(QString, message);
        const ImportResult r = ConvertImportText(DecodeImportText(bytes), Game::ssq());
        QCOMPARE(r.ok, !lines.isEmpty());
        QCOMPARE(r.lines, lines);
        QCOMPARE(r.message, message);
        if (r.ok) {
            QCOMPARE(r.skipped, skipped);
            QCOMPARE(r.summary(),
                     QStringLiteral("导入完成：转换%1行，跳过%2行").arg(lines.size()).arg(skipped));
            // What comes out is history text the parser takes.
            QCOMPARE(int(ParseHistoryText(r.lines.join('\n'), Game::ssq()).history.size()),
                     int(lines.size()));
        }
    }
    // The layouts the official draw tables are published in, for both games: five-digit issue codes,
    // "第...期", dates with the weekday in any column, sales and pool amounts after the numbers. A
    // refused line names its reason; gaps in the running numbers are told.
    void officialLayouts_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines"); // empty = refused
        QTest::addColumn<QStringList>("gaps");  // ok: the gaps; refused: the faults after the heading
        const QStringList ssq{"2026095 02 05 10 11 20 33 16", "2026096 01 04 16 22 26 31 04"};
        const QStringList dlt{"2026093 08 10 22 26 29 03 10", "2026094 05 14 15 17 33 01 07"};
        QTest::newRow("ssq five-digit codes, newest first")
            << "ssq" << QStringLiteral("26096 01 04 16 22 26 31 04\n26095 02 05 10 11 20 33 16\n") << ssq
            << QStringList{};
        QTest::newRow("ssq csv: 第...期, weekday, quoted numbers and amounts")
            << "ssq"
            << QStringLiteral(
                   "期号,开奖日期,红球,蓝球,总销售额(元),奖池(元)\n"
                   "第2026096期,2026-08-20(四),\"01,04,16,22,26,31\",04,\"389,234,566\",\"2,183,445,901\"\n"
                   "第2026095期,2026-08-18（二）,02 05 10 11 20 33,16,401234567,2201234567.00\n")
            << ssq << QStringList{};
        QTest::newRow("ssq web table: tabs, thousands, date in the last column")
            << "ssq"
            << QStringLiteral("2026096\t01 04 16 22 26 31\t04\t389,234,566\t1,234\t2026-08-20(四)\n"
                              "2026095\t02 05 10 11 20 33\t16\t3.89亿\t2026年8月18日 星期二 21:15\n")
            << ssq << QStringList{};
        QTest::newRow("dlt official table with weekday and amounts")
            << "dlt"
            << QStringLiteral("期号\t开奖日期\t前区\t后区\t销售额(元)\t奖池(元)\n"
                              "26094\t2026-08-13(四)\t05 14 15 17 33\t01 07\t312,345,678\t812,345,678.55\n"
                              "26093\t2026-08-11(二)\t29 08 22 10 26\t10 03\t298,765,432\t800,000,000.00\n")
            << dlt << QStringList{};
        QTest::newRow("dlt 07001 is 2007001")
            << "dlt" << QStringLiteral("07001,2007-05-30,05 11 22 29 35,01 12\n")
            << QStringList{"2007001 05 11 22 29 35 01 12"} << QStringList{};
        QTest::newRow("ssq gaps, one inside a year and the start of the next")
            << "ssq"
            << QStringLiteral("2025150 01 02 03 04 05 06 07\n2026003 01 02 03 04 05 06 07\n"
                              "2026005 01 02 03 04 05 06 07\n2026008 01 02 03 04 05 06 07\n")
            << QStringList{"2025150 01 02 03 04 05 06 07", "2026003 01 02 03 04 05 06 07",
                           "2026005 01 02 03 04 05 06 07", "2026008 01 02 03 04 05 06 07"}
            << QStringList{"缺少2026001到2026002，共2期", "缺少2026004，共1期",
                           "缺少2026006到2026007，共2期"};
        QTest::newRow("dlt gap") << "dlt"
                                 << QStringLiteral("26094 05 14 15 17 33 01 07\n26091 08 10 22 26 29 03 10\n")
                                 << QStringList{"2026091 08 10 22 26 29 03 10",
                                                "2026094 05 14 15 17 33 01 07"}
                                 << QStringList{"缺少2026092到2026093，共2期"};
        QTest::newRow("year 0000, running number 000, a number too many")
            << "ssq"
            << QStringLiteral("0007091 01 02 03 04 05 06 07\n2026000 01 02 03 04 05 06 07\n"
                              "2026096 01 04 16 22 26 31 04 05\n2026097 01 04 16 22 26 31 04 389234566\n")
            << QStringList{}
            << QStringList{"第1行：期号'0007091'的年份无效", "第2行：期号'2026000'的后三位不能是000",
                           "第3行：有8个号码，应为6个红球和1个蓝球"};
    }
    void officialLayouts() {
        QFETCH(QString, game);
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, gaps);
        const Game& g = *Game::find(game);
        const ImportResult r = ConvertImportText(DecodeImportText(text.toUtf8()), g);
        QVERIFY2(r.ok == !lines.isEmpty(), qPrintable(r.message));
        QCOMPARE(r.lines, lines);
        if (!r.ok) {
            QCOMPARE(r.message, (QStringList{ImportBadLinesHeading()} + gaps).join('\n'));
            return;
        }
        QCOMPARE(r.gaps, gaps);
        QCOMPARE(r.summary().split('\n').mid(1), gaps);
        // The lines are history the parser of that game takes, in the same order.
        const ParseResult parsed = ParseHistoryText(r.lines.join('\n'), g);
        QCOMPARE(parsed.status, ParseResult::Ok);
        QCOMPARE(int(parsed.history.size()), int(lines.size()));
        for (qsizetype k = 0; k < lines.size(); ++k)
            QCOMPARE(QString::number(parsed.history[size_t(k)].code()), lines[k].left(7));
    }

    // A table whose header names sales and pool gives them for each draw (exact amounts only, in the
    // header's order); without such a header, or in 亿, nothing is taken.
    void salesAndPoolColumns() {
        const ImportResult csv = ConvertImportText(
            QStringLiteral("期号,开奖日期,红球,蓝球,总销售额(元),奖池(元)\n"
                           "第2026096期,2026-08-20(四),\"01,04,16,22,26,31\",04,\"389,234,566\",\"2,183,445,901\"\n"
                           "第2026095期,2026-08-18（二）,02 05 10 11 20 33,16,401234567,2201234567.50\n"),
            Game::ssq());
        QVERIFY(csv.ok);
        QCOMPARE(csv.sales.size(), size_t(2));
        QCOMPARE(csv.sales[0].issue, 2026096);
        QCOMPARE(csv.sales[0].date, QDate(2026, 8, 20));
        QCOMPARE(csv.sales[0].sales, int64_t(38923456600));
        QCOMPARE(csv.sales[0].pool, int64_t(218344590100));
        QCOMPARE(csv.sales[1].pool, int64_t(220123456750));
        const ImportResult poolFirst = ConvertImportText(
            QStringLiteral("期号\t开奖日期\t前区\t后区\t奖池(元)\t销售额(元)\n"
                           "26094\t2026-08-13(四)\t05 14 15 17 33\t01 07\t812,345,678.55\t312,345,678\n"),
            Game::dlt());
        QCOMPARE(poolFirst.sales.size(), size_t(1));
        QCOMPARE(poolFirst.sales[0].sales, int64_t(31234567800));
        QCOMPARE(poolFirst.sales[0].pool, int64_t(81234567855));
        const ImportResult noHeader =
            ConvertImportText(QStringLiteral("2026096\t01 04 16 22 26 31\t04\t389,234,566\t1,234\n"), Game::ssq());
        QVERIFY(noHeader.ok && noHeader.sales.empty());
        const ImportResult inYi = ConvertImportText(
            QStringLiteral("期号 红球 蓝球 销售额 奖池\n2026096 01 04 16 22 26 31 04 3.89亿 21.8亿\n"), Game::ssq());
        QVERIFY(inYi.ok && inYi.sales.empty());
    }
};

QTEST_GUILESS_MAIN(TestImportText)
#include "tst_importtext.moc"
