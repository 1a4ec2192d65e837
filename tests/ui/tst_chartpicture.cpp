// The whole chart leaving the program: the page's picture equals what kelvora-cli chart --png draws,
// saving writes it, printing puts it on as many PDF pages as it needs, the context menu offers all.
#include "engine/charts/ChartSheets.h"
#include "engine/charts/TrendOmission.h"
#include "engine/core/KelvoraError.h"
#include "paint/ChartPaint.h"
#include "paint/ProgramFont.h"
#include "support/TestSupport.h"
#include "ui/charts/ChartPage.h"
#include "ui/charts/ChartPages.h"
#include "ui/charts/TrendPage.h"
#include "ui/controls/H2Net.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

class TestChartPicture : public QObject {
    Q_OBJECT

    TCodeArr m_history = SampleHistory();
    QTemporaryDir m_dir;
    std::unique_ptr<TChartPages> m_pages;

    TChartPage* show(int sheet, int n) {
        m_pages->showSheet(sheet - 1);
        TChartPage* page = m_pages->currentSheet();
        page->periodsEdit()->setValue(n);
        page->refill();
        return page;
    }

  private slots:
    void initTestCase() {
        QFile::copy(SampleHistoryPath(), m_dir.filePath(QStringLiteral("ssq.dxt")));
        m_pages = std::make_unique<TChartPages>(m_history);
        m_pages->setFont(ProgramFont());
        m_pages->resize(776, 480);
        m_pages->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pages.get()));
    }
    void cleanupTestCase() { m_pages.reset(); }

    void cliDrawsThePagesPicture_data() {
        QTest::addColumn<int>("sheet");
        QTest::addColumn<int>("periods");
        QTest::newRow("red trend") << 1 << 30;
        QTest::newRow("zone, wide totals") << 2 << 300;
        QTest::newRow("red stats") << 7 << 30;
        QTest::newRow("omission tables") << 11 << 30;
        QTest::newRow("gann boards") << 12 << 30;
        QTest::newRow("analysis table") << 13 << 100;
    }
    void cliDrawsThePagesPicture() {
        QFETCH(int, sheet);
        QFETCH(int, periods);
        const QImage shown = show(sheet, periods)->pictureImage().convertToFormat(QImage::Format_RGB32);
        const QString file = m_dir.filePath(QStringLiteral("sheet%1.png").arg(sheet));
        const CliRun cli =
            RunCli({QStringLiteral("--data"), m_dir.filePath(QStringLiteral("ssq.dxt")),
                    QStringLiteral("chart"), QString::number(sheet), QStringLiteral("--periods"),
                    QString::number(periods), QStringLiteral("--png"), file});
        QCOMPARE(cli.status, 0);
        const QImage written = QImage(file).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(written.size(), shown.size());
        QVERIFY(written == shown);
        // The picture is the whole chart, not the part in view (a bar chart fits its page).
        if (sheet != 7) QVERIFY(shown.height() > m_pages->height());
    }

    void saveCopyAndPrint() {
        TChartPage* page = show(1, 300);
        const QImage picture = page->pictureImage();
        const QString png = m_dir.filePath(QStringLiteral("saved.png"));
        page->savePictureTo(png);
        QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32),
                 picture.convertToFormat(QImage::Format_RGB32));
        page->copyPicture();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), picture.size());

        // 300 draws do not fit one A4 page: the rows go on over several.
        const QString pdf = m_dir.filePath(QStringLiteral("chart.pdf"));
        {
            QPdfWriter writer(pdf);
            writer.setResolution(300);
            QVERIFY(page->printPictureTo(writer));
        }
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished(30000));
        const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                                  .match(QString::fromLatin1(info.readAllStandardOutput()));
        QVERIFY(pages.hasMatch());
        QVERIFY2(pages.captured(1).toInt() > 1, qPrintable(pages.captured(1)));
    }

    // 打印图表 of the whole history: every page repeats the header rows under a heading with the
    // title, the print time and its number; a page ends only where a row ends, so each draw is
    // printed once.
    void printedPagesKeepRowsWhole() {
        const int n = int(m_history.size());
        TChartPage* page = show(1, n);
        const QString pdf = m_dir.filePath(QStringLiteral("whole.pdf"));
        {
            QPdfWriter writer(pdf);
            writer.setResolution(300);
            QVERIFY(page->printPictureTo(writer));
        }
        const auto text = [&](int k) {
            QStringList args{QStringLiteral("-layout")};
            if (k > 0)
                args << QStringLiteral("-f") << QString::number(k) << QStringLiteral("-l")
                     << QString::number(k);
            QProcess p;
            p.start(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
            p.waitForFinished(120000);
            return QString::fromUtf8(p.readAllStandardOutput());
        };
        const QString all = text(0);
        const int pages = int(all.count(QLatin1Char('\f')));
        QVERIFY(pages > 1);
        for (const int k : {1, 2, pages}) {
            const QString t = text(k);
            QVERIFY2(t.contains(QStringLiteral("红球走势图（最近%1期）").arg(n)), qPrintable(t.left(400)));
            QVERIFY(t.contains(QStringLiteral("打印，时间:")));
            QVERIFY(t.contains(QStringLiteral("第%1页/共%2页").arg(k).arg(pages)));
            QVERIFY(t.contains(QStringLiteral("期号")));
            QVERIFY(t.contains(QStringLiteral("红球分布")));
        }
        // A row cut by a page break would print its texts on both pages.
        for (const TDrawRec& draw : m_history)
            QCOMPARE(all.count(QString::number(draw.code())), 1);
        QVERIFY(text(pages).contains(QStringLiteral("合计")));
    }

    // "显示遗漏" puts the counts into the grid (and so into its picture); hovering tells the same.
    void omissionSwitchAndHover() {
        auto* page = static_cast<TTrendPage*>(show(1, 30));
        TH2Net* net = page->net();
        const int row = net->model().fixRowCount();
        // Column of a number not drawn in the newest draw: its cell is empty until the switch is on.
        int col = 8;
        while (!net->model().GetValue(row, col).isEmpty())
            ++col;
        const H2NetLayout& l = net->layout();
        const TNetRect rect = net->model().RectOfCell(row, col);
        const QPoint centre((l.ColLefts[size_t(col)] * 2 + net->model().colWidths()[col]) / 2,
                            (rect.Top + rect.Bottom) / 2);
        const int omission = TrendOmissionAt(net->model(), 0, col);
        QVERIFY(omission > 0);
        QCOMPARE(net->toolTipAt(centre), QStringLiteral("%1期  %2：遗漏 %3 期")
                                             .arg(net->model().GetValue(row, 0))
                                             .arg(col - 7)
                                             .arg(omission));
        const QImage before = page->pictureImage();
        page->omissionSwitch()->setChecked(true);
        QCOMPARE(net->model().GetValue(row, col), QString::number(omission));
        QVERIFY(page->pictureImage() != before);
        QVERIFY(net->toolTipAt(centre).endsWith(QStringLiteral("：遗漏 %1 期").arg(omission)));
        page->omissionSwitch()->setChecked(false);
        QVERIFY(net->model().GetValue(row, col).isEmpty());
        // Off the draw rows there is nothing to tell.
        QVERIFY(net->toolTipAt(QPoint(centre.x(), 5)).isEmpty());
    }

    // A dark palette: cells whose fill the chart fixes keep dark ink; unfilled cells take the palette's.
    void darkPaletteKeepsFilledCellsReadable() {
        auto* page = static_cast<TTrendPage*>(show(1, 30));
        QPalette dark = page->palette();
        dark.setColor(QPalette::Base, Qt::black);
        dark.setColor(QPalette::Text, Qt::white);
        dark.setColor(QPalette::WindowText, Qt::white);
        page->setPalette(dark);
        const QImage image = page->pictureImage().convertToFormat(QImage::Format_RGB32);
        page->setPalette(QPalette());
        const H2NetModel& m = page->net()->model();
        // The chart lies under the title line.
        const int titleHeight = image.height() - page->picture()->size().height();
        QVERIFY(titleHeight > 0);
        auto inks = [&](int row, int col) {
            const TNetRect r = m.RectOfCell(row, col);
            QSet<QRgb> colours;
            for (int y = r.Top + titleHeight; y < r.Bottom + titleHeight; ++y)
                for (int x = r.Left; x < r.Right; ++x)
                    colours.insert(image.pixel(x, y));
            return colours;
        };
        // Header "1" over red numbers: its light fill with black text, no white.
        const QSet<QRgb> header = inks(1, 1);
        QVERIFY(header.contains(qRgb(0, 0, 0)));
        QVERIFY(!header.contains(qRgb(255, 255, 255)));
        // An issue code on the dark base: white text.
        QVERIFY(inks(2, 0).contains(qRgb(255, 255, 255)));
        // And the title above it.
        QSet<QRgb> title;
        for (int y = 0; y < titleHeight; ++y)
            for (int x = 0; x < image.width(); ++x)
                title.insert(image.pixel(x, y));
        QCOMPARE(title, (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    }

    // The PNG of a picture reads back as the same pixels (zlib's CRC and deflate), and a picture
    // that could not be made is the program's own error, never an empty file.
    void pngReadsBackOrRefuses() {
        // Tall enough for the program's own writer.
        const QImage picture =
            ChartImage(FindChartSheet(1)->fill(m_history, {300}, Game::ssq()),
                       ChartFont(FindChartSheet(1)->kind, ProgramFont()), QGuiApplication::palette());
        QCOMPARE(picture.format(), QImage::Format_Indexed8);
        QImage back;
        QVERIFY(back.loadFromData(ChartPng(picture), "PNG"));
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));

        const QString path = m_dir.filePath(QStringLiteral("none.png"));
        QVERIFY_THROWS_EXCEPTION(KelvoraError, SaveChartPng(QImage(), path));
        QVERIFY(!QFile::exists(path));
    }

    void contextMenuOffersThePicture() {
        TChartPage* page = show(7, 30);
        QStringList texts;
        for (QAction* a : page->pictureActions())
            texts << a->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("复制图片"), QStringLiteral("保存图片..."),
                                     QStringLiteral("打印图表")}));
        QVERIFY(page->copyButton()->isVisible());
        QVERIFY(page->copyButton()->geometry().left() >= 0);
        // The buttons sit right of "查询" on the top panel.
        QVERIFY(page->copyButton()->mapTo(page, QPoint(0, 0)).x() > page->goButton()->geometry().right());
    }
};

QTEST_MAIN(TestChartPicture)
#include "tst_chartpicture.moc"
