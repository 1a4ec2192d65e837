#include "ui/history/PrintLines.h"

#include "support/ModalCatcher.h"

#include <QDate>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestPrintLines : public QObject {
    Q_OBJECT

    QString pdfText(const QString& pdf, int page = 0) {
        QStringList args{QStringLiteral("-layout")};
        if (page > 0)
            args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                 << QString::number(page);
        QProcess p;
        p.start(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
        if (!p.waitForFinished(20000)) return QString();
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    int pageCount(const QString& pdf) {
        QProcess p;
        p.start(QStringLiteral("pdfinfo"), {pdf});
        p.waitForFinished(20000);
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }

  private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }
    void cleanup() { SetPrintToFile(QString()); }

    void headerLine() {
        const QString h = PrintHeaderLine(QDateTime(QDate(2005, 2, 3), QTime(14, 5, 6)));
        QVERIFY(h.startsWith(QStringLiteral(" 打印，时间:2005.02.03 ")));
        QVERIFY(h.contains(QStringLiteral("14")));
    }

    void layout_data() {
        QTest::addColumn<int>("pageHeight");
        QTest::addColumn<int>("lineHeight");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        QTest::newRow("fits exactly") << 100 << 10 << 10 << 1;
        QTest::newRow("one over") << 100 << 10 << 11 << 2;
        QTest::newRow("partial line does not fit") << 105 << 10 << 11 << 2;
        QTest::newRow("line taller than page") << 5 << 10 << 3 << 3;
        QTest::newRow("nothing") << 100 << 10 << 0 << 1;
    }
    void layout() {
        QFETCH(int, pageHeight);
        QFETCH(int, lineHeight);
        QFETCH(int, lines);
        QFETCH(int, pages);
        QCOMPARE(MakePrintPageLayout(pageHeight, lineHeight).pageCount(lines), pages);
    }

    void printsHeaderAndLines() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        SetPrintToFile(pdf);
        const QStringList lines = {QStringLiteral("第2005013期,开奖号:03 07 12 19 25 31+09"), QString(),
                                   QStringLiteral("第2005014期,开奖号:01 02 03 04 05 06+16")};
        ModalCatcher catcher;
        QVERIFY(PrintLines(nullptr, lines));
        QCOMPARE(catcher.dialogs, 0);
        const QString text = pdfText(pdf);
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"));
        QVERIFY2(text.contains(QStringLiteral("打印，时间:") + today), qPrintable(text));
        QVERIFY(text.contains(lines[0]));
        QVERIFY(text.contains(lines[2]));
        QVERIFY(text.indexOf(lines[0]) < text.indexOf(lines[2]));
        QCOMPARE(pageCount(pdf), 1);
    }

    void emptyListPrintsHeaderOnly() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("empty.pdf"));
        SetPrintToFile(pdf);
        QVERIFY(PrintLines(nullptr, {}));
        const QString text = pdfText(pdf).trimmed();
        QVERIFY(text.startsWith(QStringLiteral("打印，时间:")));
        QCOMPARE(text.count(QLatin1Char('\n')), 0);
        QCOMPARE(pageCount(pdf), 1);
    }

    void longListRunsOverPages() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("long.pdf"));
        SetPrintToFile(pdf);
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines << QStringLiteral("line %1").arg(i, 3, 10, QLatin1Char('0'));
        QVERIFY(PrintLines(nullptr, lines));
        QVERIFY(pageCount(pdf) > 1);
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(QStringLiteral("line 000")));
        QVERIFY(text.contains(QStringLiteral("line 199")));
    }

    // Every page is headed by the print time, the title and "第k页/共n页"; no line is lost or doubled.
    void everyPageHasItsHeading() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("pages.pdf"));
        SetPrintToFile(pdf);
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines << QStringLiteral("第%1期,开奖号:03 07 12 19 25 31+09").arg(2005001 + i);
        QVERIFY(PrintLines(nullptr, lines, QStringLiteral("开奖查询")));
        const int pages = pageCount(pdf);
        QVERIFY(pages > 1);
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"));
        for (const int k : {1, 2, pages}) {
            const QString text = pdfText(pdf, k);
            QVERIFY2(text.contains(QStringLiteral("打印，时间:") + today), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("开奖查询")), qPrintable(text.left(300)));
            QVERIFY(text.contains(QStringLiteral("第%1页/共%2页").arg(k).arg(pages)));
        }
        const QString all = pdfText(pdf);
        for (const QString& line : lines)
            QCOMPARE(all.count(line), 1);
    }

    // With no printer the box offers a PDF file instead; the export dialog's file gets the pages.
    void noPrinterOffersPdfFile() {
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("this machine has a printer");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("chosen.pdf"));
        ModalCatcher catcher;
        catcher.answers = {QMessageBox::Save};
        catcher.fileToChoose = pdf;
        const bool printed = PrintLines(nullptr, {QStringLiteral("第2005013期,开奖号:03 07 12 19 25 31+09")});
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("没有可用的打印机，无法打印！")});
        QVERIFY(printed);
        QVERIFY(catcher.fileFilters.join(QString()).contains(QStringLiteral("*.pdf")));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("第2005013期,开奖号:03 07 12 19 25 31+09")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("第1页/共1页")));
    }

    void unwritableTargetShowsErrorBox() {
        SetPrintToFile(QStringLiteral("/nonexistent-dir/sub/out.pdf"));
        ModalCatcher catcher;
        QVERIFY(!PrintLines(nullptr, {QStringLiteral("x")}));
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("打印失败！")});
    }

    void noPrinterShowsErrorBox() {
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("this machine has a printer");
        ModalCatcher catcher;
        QVERIFY(!PrintLines(nullptr, {QStringLiteral("x")}));
        QCOMPARE(catcher.texts, QStringList{QStringLiteral("没有可用的打印机，无法打印！")});
    }
};

QTEST_MAIN(TestPrintLines)
#include "tst_printlines.moc"
