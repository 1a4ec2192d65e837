#pragma once

#include <QUrl>
#include <QWidget>

class QWebEngineView;

// The embedded browser. The browser itself starts after the panel's first paint, so it never
// delays the first appearance of the window.
class TWebPanel : public QWidget {
    Q_OBJECT
  public:
    explicit TWebPanel(bool browserEnabled, QWidget* parent = nullptr);

    void navigate(const QUrl& url);
    QUrl address() const { return m_url; }
    // Null until the browser has started (always null when it is disabled).
    QWebEngineView* WebBrowser = nullptr;
    // What the browser shows when a page cannot be loaded.
    static QString OfflinePage(const QUrl& url);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void startBrowser();

    bool m_browserEnabled;
    bool m_startQueued = false;
    QUrl m_url;
};
