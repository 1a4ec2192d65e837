#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"

#include <QUrl>
#include <QWidget>

class QWebEngineView;

// The embedded browser. The browser itself starts after the panel's first paint, so it never
// delays the first appearance of the window.
struct FiguresTable;

class TWebPanel : public QWidget {
    Q_OBJECT
  public:
    explicit TWebPanel(bool browserEnabled, QWidget* parent = nullptr);

    void navigate(const QUrl& url);
    QUrl address() const { return m_url; }
    // Null until the browser has started (always null when it is disabled).
    QWebEngineView* WebBrowser = nullptr;
    // The history summarised by the local home page; the panel keeps a reference, never a copy.
    void setHistory(const TCodeArr& history) { m_history = &history; }
    // The game of that history (its name and its balls on the home page).
    // The local home page, when shown, is drawn again for it.
    void setGame(const Game& game);
    // What the browser shows when a page cannot be loaded: a home page of its own with the newest
    // draw, the draw count and range, and links that ask for a panel (see panelRequested).
    static QString OfflinePage(const QUrl& url, const TCodeArr& history, const Game& game,
                               const FiguresTable* figures = nullptr);
    // The draw figures the home page gives for the newest draw (its date, sales, pool, winners).
    void setFigures(const FiguresTable* figures) { m_figures = figures; }
    // Panel names of the home page's links: data, charts, shrink, predict, query.
    static const QString PanelHost;

  signals:
    void panelRequested(const QString& panel);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void startBrowser();

    bool m_browserEnabled;
    bool m_startQueued = false;
    QUrl m_url;
    const TCodeArr* m_history = nullptr;
    const FiguresTable* m_figures = nullptr;
    const Game* m_game = &Game::ssq();
};
