#include "engine/history/Parser.h"
#include "engine/io/GbText.h"
#include "support/TestSupport.h"

#include <QTest>

class TestParser : public QObject {
    Q_OBJECT

  private slots:
    void splitString_data();
    void splitString();
    void acceptsWellFormedLines_data();
    void acceptsWellFormedLines();
    void rejectsMalformedLines_data();
    void rejectsMalformedLines();
    void numbersBlankLinesAway();
    void mixedFaultsInOneMessage();
    void nonNumericTokensKeepNothing();
    void doubleByteCharacterCountsTwo();
    void sampleHistory();
    void reparseIsIndependent();
    void countValidCodes();
    void garbageNeverCrashes();
};

void TestParser::splitString_data() {
    QTest::addColumn<QString>("sep");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("spaces") << " "
                            << "  2005013  03 07\t" << QStringList{"2005013", "03", "07"};
    QTest::newRow("blank") << " "
                           << " \t \r" << QStringList{};
    QTest::newRow("commas") << ","
                            << ",1,,2,3," << QStringList{"1", "2", "3"};
    QTest::newRow("inner tab stays") << " "
                                     << "03\t07 09" << QStringList{"03\t07", "09"};
    QTest::newRow("multi-char separator") << "ab"
                                          << "xabyababz" << QStringList{"x", "y", "z"};
}

void TestParser::splitString() {
    QFETCH(QString, sep);
    QFETCH(QString, text);
    QFETCH(QStringList, pieces);
    QCOMPARE(SplitString(sep, text), pieces);
}

void TestParser::acceptsWellFormedLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("only blank lines") << "\r\n  \r\n\t\r\n" << 0;
    QTest::newRow("one") << "2005013 03 07 12 19 25 31 09" << 1;
    QTest::newRow("extra tokens ignored") << "2005013 03 07 12 19 25 31 09 xx 123" << 1;
    QTest::newRow("many spaces and ends") << "   2005013  03 07   12 19 25 31 09   \r\n" << 1;
    QTest::newRow("LF, CR and CRLF ends")
        << "2005013 03 07 12 19 25 31 09\n2005014 03 07 12 19 25 31 09\r2005015 03 07 12 19 25 31 09" << 3;
    // Every measure reads the reds ascending; the text keeps the order it was typed in.
    QTest::newRow("reds in drawing order") << "2005013 31 07 25 19 12 03 09" << 1;
    QTest::newRow("byte order mark") << QStringLiteral("\uFEFF2005013 03 07 12 19 25 31 09") << 1;
}

void TestParser::acceptsWellFormedLines() {
    QFETCH(QString, text);
    QFETCH(int, count);
    const ParseResult r = ParseHistoryText(text, Game::ssq());
    QCOMPARE(r.status, ParseResult::Ok);
    QCOMPARE(int(r.history.size()), count);
    if (count) {
        const TDrawRec& d = r.history[0];
        QCOMPARE(d.Year, 2005);
        QCOMPARE(d.Issue, 13);
        QCOMPARE(d.code(), 2005013);
        const uint8_t reds[6] = {3, 7, 12, 19, 25, 31};
        for (int k = 0; k < 6; ++k)
            QCOMPARE(d.Ticket.Red[k], reds[k]);
        QCOMPARE(bool(d.RedsTypedUnsorted), QByteArray(QTest::currentDataTag()).contains("drawing order"));
        QCOMPARE(d.Ticket.Valid, uint8_t(1));
        for (int b = 1; b <= 16; ++b)
            QCOMPARE(d.Ticket.Blue[b - 1], uint8_t(b == 9));
    }
}

void TestParser::rejectsMalformedLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("reason");
    QTest::newRow("blue missing") << "2005013 03 07 12 19 25 31"
                                  << "只有6个号码";
    QTest::newRow("one-digit number") << "2005013 3 07 12 19 25 31 09"
                                      << "号码'3'不是两位";
    QTest::newRow("six-char issue") << "200513 03 07 12 19 25 31 09"
                                    << "期号'200513'不是7位";
    QTest::newRow("eight-char issue") << "20050133 03 07 12 19 25 31 09"
                                      << "期号'20050133'不是7位";
    QTest::newRow("tab between numbers") << "2005013 03\t07 12 19 25 31 09"
                                         << "只有6个号码";
    QTest::newRow("red above 33") << "2005013 03 07 12 19 25 34 09"
                                  << "红球34超出范围";
    QTest::newRow("red zero") << "2005013 00 07 12 19 25 31 09"
                              << "红球00超出范围";
    QTest::newRow("negative red") << "2005013 -1 07 12 19 25 31 09"
                                  << "红球-1超出范围";
    QTest::newRow("blue above 16") << "2005013 03 07 12 19 25 31 17"
                                   << "蓝球17超出范围";
    QTest::newRow("blue zero") << "2005013 03 07 12 19 25 31 00"
                               << "蓝球00超出范围";
    QTest::newRow("red twice") << "2005013 03 07 12 03 25 31 09"
                               << "红球03重复";
    // A malformed token counts before a non-numeric one in the same line.
    QTest::newRow("range before conversion") << "2005013 ab 07 12 19 34 31 09"
                                             << "红球34超出范围";
}

void TestParser::rejectsMalformedLines() {
    QFETCH(QString, line);
    QFETCH(QString, reason);
    const ParseResult r = ParseHistoryText("2005012 01 02 03 04 05 06 07\r\n" + line + "\r\n", Game::ssq());
    QCOMPARE(r.status, ParseResult::BadLines);
    QCOMPARE(r.badLines, QList<int>{2});
    QCOMPARE(r.message, BadLinesHeading() + "\n第2行：" + reason);
    QVERIFY(r.history.empty());
}

