#include "app/MainForm.h"

#include "app/AboutBox.h"
#include "app/ProgramIcon.h"
#include "app/ToolIcons.h"
#include "app/WebPanel.h"
#include "engine/core/KelvoraError.h"
#include "engine/history/DataFile.h"
#include "engine/history/HistoryLoader.h"
#include "engine/ledger/Ledger.h"
#include "ui/CommandGuard.h"
#include "ui/UserSettings.h"
#include "ui/charts/ChartPages.h"
#include "ui/forms/ProgramFont.h"
#include "ui/forms/SplashForm.h"
#include "ui/history/DataPanel.h"
#include "ui/history/QueryPanel.h"
#include "ui/ledger/LedgerPanel.h"
#include "ui/predict/PredictPanel.h"
#include "ui/prize/PrizeWindow.h"
#include "ui/shrink/ShrinkPanel.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Every child fills the client area; which one the user sees is a matter of stacking order.
class TClientArea : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void resizeEvent(QResizeEvent*) override {
        for (QObject* child : children())
            if (auto* w = qobject_cast<QWidget*>(child); w && w->isWindow() == false) w->setGeometry(rect());
    }
};

const char* const ChartLongHints[ChartSheetCount] = {"",
                                                     "",
                                                     "",
                                                     "",
                                                     "",
                                                     "查看3D走势图",
                                                     "查看K线分布图",
                                                     "查看和值分布图",
                                                     "查看合值分布图",
                                                     "查看奇偶走势图",
                                                     "查看大小走势图",
                                                     "查看遗漏统计表",
                                                     "",
                                                     "查看每期销量和奖池"};
const QKeySequence ChartShortcuts[ChartSheetCount] = {
    QKeySequence(Qt::CTRL | Qt::Key_1),   QKeySequence(Qt::CTRL | Qt::Key_2),
    QKeySequence(Qt::CTRL | Qt::Key_3),   QKeySequence(Qt::CTRL | Qt::Key_4),
    QKeySequence(Qt::CTRL | Qt::Key_5),   QKeySequence(Qt::CTRL | Qt::Key_6),
    QKeySequence(Qt::CTRL | Qt::Key_7),   QKeySequence(Qt::CTRL | Qt::Key_8),
    QKeySequence(Qt::CTRL | Qt::Key_9),   QKeySequence(Qt::SHIFT | Qt::Key_F1),
    QKeySequence(Qt::SHIFT | Qt::Key_F2), QKeySequence(Qt::SHIFT | Qt::Key_F3),
    QKeySequence(Qt::SHIFT | Qt::Key_F4), QKeySequence(Qt::SHIFT | Qt::Key_F5)};

// A hint has a short part (the tool tip) and a long part (status panel 0).
QAction* makeAction(QObject* parent, const QString& name, const QString& caption, const QString& shortHint,
                    const QString& longHint) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    action->setToolTip(shortHint);
    action->setStatusTip(longHint);
    action->setProperty("shortHint", shortHint);
    return action;
}

} // namespace

const char TMainForm::DefaultServer[] = "http://www.tessane.com";

QString TMainForm::Caption() {
    return Caption(Game::ssq());
}

QString TMainForm::Caption(const Game& game) {
    return QStringLiteral("Kelvora  V2005 [%1专业版] Tessane网 荣誉出品").arg(game.nameText());
}

TMainForm::TMainForm(const TMainOptions& options, QWidget* parent) : QMainWindow(parent), m_options(options) {
    m_programDir = options.programDir.isEmpty() ? QCoreApplication::applicationDirPath() : options.programDir;
    m_server = options.server.isEmpty() ? QUrl(QString::fromLatin1(DefaultServer)) : options.server;
    if (options.game)
        m_game = options.game;
    else if (const Game* last = options.gameSetting ? Game::find(LastGameKey()) : nullptr)
        m_game = last;
    m_startGame = m_game;
    m_location = locate(*m_game);

    setObjectName(QStringLiteral("MainForm"));
    setFont(ProgramFont());
    setWindowIcon(ProgramIcon());
    resize(776, 547);
    setMinimumSize(300, 300);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_client = new TClientArea(this);
    m_client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(m_client);
    createPanels();
    createMenu();
    createToolBar();
    createStatusBar();
    FormCreate();
}

