#include "app/WebPanel.h"

#include "engine/prize/DrawFigures.h"

#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

const QString TWebPanel::PanelHost = QStringLiteral("kelvora.invalid");

namespace {

// The home page's panel links go to a host that never resolves; the page hands them to the window.
class TWebPage : public QWebEnginePage {
  public:
    // Owned by the view, as the view's own default page would be.
    TWebPage(TWebPanel* panel, QObject* view) : QWebEnginePage(view), m_panel(panel) {}

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        if (url.host() == TWebPanel::PanelHost) {
            emit m_panel->panelRequested(url.path().mid(1));
            return false;
        }
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    }

  private:
    TWebPanel* m_panel;
};

QString ball(int number, const char* colour) {
    return QStringLiteral("<span class=\"ball\" style=\"background:%1\">%2</span>")
        .arg(QLatin1String(colour))
        .arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

TWebPanel::TWebPanel(bool browserEnabled, QWidget* parent)
    : QWidget(parent), m_browserEnabled(browserEnabled) {
    setObjectName(QStringLiteral("WebPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void TWebPanel::setGame(const Game& game) {
    if (&game == m_game) return;
    m_game = &game;
    if (WebBrowser && WebBrowser->url() == QUrl(QStringLiteral("about:blank")))
        WebBrowser->setHtml(OfflinePage(m_url, m_history ? *m_history : TCodeArr(), game, m_figures),
                            QUrl(QStringLiteral("about:blank")));
}

void TWebPanel::navigate(const QUrl& url) {
    m_url = url;
    if (WebBrowser)
        WebBrowser->load(url);
    else if (m_browserEnabled && isVisible() && !m_startQueued)
        update();
}

void TWebPanel::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), palette().base());
    if (m_browserEnabled && !WebBrowser && !m_startQueued && !m_url.isEmpty()) {
        m_startQueued = true;
        QTimer::singleShot(0, this, &TWebPanel::startBrowser);
    }
}

void TWebPanel::startBrowser() {
    WebBrowser = new QWebEngineView(this);
    WebBrowser->setObjectName(QStringLiteral("WebBrowser"));
    WebBrowser->setPage(new TWebPage(this, WebBrowser));
    layout()->addWidget(WebBrowser);
    // The browser's own error page is English; a user offline gets a short Chinese note instead.
    connect(WebBrowser, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (!ok && WebBrowser->url() != QUrl(QStringLiteral("about:blank")))
            WebBrowser->setHtml(OfflinePage(m_url, m_history ? *m_history : TCodeArr(), *m_game, m_figures),
                                QUrl(QStringLiteral("about:blank")));
    });
    WebBrowser->load(m_url);
}

QString TWebPanel::OfflinePage(const QUrl& url, const TCodeArr& history, const Game& game,
                               const FiguresTable* figures) {
    const QString address = url.toString().toHtmlEscaped();
    QString draws;
    if (history.empty()) {
        draws = QStringLiteral(
            "<p>还没有开奖数据。请在“数据更新”中用“在线更新”或“导入数据”取得开奖数据，然后保存。</p>");
    } else {
        const TDrawRec& last = history.back();
        QString balls;
        for (int k = 0; k < game.frontPicks; ++k)
            balls += ball(last.Ticket.Red[k], "#d8261c");
        for (int b = 0; b < game.backPool; ++b)
            if (last.Ticket.Blue[b]) balls += ball(b + 1, "#1f5fd6");
        if (last.Ticket.Special) balls += ball(last.Ticket.Special, "#1f5fd6");
        draws = QStringLiteral("<p>最新一期：第%1期</p><p>%2</p><p>共%3期，%4期至%1期（%5年至%6年）</p>")
                    .arg(last.code())
                    .arg(balls)
                    .arg(history.size())
                    .arg(history.front().code())
                    .arg(history.front().Year)
                    .arg(last.Year);
        // What was sold and paid in that draw, when its figures are known.
        if (const DrawFigures* f = figures ? figures->find(last.code()) : nullptr)
            for (const QString& line : FiguresQueryLines(game, *f))
                draws += QStringLiteral("<p>%1</p>").arg(line.trimmed().toHtmlEscaped());
    }
    QString buttons;
    const char* const panels[5][2] = {{"data", "数据更新"},
                                      {"charts", "常用图表"},
                                      {"shrink", "超强缩水"},
                                      {"predict", "智能预测"},
                                      {"query", "查询统计"}};
    for (const auto& p : panels)
        buttons += QStringLiteral("<a class=\"button\" id=\"go-%1\" href=\"https://%2/%1\">%3</a>")
                       .arg(QLatin1String(p[0]), PanelHost, QString::fromUtf8(p[1]));
    return QStringLiteral(
               "<html><head><meta charset=\"utf-8\"><style>"
               "body{font-family:sans-serif;margin:40px;color:#333}"
               ".ball{display:inline-block;width:40px;height:40px;line-height:40px;border-radius:50%;"
               "color:#fff;font-weight:bold;font-size:18px;text-align:center;margin-right:8px}"
               ".button{display:inline-block;padding:8px 16px;margin:0 8px 8px 0;border:1px solid #999;"
               "border-radius:4px;background:#f4f4f4;color:#222;text-decoration:none}"
               ".note{margin-top:32px;color:#777;font-size:90%}"
               "</style></head><body>"
               "<h2>Kelvora %4分析</h2>%2<p>%3</p>"
               "<p>理性购彩，量力而行。</p>"
               "<p class=\"note\">无法打开网页：暂时无法连接到 <b>%1</b>，请检查网络连接后"
               "<a href=\"%1\">重新打开</a>。分析功能不需要网络。</p></body></html>")
        .arg(address, draws, buttons, game.nameText());
}
