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
    WebBrowser->load(m_url);
}