DataLocation TMainForm::locate(const Game& game) const {
    DataPlaces places{m_programDir, m_options.dataFile, UserDataDir(), &game};
    // --data names the file of the game started with; the other game keeps its file beside it.
    if (!m_options.dataFile.isEmpty() && &game != m_startGame)
        places.dataOption = DataFileNameIn(QFileInfo(m_options.dataFile).absolutePath(), game);
    return LocateData(places);
}

void TMainForm::FormCreate() {
    // The caption is the whole title: no application display name is set, so Qt appends none to this
    // or any other window's title.
    showGameWords();
    // The window is hidden while it is built; the program shows it maximised afterwards.
    MainTbr->setCursor(Qt::PointingHandCursor);
    flashSplash();

    DataPanel->setGame(*m_game);
    DataPanel->setProgramDir(m_location.dataDir);
    DataPanel->DataFileName = m_location.dataFile;
    if (m_options.gameSetting) RememberLastGame(m_game->keyText());
    // A missing or read-only data folder is explained, and the program opens all the same.
    if (!m_location.problems.isEmpty()) ShowMessage(this, m_location.problems.join(QLatin1Char('\n')));
    try {
        // A game's file may not exist yet (it was never saved): for most games that is no draws.
        if (!m_game->historyFileRequired)
            DataPanel->OpenGameData(*m_game, m_location.dataFile, m_location.loadFile);
        else if (!m_location.loadFile.isEmpty())
            DataPanel->LoadDataFile(m_location.loadFile);
    } catch (const KelvoraError& e) {
        ShowErrorBox(this, e.message());
        return;
    }
    DataPanel->openFigures(m_location.figuresLoadFile, m_location.figuresFile);
    m_loaded = true;
    FileMenuManulClick();
    HelpMenuSupportClick();
    RcmPanel->RcmPanelClearBtClick();
    setStatusText(HistoryCountText(History));
}

void TMainForm::flashSplash() {
    TSplashForm splash;
    splash.show();
    splash.repaint();
    splash.hide();
}