void TestParser::numbersBlankLinesAway() {
    const ParseResult r =
        ParseHistoryText("\r\n2005013 03 07\r\n\r\n2005014 03 07 12 19 25 31 09\r\nbad\r\n", Game::ssq());
    QCOMPARE(r.status, ParseResult::BadLines);
    QCOMPARE(r.badLines, (QList<int>{1, 3}));
}

void TestParser::mixedFaultsInOneMessage() {
    // Malformed lines and non-numeric tokens come in one message, every line with its reason.
    QString text;
    for (int i = 0; i < 11; ++i)
        text += "bad line\r\n";
    text += "2005014 03 07 12 19 25 31 xy\r\n";
    const ParseResult r = ParseHistoryText(text, Game::ssq());
    QCOMPARE(r.badLineCount, 12);
    QCOMPARE(r.status, ParseResult::BadLines);
    QCOMPARE(r.lineErrors.size(), 12);
    QCOMPARE(r.lineErrors[10], QStringLiteral("第11行：只有1个号码"));
    QCOMPARE(r.message, BadLinesHeading() + "\n" + r.lineErrors.join('\n'));
    QVERIFY(r.message.endsWith(QStringLiteral("\n第12行：'xy' 不是数字")));
}

void TestParser::nonNumericTokensKeepNothing() {
    // Right shapes, wrong content: each line is named, and no half-filled history comes back.
    const ParseResult r = ParseHistoryText("2005013 03 07 12 19 25 31 09\r\n"
                                           "2005014 03 0x 12 19 25 31 09\r\n"
                                           "20a5015 03 07 12 19 25 31 09\r\n"
                                           "2005016 03 07 12 19 25 31 ab\r\n",
                                           Game::ssq());
    QCOMPARE(r.status, ParseResult::BadNumbers);
    QCOMPARE(r.lineErrors,
             (QStringList{"第2行：'0x' 不是数字", "第3行：'20a5015' 不是数字", "第4行：'ab' 不是数字"}));
    QVERIFY(r.history.empty());
}

void TestParser::doubleByteCharacterCountsTwo() {
    // "中" is two bytes in GB2312: the line passes the shape check and fails conversion.
    const ParseResult twoBytes =
        ParseHistoryText(QStringLiteral("2005013 中 07 12 19 25 31 09"), Game::ssq());
    QCOMPARE(twoBytes.status, ParseResult::BadNumbers);
    QCOMPARE(twoBytes.lineErrors, QStringList{"第1行：'中' 不是数字"});
    const ParseResult threeBytes =
        ParseHistoryText(QStringLiteral("2005013 中3 07 12 19 25 31 09"), Game::ssq());
    QCOMPARE(threeBytes.status, ParseResult::BadLines);
    // The same holds for raw bytes as they come from a GB2312 file.
    QCOMPARE(ParseHistory(ToGb(QStringLiteral("2005013 03 07 12 19 25 31 ０")), Game::ssq()).status,
             ParseResult::BadNumbers);
}

void TestParser::sampleHistory() {
    const ParseResult r = ParseHistory(SampleHistoryBytes(), Game::ssq());
    QCOMPARE(r.status, ParseResult::Ok);
    QCOMPARE(int(r.history.size()), 3493);
    QCOMPARE(r.history.front().code(), 2003001);
    QCOMPARE(r.history.back().code(), 2026096);
    for (const TDrawRec& d : r.history) {
        int blues = 0;
        for (uint8_t b : d.Ticket.Blue)
            blues += b;
        QCOMPARE(blues, 1);
        QCOMPARE(d.Ticket.Valid, uint8_t(1));
    }
}

void TestParser::reparseIsIndependent() {
    const QString a = "2005013 03 07 12 19 25 31 09\r\n2005014 01 02 03 04 05 06 16";
    const QString b = "2005012 01 02 03 04 05 06 01\r\n" + a;
    const ParseResult first = ParseHistoryText(a, Game::ssq());
    const ParseResult second = ParseHistoryText(b, Game::ssq());
    QCOMPARE(int(second.history.size()), 3);
    QCOMPARE(second.history[0].Ticket.Blue[0], uint8_t(1));
    QCOMPARE(second.history[2].Ticket.Blue[15], uint8_t(1));
    QCOMPARE(second.history[2].Ticket.Blue[0], uint8_t(0));
    QCOMPARE(memcmp(&first.history[0], &second.history[1], sizeof(TDrawRec)), 0);
    QCOMPARE(memcmp(&first.history[0], &ParseHistoryText(a, Game::ssq()).history[0], sizeof(TDrawRec)), 0);
}

void TestParser::countValidCodes() {
    TCodeList list(4, TCodeRec{});
    QCOMPARE(CountValidCodes({}), 0);
    list[0].Valid = 1;
    list[1].Valid = 2;
    list[3].Valid = 1;
    QCOMPARE(CountValidCodes(list), 2);
}

void TestParser::garbageNeverCrashes() {
    QByteArray junk(50 * 1024 * 1024, '\0');
    quint32 x = 12345;
    for (char& c : junk) {
        x = x * 1103515245u + 12345u;
        c = char(x >> 24);
    }
    const ParseResult r = ParseHistory(junk, Game::ssq());
    QVERIFY(r.status != ParseResult::Ok);
    QVERIFY(r.badLineCount > 0);
}

QTEST_GUILESS_MAIN(TestParser)
#include "tst_parser.moc"
