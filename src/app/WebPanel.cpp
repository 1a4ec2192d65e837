#include "WebPanel.h"

#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineView>

TWebPanel::TWebPanel(bool browserEnabled, QWidget* parent)
    : QWidget(parent), m_browserEnabled(browserEnabled) {
    setObjectName(QStringLiteral("WebPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
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
    layout()->addWidget(WebBrowser);
    // The browser's own error page is English; a user offline gets a short Chinese note instead.
    connect(WebBrowser, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (!ok && WebBrowser->url() != QUrl(QStringLiteral("about:blank")))
            WebBrowser->setHtml(OfflinePage(m_url), QUrl(QStringLiteral("about:blank")));
    });
    WebBrowser->load(m_url);
}

QString TWebPanel::OfflinePage(const QUrl& url) {
    const QString address = url.toString().toHtmlEscaped();
    return QStringLiteral("<html><head><meta charset=\"utf-8\"></head>"
                          "<body style=\"font-family:sans-serif;margin:48px;color:#333\">"
                          "<h2>无法打开网页</h2>"
                          "<p>暂时无法连接到 <b>%1</b>，请检查网络连接后重试。</p>"
                          "<p>分析功能不需要网络：开奖数据、缩水、预测、图表和查询都可以直接使用。</p>"
                          "<p><a href=\"%1\">重新打开</a></p></body></html>")
        .arg(address);
}