void TMainForm::createPanels() {
    DataPanel = new TDataPanel(History, m_client);
    DataPanel->setDefaultServerUrl(QUrl(QString::fromLatin1(DefaultServer)));
    // --server wins over the update server chosen in 设置.
    if (!m_options.server.isEmpty()) DataPanel->setServerUrl(m_server);
    connect(DataPanel, &TDataPanel::modifiedChanged, this, [this] { setWindowTitle(windowTitle()); });
    DataPanel->setDownloadTimeout(m_options.downloadTimeoutMs);
    connect(DataPanel, &TDataPanel::statusText, this, &TMainForm::setStatusText);
    SqlPanel = new TQueryPanel(History, m_client);
    // The panels read the figures the data panel holds; it says when they change.
    SqlPanel->setFigures(&DataPanel->figures());
    connect(SqlPanel, &TQueryPanel::statusText, this, &TMainForm::setStatusText);
    RcmPanel = new TShrinkPanel(History, m_client);
    connect(RcmPanel, &TShrinkPanel::statusText, this, &TMainForm::setStatusText);
    GridPctl = new TChartPages(History, m_client);
    GridPctl->setFigures(&DataPanel->figures());
    connect(DataPanel, &TDataPanel::figuresChanged, GridPctl, &TChartPages::figuresChanged);
    PridictPanel = new TPredictPanel(History, m_client);
    connect(PridictPanel, &TPredictPanel::statusText, this, &TMainForm::setStatusText);
    connect(PridictPanel, &TPredictPanel::captionText, this, &TMainForm::setWindowTitle);
    LedgerPanel = new TLedgerPanel(History, m_client);
    LedgerPanel->setFigures(&DataPanel->figures());
    connect(LedgerPanel, &TLedgerPanel::statusText, this, &TMainForm::setStatusText);
    // No history has loaded yet: the ledger is listed, not settled, until one has.
    LedgerPanel->setHistoryValid(false);
    LedgerPanel->setLedgerFile(m_options.ledgerFile.isEmpty() ? LedgerFileIn(m_location.dataDir)
                                                              : m_options.ledgerFile);
    // Every edit, undo, load, save, import and update rebuilds the history: the ledger settles after
    // each, as the game of the data loaded (during a switch it leads the window's game), but only
    // against a history that is the editor's text; a list on show is listed again.
    connect(DataPanel, &TDataPanel::historyChanged, LedgerPanel, [this] {
        LedgerPanel->setGame(DataPanel->game());
        LedgerPanel->setHistoryValid(DataPanel->historyValid());
        LedgerPanel->settle();
        if (!SqlPanel->SqlMemo->document()->isEmpty()) SqlPanel->SqlBtClick();
    });
    connect(DataPanel, &TDataPanel::figuresChanged, this, [this] {
        if (!SqlPanel->SqlMemo->document()->isEmpty()) SqlPanel->SqlBtClick();
        if (DataPanel->historyValid()) LedgerPanel->settle();
    });
    ComingPanel = new QLabel(m_client);
    ComingPanel->setObjectName(QStringLiteral("ComingPanel"));
    ComingPanel->setAlignment(Qt::AlignCenter);
    ComingPanel->setWordWrap(true);
    ComingPanel->setMargin(24);
    WebPanel = new TWebPanel(m_options.webBrowser, m_client);
    WebPanel->setHistory(History);
    WebPanel->setFigures(&DataPanel->figures());
    connect(WebPanel, &TWebPanel::panelRequested, this, [this](const QString& panel) {
        if (panel == QLatin1String("data")) FileMenuManulClick();
        if (panel == QLatin1String("charts")) GridMenuBtClick();
        if (panel == QLatin1String("shrink")) RcmMenuClick();
        if (panel == QLatin1String("predict")) PridictMenuClick();
        if (panel == QLatin1String("query")) SqlMenuClick();
    });
    // Nothing is in front until the start-up selects a panel; the web panel lies underneath all.
    WebPanel->lower();
    // Panels lie on top of each other, so each one paints all of its area.
    for (QWidget* panel : mainPanels())
        panel->setAutoFillBackground(true);
    HideAllPanels();
}

QList<QWidget*> TMainForm::mainPanels() const {
    return {DataPanel, SqlPanel, RcmPanel, GridPctl, PridictPanel, LedgerPanel, ComingPanel};
}

bool TMainForm::serves(QWidget* panel, const Game& game) const {
    // Every analysis panel serves every game of the table now; a panel that does not serve a game
    // (a later kind of game may have no wheels, say) answers false here from the game's table.
    Q_UNUSED(panel);
    Q_UNUSED(game);
    return true;
}

void TMainForm::showGameWords() {
    setWindowTitle(Caption(*m_game));
    SetMessageBoxTitle(Caption(*m_game));
    if (StatusPanels[1]) StatusPanels[1]->setText(m_game->nameText());
    WebPanel->setGame(*m_game);
    SqlPanel->setGame(*m_game);
    PridictPanel->setGame(*m_game);
    LedgerPanel->setGame(*m_game);
    if (auto* prize = findChild<TPrizeWindow*>(QStringLiteral("PrizeWindow"), Qt::FindDirectChildrenOnly))
        prize->setGame(*m_game);
    GridPctl->setGame(*m_game);
    for (int i = 0; i < GridMenuItems.size(); ++i)
        GridMenuItems[i]->setText(ChartSheets[size_t(i)].title(*m_game));
    RcmPanel->setGame(*m_game);
    ComingPanel->setText(QStringLiteral("%1的此功能即将推出。\n\n在“彩种”菜单中切换到其他彩种可以使用此功能。")
                             .arg(m_game->nameText()));
    if (!GameMenuItems.isEmpty()) GameMenuItems[m_game->index()]->setChecked(true);
}

