#pragma once

#include "engine/core/CodeRec.h"
#include "engine/history/DataLocation.h"

#include <QList>
#include <QMainWindow>
#include <QUrl>

class QAction;
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
    QString dataFile;              // --data FILE; empty = the data-location rule's ssq.dxt
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
    static QString Caption();

    TCodeArr History;

    // Panels (children of the client area; one of the first five is in front at a time).
    TDataPanel* DataPanel = nullptr;
    TQueryPanel* SqlPanel = nullptr;
    TShrinkPanel* RcmPanel = nullptr;
    TChartPages* GridPctl = nullptr;
    TPredictPanel* PridictPanel = nullptr;
    TWebPanel* WebPanel = nullptr;
    TLedgerPanel* LedgerPanel = nullptr;

    QToolBar* MainTbr = nullptr;
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
    void createMenu();
    void createToolBar();
    void createStatusBar();
    void createPanels();
    // The panels of the client area that take turns in front.
    QList<QWidget*> mainPanels() const;
    void flashSplash();

    QWidget* m_client = nullptr;
    QString m_programDir;
    DataLocation m_location;
    QUrl m_server;
    TMainOptions m_options;
    QString m_status;
    bool m_loaded = false;
};
