#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"
#include "engine/history/DataLocation.h"

#include <QList>
#include <QMainWindow>
#include <QUrl>

class QAction;
class QActionGroup;
class QLabel;
class QTabWidget;
class QToolBar;
class TChartPages;
class TDataPanel;
class TLedgerPanel;
class TPredictPanel;
class TQueryPanel;
class TShrinkPanel;
class TWebPanel;

// What differs between the installed program and a test run.
struct TMainOptions {
    QString programDir;            // where the program runs from; empty = the executable's directory
    QString dataFile;              // --data FILE of the game started with; empty = the data-location rule's
                                   // ssq.dxt or dlt.dxt. The other game's file then lies beside it.
    const Game* game = nullptr;    // --game; null = the game shown last (settings), else the two-colour ball
    bool gameSetting = false;      // the game shown last is read from and kept in the settings (the program
                                   // does; a test run leaves the settings alone)
    QUrl server;                   // the maker's web server; empty = the built-in address
    int downloadTimeoutMs = 30000; // a dead server must not hang the window
    bool webBrowser = true;        // tests run without starting the browser
    QString ledgerFile;            // --ledger FILE; empty = ledger.sqlite in the data folder
};

class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    explicit TMainForm(const TMainOptions& options = {}, QWidget* parent = nullptr);

    static const char DefaultServer[];
    // The title of the two-colour ball; the other game's names that game instead.
    static QString Caption();
    static QString Caption(const Game& game);

    TCodeArr History;

    // Panels (children of the client area; one of the first five is in front at a time).
    TDataPanel* DataPanel = nullptr;
    TQueryPanel* SqlPanel = nullptr;
    TShrinkPanel* RcmPanel = nullptr;
    TChartPages* GridPctl = nullptr;
    TPredictPanel* PridictPanel = nullptr;
    TWebPanel* WebPanel = nullptr;
    TLedgerPanel* LedgerPanel = nullptr;
    // In front instead of a panel whose analysis is for the two-colour ball only.
    QLabel* ComingPanel = nullptr;

    QToolBar* MainTbr = nullptr;
    // The game switch beside the main tool bar: the same two actions as the 彩种 menu.
    QToolBar* GameTbr = nullptr;
    QActionGroup* GameGroup = nullptr;
    // One a game, in the table's order; the first two also by name.
    QList<QAction*> GameMenuItems;
    QAction* GameMenuSsq = nullptr;
    QAction* GameMenuDlt = nullptr;
    QLabel* StatusPanels[3] = {};

    // Menu commands, then the tool-bar buttons (separate, as they carry their own hints).
    QAction* FileMenuManul = nullptr;
    QAction* FileMenuDown = nullptr;
    QAction* FileMenuExit = nullptr;
    QList<QAction*> GridMenuItems;
    QAction* RcmMenu = nullptr;
    QAction* PridictMenu = nullptr;
    QAction* SqlMenu = nullptr;
    QAction* LedgerMenu = nullptr;
    QAction* HelpMenuTopic = nullptr;
    QAction* HelpMenuRecm = nullptr;
    QAction* HelpMenuNews = nullptr;
    QAction* HelpMenuSupport = nullptr;
    QAction* HelpMenuAbout = nullptr;
    QAction* FileMenuManulBt = nullptr;
    QAction* GridMenuBt = nullptr;
    QAction* RcmMenuSuperScaleBt = nullptr;
    QAction* SecMenuBt = nullptr;
    QAction* SqlMenuBt = nullptr;
    QAction* HelpMenuRecmBt = nullptr;
    QAction* HelpMenuNewsBt = nullptr;
    QAction* FileMenuExitBt = nullptr;

    QString programDir() const { return m_programDir; }
    const Game& game() const { return *m_game; }
    // Shows the other game: its data file, editor, history and words. With unsaved edits it asks
    // first (保存 / 不保存 / 取消). False when it stayed with the game shown (cancelled, or the
    // game's file could not be read: then nothing changed).
    bool switchGame(const Game& game);
    // Where the history and readme.txt are (decided once at start-up).
    const DataLocation& dataLocation() const { return m_location; }
    QString DataFileName() const;
    QUrl homeUrl() const;
    QUrl newsUrl() const;
    // False when the data file could not be read at start-up (the rest of the start was skipped).
    bool dataFileLoaded() const { return m_loaded; }

    void HideAllPanels();
    void ShowPanel(QWidget* panel);
    void ShowPage(QTabWidget* pages, int index);
    void ShowWebPage(const QUrl& url);

    QString statusText() const;

    // The caption, with "*" in front while the data editor holds unsaved edits.
    void setWindowTitle(const QString& title);

  public slots:
    void setStatusText(const QString& text);

    void FileMenuManulClick();
    void FileMenuDownClick();
    void FileMenuExitClick();
    void GridMenuItemClick();
    void GridMenuBtClick();
    void RcmMenuClick();
    void PridictMenuClick();
    void SqlMenuClick();
    void LedgerMenuClick();
    void HelpMenuTopicClick();
    void HelpMenuRecmClick();
    void HelpMenuNewsClick();
    void HelpMenuSupportClick();
    void HelpMenuAboutClick();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormCreate();
    // Where the game's history is (the data-location rule, or beside the --data file).
    DataLocation locate(const Game& game) const;
    // The title, the status bar, the home page and the query follow the game shown.
    void showGameWords();
    // Panels whose analysis is for the two-colour ball only.
    bool serves(QWidget* panel, const Game& game) const;
    void createMenu();
    void createToolBar();
    void createStatusBar();
    void createPanels();
    // The panels of the client area that take turns in front.
    QList<QWidget*> mainPanels() const;
    void flashSplash();

    QWidget* m_client = nullptr;
    const Game* m_game = &Game::ssq();
    const Game* m_startGame = &Game::ssq();
    QWidget* m_comingFor = nullptr; // the panel the notice stands in for
    int m_comingPage = -1;          // the chart sheet asked for meanwhile
    QString m_programDir;
    DataLocation m_location;
    QUrl m_server;
    TMainOptions m_options;
    QString m_status;
    bool m_loaded = false;
};