bool TMainForm::switchGame(const Game& game) {
    if (&game == m_game) return true;
    const auto stay = [this] {
        showGameWords();
        return false;
    };
    if (DataPanel->isDownloading()) {
        ShowMessage(this, QStringLiteral("正在下载开奖数据，请在下载完成或取消后再切换彩种。"));
        return stay();
    }
    if (!DataPanel->maybeSave()) return stay();
    const DataLocation location = locate(game);
    if (!location.problems.isEmpty()) ShowMessage(this, location.problems.join(QLatin1Char('\n')));
    if (!RunGuarded(this, [&] { DataPanel->OpenGameData(game, location.dataFile, location.loadFile); }))
        return stay();
    m_location = location;
    m_game = &game;
    DataPanel->openFigures(location.figuresLoadFile, location.figuresFile);
    if (m_options.gameSetting) RememberLastGame(game.keyText());
    showGameWords();
    setStatusText(HistoryCountText(History));

    // The panel in front follows: a two-colour-ball-only panel gives way to the notice, and back.
    const QObjectList& order = m_client->children();
    const bool webInFront = !WebPanel->isHidden() && !order.isEmpty() && order.last() == WebPanel;
    if (!ComingPanel->isHidden() && m_comingFor) {
        QWidget* panel = m_comingFor;
        if (panel == GridPctl)
            ShowPage(GridPctl, m_comingPage);
        else if (panel == LedgerPanel)
            LedgerMenuClick();
        else
            ShowPanel(panel);
    } else {
        const QList<QWidget*> analysisPanels{RcmPanel, GridPctl, PridictPanel, LedgerPanel};
        for (QWidget* panel : analysisPanels)
            if (!panel->isHidden()) {
                if (panel == GridPctl) m_comingPage = GridPctl->currentIndex();
                ShowPanel(panel);
                break;
            }
    }
    if (webInFront) WebPanel->raise();
    return true;
}

