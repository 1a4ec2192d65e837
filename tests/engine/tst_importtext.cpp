#include "history/GbText.h"
#include "history/ImportText.h"
#include "history/Parser.h"

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
                          "2026093 2026-12-01 01 02 03 04 05 06 07\n")
            << QStringList{} << 0
            << QStringLiteral(
                   "文本内容中下列行的数据有错误，请纠正再保存！！\n第2行：不是期号、6个红球和1个蓝球\n"
                   "第3行：不是期号、6个红球和1个蓝球\n第4行：不是期号、6个红球和1个蓝球");
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
