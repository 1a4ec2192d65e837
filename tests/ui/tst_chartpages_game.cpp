#include "../support/TestSupport.h"
#include "engine/charts/ChartSheets.h"
#include "engine/charts/ZoneChart.h"
#include "engine/prize/DrawFigures.h"
#include "support/ModalCatcher.h"
#include "paint/NetPaint.h"
#include "paint/SalesPoolPaint.h"
#include "ui/charts/AnalysisPage.h"
#include "ui/charts/BoardPage.h"
#include "ui/charts/ChartPages.h"
#include "ui/charts/OmissionPage.h"
#include "ui/charts/RotationPage.h"
#include "ui/charts/SalesPoolPage.h"
#include "ui/charts/StatsPage.h"
#include "ui/charts/TrendPage.h"
#include "ui/charts/ZonePage.h"
#include "ui/controls/B0Net.h"
#include "ui/controls/G2Net.h"
#include "ui/controls/H2Net.h"

#include <QJsonDocument>
#include <QLabel>
#include <QPdfWriter>
#include <QProcess>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(const Game*)

namespace {

// A chart's JSON without the column widths (a grid widens its columns to the page).
QJsonObject content(QJsonObject json) {
    json.remove(QStringLiteral("colWidths"));
    return json;
}

// The chart a page's controls hold, as the engine's JSON.
QJsonObject shownJson(const TChartPage* page) {
    if (auto* p = qobject_cast<const TTrendPage*>(page)) return p->net()->model().toJson();
    if (auto* p = qobject_cast<const TStatsPage*>(page)) return p->net()->baseModel().toJson();
    if (auto* p = qobject_cast<const TBoardPage*>(page)) return B0NetBoards{p->boards()}.toJson();
    if (auto* p = qobject_cast<const TOmissionPage*>(page))
        return OmissionTables{p->redNet()->model(), p->blueNet()->model()}.toJson();
    if (auto* p = qobject_cast<const TAnalysisPage*>(page)) return p->net()->model().toJson();
    if (auto* p = qobject_cast<const TSalesPoolPage*>(page)) return p->view()->chart().toJson();
    return {};
}

} // namespace

// The chart pages shown for either game: what they draw is the engine's chart of that game, in
// its words, and each game keeps its own period count and start number.
class TestChartPagesGame : public QObject {
    Q_OBJECT