void TMainForm::createMenu() {
    QMenuBar* bar = menuBar();
    QMenu* games = bar->addMenu(QStringLiteral("彩种(&L)"));
    GameGroup = new QActionGroup(this);
    GameGroup->setExclusive(true);
    // One entry a game of the table, in its order: GameMenuSsq, GameMenuDlt ...
    for (const Game* game : Game::all()) {
        QString key = game->keyText();
        key[0] = key[0].toUpper();
        // "红球01-33选6个，蓝球01-16选1个"; a game of one pool says what else is drawn.
        QString hint = QStringLiteral("切换到%1：%2%3选%4个")
                           .arg(game->nameText(), game->front(),
                                QStringLiteral("01-%1").arg(game->frontPool, 2, 10, QLatin1Char('0')))
                           .arg(game->frontPicks);
        if (game->backPicks)
            hint += QStringLiteral("，%1%2选%3个")
                        .arg(game->back(), QStringLiteral("01-%1").arg(game->backPool, 2, 10, QLatin1Char('0')))
                        .arg(game->backPicks);
        else if (game->specialPicks)
            hint += QStringLiteral("，另摇出%1个%2").arg(game->specialPicks).arg(game->special());
        QAction* action = makeAction(this, QStringLiteral("GameMenu") + key, game->nameText(), QString(), hint);
        action->setCheckable(true);
        GameGroup->addAction(action);
        games->addAction(action);
        connect(action, &QAction::triggered, this, [this, game] { switchGame(*game); });
        GameMenuItems.append(action);
    }
    GameMenuSsq = GameMenuItems[Game::ssq().index()];
    GameMenuDlt = GameMenuItems[Game::dlt().index()];
    GameMenuItems[m_game->index()]->setChecked(true);

    QMenu* file = bar->addMenu(QStringLiteral("数据更新(&F)"));
    FileMenuManul = makeAction(this, QStringLiteral("FileMenuManul"), QStringLiteral("手工编辑(&N)"),
                               QStringLiteral("手工编辑开奖数据"), QStringLiteral("手工编辑开奖数据"));
    FileMenuManul->setShortcut(QKeySequence(Qt::Key_F2));
    connect(FileMenuManul, &QAction::triggered, this, &TMainForm::FileMenuManulClick);
    FileMenuDown = makeAction(this, QStringLiteral("FileMenuDown"), QStringLiteral("在线更新(&O)"),
                              QStringLiteral("在线更新开奖数据"), QStringLiteral("直接从网站下载开奖数据"));
    FileMenuDown->setShortcut(QKeySequence(Qt::Key_F3));
    connect(FileMenuDown, &QAction::triggered, this, &TMainForm::FileMenuDownClick);
    FileMenuExit = makeAction(this, QStringLiteral("FileMenuExit"), QStringLiteral("退出(&X)"),
                              QStringLiteral("关闭退出"), QStringLiteral("关闭程序，退出彩票系统。"));
    connect(FileMenuExit, &QAction::triggered, this, &TMainForm::FileMenuExitClick);
    file->addAction(FileMenuManul);
    file->addAction(FileMenuDown);
    file->addSeparator();
    file->addAction(FileMenuExit);

    QMenu* grid = bar->addMenu(QStringLiteral("常用图表(&G)"));
    for (const ChartSheet& sheet : ChartSheets) {
        const int i = sheet.number - 1;
        QAction* item = makeAction(this, QStringLiteral("GridMenuItem%1").arg(sheet.number),
                                   sheet.title(*m_game), QString(), QString::fromUtf8(ChartLongHints[i]));
        item->setData(i);
        item->setShortcut(ChartShortcuts[i]);
        connect(item, &QAction::triggered, this, &TMainForm::GridMenuItemClick);
        grid->addAction(item);
        GridMenuItems.append(item);
    }

    RcmMenu =
        makeAction(this, QStringLiteral("RcmMenu"), QStringLiteral("超强缩水(&T)"), QString(), QString());
    connect(RcmMenu, &QAction::triggered, this, &TMainForm::RcmMenuClick);
    bar->addAction(RcmMenu);
    PridictMenu =
        makeAction(this, QStringLiteral("PridictMenu"), QStringLiteral("智能预测(&S)"), QString(), QString());
    connect(PridictMenu, &QAction::triggered, this, &TMainForm::PridictMenuClick);
    bar->addAction(PridictMenu);
    QMenu* sql = bar->addMenu(QStringLiteral("查询统计(&C)"));
    SqlMenu = makeAction(this, QStringLiteral("SqlMenu"), QStringLiteral("号码查询(&Q)"), QString(),
                         QStringLiteral("查询历史开奖号码"));
    connect(SqlMenu, &QAction::triggered, this, &TMainForm::SqlMenuClick);
    sql->addAction(SqlMenu);
    QAction* prize = makeAction(this, QStringLiteral("SqlPrizeMenu"), QStringLiteral("中奖查询(&Z)"),
                                QString(), QStringLiteral("核对投注号码的中奖情况，查询号码是否开出过"));
    connect(prize, &QAction::triggered, this,
            [this] { OpenPrizeCheck(this, History, QString(), QString(), *m_game); });
    sql->addAction(prize);
    LedgerMenu = makeAction(this, QStringLiteral("LedgerMenu"), QStringLiteral("投注记录(&L)"), QString(),
                            QStringLiteral("记录买过的号码，开奖后自动结算，与随机投注比较"));
    connect(LedgerMenu, &QAction::triggered, this, &TMainForm::LedgerMenuClick);
    sql->addAction(LedgerMenu);

    QMenu* help = bar->addMenu(QStringLiteral("帮助(&H)"));
    HelpMenuTopic = makeAction(this, QStringLiteral("HelpMenuTopic"), QStringLiteral("帮助主题(&H)"),
                               QString(), QStringLiteral("打开帮助主题文件"));
    HelpMenuTopic->setShortcut(QKeySequence(Qt::Key_F1));
    connect(HelpMenuTopic, &QAction::triggered, this, &TMainForm::HelpMenuTopicClick);
    HelpMenuRecm = makeAction(this, QStringLiteral("HelpMenuRecm"), QStringLiteral("Tessane推荐(&R)"),
                              QString(), QStringLiteral("打开Tessane网的专家推荐资讯网页"));
    connect(HelpMenuRecm, &QAction::triggered, this, &TMainForm::HelpMenuRecmClick);
    HelpMenuNews = makeAction(this, QStringLiteral("HelpMenuNews"), QStringLiteral("彩票新闻(&O)"), QString(),
                              QStringLiteral("打开网站的彩票新闻网页"));
    connect(HelpMenuNews, &QAction::triggered, this, &TMainForm::HelpMenuNewsClick);
    HelpMenuSupport = makeAction(this, QStringLiteral("HelpMenuSupport"), QStringLiteral("网站支持(&S)"),
                                 QString(), QStringLiteral("打开我们的支持网站"));
    connect(HelpMenuSupport, &QAction::triggered, this, &TMainForm::HelpMenuSupportClick);
    help->addAction(HelpMenuTopic);
    help->addAction(HelpMenuRecm);
    help->addAction(HelpMenuNews);
    help->addAction(HelpMenuSupport);
    HelpMenuAbout = makeAction(this, QStringLiteral("HelpMenuAbout"), QStringLiteral("关于(&A)"), QString(),
                               QStringLiteral("版本、数据存放位置和理性购彩提示"));
    connect(HelpMenuAbout, &QAction::triggered, this, &TMainForm::HelpMenuAboutClick);
    help->addSeparator();
    help->addAction(HelpMenuAbout);
}

