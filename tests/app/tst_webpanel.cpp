#include "app/WebPanel.h"
#include "engine/history/Parser.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

class TestWebPanel : public QObject {
    Q_OBJECT
    QTcpServer server;
    QStringList requests;

  private slots:
    void initTestCase() {
        QVERIFY(server.listen(QHostAddress::LocalHost));
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    const QByteArray request = s->readAll();
                    requests << QString::fromLatin1(request.left(request.indexOf("\r\n")));
                    const QByteArray body =
                        "<html><head><title>Kelvora page</title></head><body>ok</body></html>";
                    s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                             QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                    s->disconnectFromHost();
                });
            }
        });
    }

    void browserStartsAfterFirstPaint() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the browser engine's own code trips AddressSanitizer (sized delete inside Chromium)");
#endif
        TWebPanel panel(true);
        panel.resize(400, 300);
        const QUrl url(QStringLiteral("http://127.0.0.1:%1/xinwen.asp").arg(server.serverPort()));
        panel.navigate(url);
        QVERIFY(!panel.WebBrowser); // not before the panel was painted
        QCOMPARE(panel.address(), url);
        panel.show();
        QTRY_VERIFY_WITH_TIMEOUT(panel.WebBrowser != nullptr, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(panel.WebBrowser->title(), QStringLiteral("Kelvora page"), 30000);
        QVERIFY(requests.contains(QStringLiteral("GET /xinwen.asp HTTP/1.1")));

        // Later navigation goes straight to the running browser.
        const QUrl home(QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort()));
        QSignalSpy loaded(panel.WebBrowser, &QWebEngineView::loadFinished);
        panel.navigate(home);
        QVERIFY(loaded.wait(30000));
        QCOMPARE(panel.WebBrowser->url(), home);
    }

    void unreachablePageShowsChineseNote() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the browser engine's own code trips AddressSanitizer (sized delete inside Chromium)");
#endif
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QUrl url(QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort()));
        closed.close(); // nothing listens there any more: the connection is refused
        // The page answers pending toHtml() calls while it is destroyed, so html outlives the panel.
        QString html;
        TWebPanel panel(true);
        panel.resize(400, 300);
        panel.navigate(url);
        panel.show();
        QTRY_VERIFY_WITH_TIMEOUT(panel.WebBrowser != nullptr, 5000);
        QTRY_VERIFY_WITH_TIMEOUT((panel.WebBrowser->page()->toHtml([&html](const QString& h) { html = h; }),
                                  html.contains("无法打开网页")),
                                 30000);
        QVERIFY(html.contains(url.toString()));
    }

    void homePageSummarisesHistory_data() {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("two draws") << "2025150 02 09 17 21 28 33 05\n2026001 01 04 16 22 26 31 16"
                                   << QStringList{"第2026001期",
                                                  ">01<",
                                                  ">31<",
                                                  ">16<",
                                                  "共2期，2025150期至2026001期（2025年至2026年）",
                                                  "go-shrink"};
        QTest::newRow("empty") << "" << QStringList{"还没有开奖数据", "go-data"};
    }
    void homePageSummarisesHistory() {
        QFETCH(QString, history);
        QFETCH(QStringList, texts);
        const TCodeArr draws = ParseHistoryText(history, Game::ssq()).history;
        const QString html = TWebPanel::OfflinePage(QUrl("http://127.0.0.1:9/"), draws, Game::ssq());
        for (const QString& text : texts)
            QVERIFY2(html.contains(text), qPrintable(text));
        // The blue ball is the one with the blue colour, after the six reds.
        if (!draws.empty()) QVERIFY(html.indexOf("#1f5fd6\">16<") > html.lastIndexOf("#d8261c\">31<"));
    }

    // The newest draw as the game's balls: six reds and a blue, or five fronts and two backs.
    void homePageOfEachGame_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("history");
        QTest::addColumn<QString>("fronts");
        QTest::addColumn<QString>("backs");
        QTest::newRow("ssq") << "ssq"
                             << "2026096 01 04 16 22 26 31 04"
                             << "01 04 16 22 26 31"
                             << "04";
        QTest::newRow("dlt") << "dlt"
                             << "2026094 05 14 15 17 33 01 07"
                             << "05 14 15 17 33"
                             << "01 07";
    }
    void homePageOfEachGame() {
        QFETCH(QString, game);
        QFETCH(QString, history);
        QFETCH(QString, fronts);
        QFETCH(QString, backs);
        const Game& g = *Game::find(game);
        const TCodeArr draws = ParseHistoryText(history, g).history;
        QCOMPARE(int(draws.size()), 1);
        const QString html = TWebPanel::OfflinePage(QUrl("http://127.0.0.1:9/"), draws, g);
        QVERIFY(html.contains(QStringLiteral("Kelvora %1分析").arg(g.nameText())));
        static const QRegularExpression ballRe(QStringLiteral("background:(#[0-9a-f]+)\">(\\d\\d)<"));
        QStringList red, blue;
        for (const QRegularExpressionMatch& m : ballRe.globalMatch(html))
            (m.captured(1) == QLatin1String("#d8261c") ? red : blue) << m.captured(2);
        QCOMPARE(red.join(QLatin1Char(' ')), fronts);
        QCOMPARE(blue.join(QLatin1Char(' ')), backs);
    }

    void homePageButtonsAskForPanels() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the browser engine's own code trips AddressSanitizer (sized delete inside Chromium)");
#endif
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QUrl url(QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort()));
        closed.close();
        const TCodeArr draws = ParseHistoryText("2026001 01 04 16 22 26 31 16", Game::ssq()).history;
        QString html; // outlives the panel, as above
        TWebPanel panel(true);
        panel.setHistory(draws);
        QSignalSpy asked(&panel, &TWebPanel::panelRequested);
        panel.resize(600, 400);
        panel.navigate(url);
        panel.show();
        QTRY_VERIFY_WITH_TIMEOUT(panel.WebBrowser != nullptr, 5000);
        QTRY_VERIFY_WITH_TIMEOUT((panel.WebBrowser->page()->toHtml([&html](const QString& h) { html = h; }),
                                  html.contains("go-shrink")),
                                 30000);
        panel.WebBrowser->page()->runJavaScript(
            QStringLiteral("document.getElementById('go-shrink').click()"));
        QTRY_COMPARE_WITH_TIMEOUT(asked.size(), 1, 30000);
        QCOMPARE(asked.first().first().toString(), QStringLiteral("shrink"));
    }

    void disabledBrowserOnlyRecordsAddress() {
        TWebPanel panel(false);
        panel.show();
        panel.navigate(QUrl(QStringLiteral("http://127.0.0.1:9/")));
        QTest::qWait(50);
        QVERIFY(!panel.WebBrowser);
        QCOMPARE(panel.address(), QUrl(QStringLiteral("http://127.0.0.1:9/")));
    }
};

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestWebPanel test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_webpanel.moc"