  private slots:
    void everySheetShowsTheGamesChart_data() {
        QTest::addColumn<const Game*>("game");
        QTest::addColumn<int>("index");
        for (const Game* game : Game::all())
            for (int i = 0; i < ChartSheetCount; ++i)
                QTest::addRow("%s-%d", game->key, i + 1) << game << i;
    }
    void everySheetShowsTheGamesChart() {
        QFETCH(const Game*, game);
        QFETCH(int, index);
        TCodeArr history = SampleHistoryOf(*game);
        TChartPages pages(history);
        pages.setGame(*game);
        pages.resize(1000, 700);
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        pages.showSheet(index);
        TChartPage* page = pages.sheet(index);
        const ChartSheet& sheet = ChartSheets[size_t(index)];
        QCOMPARE(pages.tabText(index), sheet.title(*game));
        QCOMPARE(page->caption(), sheet.title(*game));

        ChartArgs args{30};
        if (auto* omission = qobject_cast<TOmissionPage*>(page))
            args.boxWidth = std::max(omission->scrollBox()->viewport()->width(), OmissionTableWidth);
        QCOMPARE(content(shownJson(page)), content(ChartModelJson(sheet.fill(history, args, *game))));

        // Nothing in a grid is cut: every cell text, and every caption over a single column, fits
        // the column the grid shows.
        const TH2Net* net = nullptr;
        if (auto* p = qobject_cast<const TTrendPage*>(page)) net = p->net();
        if (auto* p = qobject_cast<const TAnalysisPage*>(page)) net = p->net();
        if (net) {
            const H2NetModel& m = net->model();
            const QFontMetrics fm(NetFont(net->font(), m.FFontSize, true));
            for (int c = 0; c < m.colsCount(); ++c) {
                QStringList texts;
                for (int r = 0; r < m.rowCount(); ++r)
                    texts << m.GetValue(r, c);
                for (const TMergeRec& merge : m.merges())
                    if (merge.TopLeft.x() == c && merge.BottomRight.x() == c) texts << merge.Text;
                for (const QString& text : texts)
                    QVERIFY2(CellTextWidth(fm, text) <= m.colWidths()[c],
                             qPrintable(QStringLiteral("column %1: %2").arg(c).arg(text)));
            }
        }

        // The other games' words never show on the page's tab, title or printed heading.
        for (const Game* other : Game::all())
            for (const QString& word : {other->front(), other->side()})
                if (!word.isEmpty() && word != game->front() && word != game->side()) {
                    QVERIFY2(!page->printTitle().contains(word), qPrintable(word));
                    QVERIFY2(!pages.tabText(index).contains(word), qPrintable(word));
                }
        QCOMPARE(page->printTitle().startsWith(game->nameText()), game->namedTitles);
        QCOMPARE(page->pictureFileName().startsWith(game->nameText()), game->namedTitles);
        if (auto* zone = qobject_cast<TZonePage*>(page))
            QCOMPARE(zone->note()->text(), ZoneChartNoteText(*game).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    // Switching the game while a sheet is in view refills it from the new history; going back
    // brings each game's own settings back.
    void switchingKeepsEachGamesSettings() {
        TCodeArr history = SampleHistory();
        TChartPages pages(history);
        pages.resize(1000, 700);
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        pages.showSheet(7);
        auto* rotation = qobject_cast<TRotationPage*>(pages.sheet(7));
        rotation->periodsEdit()->setValue(12);
        rotation->startEdit()->setValue(33);
        QVERIFY(rotation->refill());

        history = DltSampleHistory();
        pages.setGame(Game::dlt());
        QCOMPARE(rotation->periods(), 30);
        QCOMPARE(rotation->startEdit()->maximum(), 35);
        QCOMPARE(rotation->startNumber(), 1);
        QCOMPARE(content(shownJson(rotation)),
                 content(ChartModelJson(ChartSheets[7].fill(history, {30, 1}, Game::dlt()))));
        rotation->startEdit()->setValue(35);
        QVERIFY(rotation->refill());

        history = SampleHistory();
        pages.setGame(Game::ssq());
        QCOMPARE(rotation->periods(), 12);
        QCOMPARE(rotation->startNumber(), 33);
        QCOMPARE(content(shownJson(rotation)),
                 content(ChartModelJson(ChartSheets[7].fill(history, {12, 33}, Game::ssq()))));

        history = DltSampleHistory();
        pages.setGame(Game::dlt());
        QCOMPARE(rotation->startNumber(), 35);
    }

    // 打印图表 for the games whose titles name them: the printed heading names the game, the chart
    // has its words.
    void printNamesTheGame_data() {
        QTest::addColumn<const Game*>("game");
        QTest::addColumn<QString>("words");
        QTest::newRow("dlt") << &Game::dlt() << QStringLiteral("前区号码");
        QTest::newRow("qlc") << &Game::qlc() << QStringLiteral("基本号码");
    }
    void printNamesTheGame() {
        QFETCH(const Game*, game);
        QFETCH(QString, words);
        TCodeArr history = SampleHistoryOf(*game);
        TChartPages pages(history);
        pages.setGame(*game);
        pages.resize(1000, 700);
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        pages.showSheet(1);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(game->keyText() + QStringLiteral(".pdf"));
        {
            QPdfWriter writer(pdf);
            QVERIFY(pages.currentSheet()->printPictureTo(writer));
        }
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(120000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains(game->nameText() + QStringLiteral("区域分布图（最近30期）")),
                 qPrintable(text.left(400)));
        QVERIFY(text.contains(words));
        QVERIFY(!text.contains(QStringLiteral("红球")));
    }

    // A game without draws refuses the fill: the sheet in view is left empty, not showing the
    // previous game's chart under the new game's caption.
    void refusedFillAfterSwitchLeavesNoOldChart_data() {
        QTest::addColumn<int>("index");
        for (int i : {0, 6, 10, 11, 12, 13})
            QTest::addRow("%d", i + 1) << i;
    }
    void refusedFillAfterSwitchLeavesNoOldChart() {
        QFETCH(int, index);
        TCodeArr history = SampleHistory();
        TChartPages pages(history);
        pages.resize(1000, 700);
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        pages.showSheet(index);
        TChartPage* page = pages.sheet(index);
        QVERIFY(!shownJson(page).isEmpty());
        const QJsonObject empty = shownJson(TChartPages(history).sheet(index));

        history.clear();
        ModalCatcher catcher;
        pages.setGame(Game::dlt());
        QCOMPARE(catcher.texts.size(), 1);
        QCOMPARE(shownJson(page), empty);
        QCOMPARE(page->caption(), ChartSheets[size_t(index)].title(Game::dlt()));
    }

    // 奖池与销量 with the figures the window holds: the page shows the engine's chart of them, the
    // hover text of a draw gives its figures, a change of the figures redraws the page, and a game
    // without figures says so and still fills, prints and saves.
    void salesPoolPageShowsTheFigures_data() {
        QTest::addColumn<const Game*>("game");
        for (const Game* game : Game::all())
            QTest::newRow(game->key) << game;
    }
    void salesPoolPageShowsTheFigures() {
        QFETCH(const Game*, game);
        TCodeArr history = SampleHistoryOf(*game);
        FiguresTable figures = LoadFigures(FiguresFixturePathOf(*game), *game, &history).table;
        const bool held = !figures.empty();
        TChartPages pages(history);
        pages.setGame(*game);
        pages.setFigures(&figures);
        pages.resize(1000, 700);
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        const int index = TChartPages::SheetCount - 1;
        pages.showSheet(index);
        auto* page = qobject_cast<TSalesPoolPage*>(pages.sheet(index));
        QVERIFY(page);
        QCOMPARE(pages.tabText(index), QStringLiteral("奖池与销量"));
        page->periodsEdit()->setValue(100);
        QVERIFY(page->refill());
        ChartArgs args{100};
        args.figures = &figures;
        QCOMPARE(shownJson(page), ChartModelJson(FindChartSheet(index + 1)->fill(history, args, *game)));
        const SalesPoolChart& chart = page->view()->chart();
        QCOMPARE(chart.note.isEmpty(), held);
        if (!held) QVERIFY(chart.note.contains(QStringLiteral("没有%1的开奖公告数据").arg(game->nameText())));

        // Under the mouse at a draw's place: that draw and its figures.
        TSalesPoolView* view = page->view();
        const SalesPoolLayout layout = LayoutSalesPool(chart, view->font(), view->size());
        for (int i : {0, 57, 99}) {
            const QPoint at(int(layout.xOf(i)), layout.plot.center().y());
            QCOMPARE(view->drawAt(at), i);
            const SalesPoolPoint& p = chart.points[size_t(i)];
            const QString text = view->hoverText(i);
            QVERIFY2(text.startsWith(QStringLiteral("第%1期").arg(p.issue)), qPrintable(text));
            if (const DrawFigures* d = figures.find(p.issue)) {
                for (const QString& part : {d->date.toString(Qt::ISODate), WeekdayText(d->date),
                                            YuanText(d->sales), YuanText(d->pool), QStringLiteral("一等奖")})
                    QVERIFY2(text.contains(part), qPrintable(text + QStringLiteral(" / ") + part));
                if (d->tiers.front().winners > 0)
                    QVERIFY(text.contains(QStringLiteral("%1注").arg(d->tiers.front().winners)));
            } else {
                QVERIFY2(text.contains(QStringLiteral("没有本期的开奖公告数据")), qPrintable(text));
            }
        }
        QCOMPARE(view->drawAt(QPoint(layout.plot.left() - 5, layout.plot.center().y())), -1);

        const QImage image = page->pictureImage();
        QVERIFY(!image.isNull());
        QVERIFY(image.width() >= SalesPoolNaturalSize(chart, view->font()).width());
        QCOMPARE(page->printTitle().startsWith(game->nameText()), game->namedTitles);
        QTemporaryDir dir;
        QPdfWriter writer(dir.filePath(QStringLiteral("lines.pdf")));
        QVERIFY(page->printPictureTo(writer));

        // The figures go (another game's data loaded, say): the page in view says there are none.
        figures = FiguresTable();
        pages.figuresChanged();
        QVERIFY(!page->view()->chart().note.isEmpty());
        QCOMPARE(page->view()->chart().drawsWithFigures(), 0);
    }
};

QTEST_MAIN(TestChartPagesGame)
#include "tst_chartpages_game.moc"