void TMainForm::createToolBar() {
    MainTbr = new QToolBar(QStringLiteral("MainTbr"), this);
    MainTbr->setObjectName(QStringLiteral("MainTbr"));
    MainTbr->setMovable(false);
    MainTbr->setFloatable(false);
    MainTbr->setIconSize(QSize(24, 24));
    MainTbr->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    MainTbr->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(Qt::TopToolBarArea, MainTbr);

    auto add = [this](QAction*& slot, const char* name, const QString& caption, ToolIcon icon,
                      const QString& hint, void (TMainForm::*handler)()) {
        slot = makeAction(this, QString::fromLatin1(name), caption, QString(), hint);
        slot->setIcon(MakeToolIcon(icon));
        connect(slot, &QAction::triggered, this, handler);
        MainTbr->addAction(slot);
        QWidget* button = MainTbr->widgetForAction(slot);
        button->setObjectName(QString::fromLatin1(name));
        button->setMinimumSize(63, 45);
        button->installEventFilter(this);
    };
    add(FileMenuManulBt, "FileMenuManulBt", QStringLiteral("数据更新"), ToolIcon::Data,
        QStringLiteral("进入开奖数据的编辑管理模块"), &TMainForm::FileMenuManulClick);
    MainTbr->addSeparator();
    add(GridMenuBt, "GridMenuBt", QStringLiteral("常用图表"), ToolIcon::Chart,
        QStringLiteral("打开分析图表深入研究"), &TMainForm::GridMenuBtClick);
    MainTbr->addSeparator();
    add(RcmMenuSuperScaleBt, "RcmMenuSuperScaleBt", QStringLiteral("超强缩水"), ToolIcon::Shrink,
        QStringLiteral("进入拖胆缩水模块进行号码缩水工作。 "), &TMainForm::RcmMenuClick);
    MainTbr->addSeparator();
    add(SecMenuBt, "SecMenuBt", QStringLiteral("智能预测"), ToolIcon::Predict,
        QStringLiteral("进入智能预测模块获取软件提供的预测号码。"), &TMainForm::PridictMenuClick);
    MainTbr->addSeparator();
    add(SqlMenuBt, "SqlMenuBt", QStringLiteral("查询统计"), ToolIcon::Query,
        QStringLiteral("进入号码查询模块查询历史开奖号码。 "), &TMainForm::SqlMenuClick);
    MainTbr->addSeparator();
    add(HelpMenuRecmBt, "HelpMenuRecmBt", QStringLiteral("Tessane推荐"), ToolIcon::Recommend,
        QStringLiteral("打开Tessane网的专家推荐资讯网页"), &TMainForm::HelpMenuRecmClick);
    add(HelpMenuNewsBt, "HelpMenuNewsBt", QStringLiteral("彩票新闻"), ToolIcon::News,
        QStringLiteral("打开Tessane网的彩票新闻资讯网页"), &TMainForm::HelpMenuNewsClick);
    MainTbr->addSeparator();
    add(FileMenuExitBt, "FileMenuExitBt", QStringLiteral("关闭退出"), ToolIcon::Exit,
        QStringLiteral("关闭程序，退出彩票系统"), &TMainForm::FileMenuExitClick);

    GameTbr = new QToolBar(QStringLiteral("GameTbr"), this);
    GameTbr->setObjectName(QStringLiteral("GameTbr"));
    GameTbr->setMovable(false);
    GameTbr->setFloatable(false);
    GameTbr->setToolButtonStyle(Qt::ToolButtonTextOnly);
    GameTbr->toggleViewAction()->setVisible(false);
    GameTbr->setCursor(Qt::PointingHandCursor);
    addToolBar(Qt::TopToolBarArea, GameTbr);
    // The games one above the other: one click each, and narrow enough to share the row with the
    // main tool bar at the smallest window width.
    auto* games = new QWidget(GameTbr);
    auto* column = new QVBoxLayout(games);
    column->setContentsMargins(2, 0, 2, 0);
    column->setSpacing(1);
    for (QAction* action : GameMenuItems) {
        auto* button = new QToolButton(games);
        button->setObjectName(action->objectName() + QStringLiteral("Bt"));
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        column->addWidget(button);
    }
    GameTbr->addWidget(games);
}

