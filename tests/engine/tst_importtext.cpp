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
            << QStringLiteral("文本内容中下列行的数据有错误，请纠正再保存！！\n第2行：只有6个号码，应为6个红"
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
            << QStringLiteral("文本内容中下列行的数据有错误，请纠正再保存！！\n第3行：'abc'不是开奖号码\n"
                              "第4行：红球01重复\n第5行：只有6个号码，应为6个红球和1个蓝球\n"
                              "第6行：期号'202609'不是7位数字\n第7行：期号2026096与第2行相同，号码却不同");
        QTest::newRow("only a header")
            << QByteArray("期号,红球,蓝球\n") << QStringList{} << 0 << NoDrawFoundText();
        QTest::newRow("binary, a spreadsheet")
            << QByteArray("PK\x03\x04") + QByteArray(4, '\0') + QByteArray(" 2026096 1 4 16 22 26 31 4\n")
            << QStringList{} << 0
            << NoDrawFoundText() + QStringLiteral("：这不是文本文件，表格请先另存为CSV或文本文件");
    }
    void layouts() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(int, skipped);
        QFETCH(QString, message);
        const ImportResult r = ConvertImportText(DecodeImportText(bytes));
        QCOMPARE(r.ok, !lines.isEmpty());
        QCOMPARE(r.lines, lines);
        QCOMPARE(r.message, message);
        if (r.ok) {
            QCOMPARE(r.skipped, skipped);
            QCOMPARE(r.summary(),
                     QStringLiteral("导入完成：转换%1行，跳过%2行").arg(lines.size()).arg(skipped));
            // What comes out is history text the parser takes.
            QCOMPARE(int(ParseHistoryText(r.lines.join('\n')).history.size()), int(lines.size()));
        }
    }
};

QTEST_GUILESS_MAIN(TestImportText)
#include "tst_importtext.moc"