void TMainForm::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    const int widths[3] = {420, 80, 50};
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel(bar);
        StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanels[i]->setFrameShape(QFrame::StyledPanel);
        StatusPanels[i]->setFrameShadow(QFrame::Sunken);
        StatusPanels[i]->setMinimumWidth(widths[i]);
        if (i > 0) StatusPanels[i]->setFixedWidth(widths[i]);
        bar->addWidget(StatusPanels[i], i == 0 ? 1 : 0);
    }
}

QString TMainForm::DataFileName() const {
    return DataPanel->DataFileName;
}

QUrl TMainForm::homeUrl() const {
    return m_server.resolved(QUrl(QStringLiteral("/")));
}
QUrl TMainForm::newsUrl() const {
    return m_server.resolved(QUrl(QStringLiteral("/xinwen.asp")));
}

void TMainForm::setStatusText(const QString& text) {
    m_status = text;
    StatusPanels[0]->setText(text);
}

QString TMainForm::statusText() const {
    return StatusPanels[0]->text();
}

bool TMainForm::event(QEvent* event) {
    // The long hint of the item under the pointer shows in panel 0; leaving it brings back the
    // last status message.
    // The prize window is made when first asked for, by whichever panel asks: it gets the figures here.
    if (event->type() == QEvent::ChildPolished)
        if (auto* prize = qobject_cast<TPrizeWindow*>(static_cast<QChildEvent*>(event)->child()))
            prize->setFigures(&DataPanel->figures());
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        StatusPanels[0]->setText(tip.isEmpty() ? m_status : tip);
        return true;
    }
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // Tool-bar hints have no short part, so their buttons show no tool tip.
    if (event->type() == QEvent::ToolTip) {
        if (auto* button = qobject_cast<QToolButton*>(watched);
            button && button->defaultAction() &&
            button->defaultAction()->property("shortHint").toString().isEmpty())
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::HideAllPanels() {
    for (QWidget* panel : mainPanels())
        panel->hide();
}

void TMainForm::ShowPanel(QWidget* panel) {
    if (panel != ComingPanel) m_comingFor = nullptr;
    if (!serves(panel, *m_game)) {
        m_comingFor = panel;
        panel = ComingPanel;
    }
    HideAllPanels();
    panel->setGeometry(m_client->rect());
    panel->raise();
    panel->show();
}

void TMainForm::ShowPage(QTabWidget* pages, int index) {
    if (!serves(pages, *m_game)) {
        // The sheet is picked when a game it serves is back; nothing is built meanwhile.
        if (index >= 0) m_comingPage = index;
        ShowPanel(pages);
        return;
    }
    // Pick the page first: a chart sheet rebuilds itself when shown, so only the chosen one does.
    if (index >= 0) pages->setCurrentIndex(index);
    ShowPanel(pages);
}

void TMainForm::ShowWebPage(const QUrl& url) {
    WebPanel->setGeometry(m_client->rect());
    WebPanel->raise();
    WebPanel->show();
    WebPanel->navigate(url);
}

void TMainForm::FileMenuManulClick() {
    ShowPanel(DataPanel);
}
void TMainForm::FileMenuDownClick() {
    // The download's progress and its 取消 are on the data panel, where the result lands too.
    if (!DataPanel->isDownloading()) FileMenuManulClick();
    DataPanel->FileMenuDownClick();
}
void TMainForm::FileMenuExitClick() {
    close();
}

void TMainForm::setWindowTitle(const QString& title) {
    // "*" in front while the data editor holds unsaved edits.
    QString plain = title;
    if (plain.startsWith(QLatin1Char('*'))) plain.remove(0, 1);
    QMainWindow::setWindowTitle(DataPanel && DataPanel->isModified() ? QLatin1Char('*') + plain : plain);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // A running download is stopped first; the window closes once the update has unwound.
    if (DataPanel->isDownloading()) {
        DataPanel->cancelDownload();
        event->ignore();
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    // Unsaved draws are asked about, never dropped silently.
    if (DataPanel->maybeSave())
        event->accept();
    else
        event->ignore();
}

void TMainForm::GridMenuItemClick() {
    if (auto* item = qobject_cast<QAction*>(sender())) ShowPage(GridPctl, item->data().toInt());
}

void TMainForm::GridMenuBtClick() {
    ShowPage(GridPctl, -1);
}
void TMainForm::RcmMenuClick() {
    ShowPanel(RcmPanel);
}
void TMainForm::PridictMenuClick() {
    ShowPanel(PridictPanel);
}
void TMainForm::SqlMenuClick() {
    ShowPanel(SqlPanel);
}
void TMainForm::LedgerMenuClick() {
    ShowPanel(LedgerPanel);
    LedgerPanel->refresh();
}

void TMainForm::HelpMenuTopicClick() {
    const QString readme = m_location.readmeFile;
    if (QFileInfo::exists(readme) && !QDesktopServices::openUrl(QUrl::fromLocalFile(readme)))
        ShowHelpViewer(this, readme);
}

void TMainForm::HelpMenuAboutClick() {
    ShowAboutBox(this, m_location);
}

void TMainForm::HelpMenuRecmClick() {
    ShowWebPage(homeUrl());
}
void TMainForm::HelpMenuNewsClick() {
    ShowWebPage(newsUrl());
}
void TMainForm::HelpMenuSupportClick() {
    ShowWebPage(homeUrl());
}
