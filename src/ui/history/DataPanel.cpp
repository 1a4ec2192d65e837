#include "ui/history/DataPanel.h"

#include "engine/core/KelvoraError.h"
#include "engine/history/DataFile.h"
#include "engine/history/HistoryLoader.h"
#include "engine/history/HistoryMerge.h"
#include "engine/history/HistoryWarnings.h"
#include "engine/history/ImportText.h"
#include "engine/history/Parser.h"
#include "engine/io/AtomicFile.h"
#include "ui/CommandGuard.h"
#include "ui/UserSettings.h"
#include "ui/history/AddDrawBar.h"
#include "ui/history/Download.h"
#include "ui/history/UpdateSettings.h"

#include <QApplication>
#include <algorithm>
#include <cstring>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A question with the program's own Chinese button captions, whatever translations are installed.
// Enter picks `preferred`, or the first button when none is named.
QMessageBox::StandardButton ask(QWidget* parent, const QString& text,
                                const QList<std::pair<QMessageBox::StandardButton, QString>>& buttons,
                                QMessageBox::StandardButton escape,
                                QMessageBox::StandardButton preferred = QMessageBox::NoButton) {
    QMessageBox box(QMessageBox::Question, MessageBoxTitle(), text, QMessageBox::NoButton, parent);
    for (const auto& [button, caption] : buttons)
        box.addButton(button)->setText(caption);
    box.setDefaultButton(preferred != QMessageBox::NoButton ? preferred : buttons.first().first);
    box.setEscapeButton(escape);
    box.exec();
    const auto answer = box.standardButton(box.clickedButton());
    return answer == QMessageBox::NoButton ? escape : answer;
}

bool sameDraws(const TCodeArr& a, const TCodeArr& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const TDrawRec& x, const TDrawRec& y) {
               return x.Year == y.Year && x.Issue == y.Issue && x.RedsTypedUnsorted == y.RedsTypedUnsorted &&
                      std::memcmp(&x.Ticket, &y.Ticket, sizeof(TCodeRec)) == 0;
           });
}

// Every yes/no question here guards a change that drops or replaces data, so Enter answers 否.
bool askYesNo(QWidget* parent, const QString& text) {
    return ask(parent, text,
               {{QMessageBox::Yes, QStringLiteral("是")}, {QMessageBox::No, QStringLiteral("否")}},
               QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

} // namespace

TDataPanel::TDataPanel(TCodeArr& history, QWidget* parent) : QWidget(parent), History(history) {
    setObjectName(QStringLiteral("DataPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Sheet1Tbr = new QToolBar(this);
    Sheet1Tbr->setObjectName(QStringLiteral("Sheet1Tbr"));
    Sheet1Tbr->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Sheet1TbrDownBt = addButton(QStringLiteral("Sheet1TbrDownBt"), QStringLiteral("在线更新"),
                                &TDataPanel::Sheet1TbrDownBtClick);
    Sheet1Tbr->addSeparator();
    Sheet1TbrClearBt = addButton(QStringLiteral("Sheet1TbrClearBt"), QStringLiteral("清空数据"),
                                 &TDataPanel::Sheet1TbrClearBtClick);
    Sheet1TbrOmportBt = addButton(QStringLiteral("Sheet1TbrOmportBt"), QStringLiteral("导入数据"),
                                  &TDataPanel::Sheet1TbrOmportBtClick);
    Sheet1TbrOmportBt->setToolTip(
        QStringLiteral("把文件中的开奖加入编辑器：按期号合并，已有的开奖不会被替换"));
    // Replacing every draw is a choice of its own, never what a plain click does.
    auto* importMenu = new QMenu(Sheet1TbrOmportBt);
    importMenu->addAction(QStringLiteral("导入数据（按期号合并）"), this,
                          &TDataPanel::Sheet1TbrOmportBtClick);
    ImportReplacingAct = importMenu->addAction(QStringLiteral("导入并替换全部数据..."));
    ImportReplacingAct->setObjectName(QStringLiteral("ImportReplacingAct"));
    connect(ImportReplacingAct, &QAction::triggered, this, &TDataPanel::ImportReplacingClick);
    Sheet1TbrOmportBt->setMenu(importMenu);
    Sheet1TbrOmportBt->setPopupMode(QToolButton::MenuButtonPopup);
    Sheet1TbrSaveBt = addButton(QStringLiteral("Sheet1TbrSaveBt"), QStringLiteral("保存数据"),
                                &TDataPanel::Sheet1TbrSaveBtClick);
    Sheet1Tbr->addSeparator();
    Sheet1TbrSetupBt = addButton(QStringLiteral("Sheet1TbrSetupBt"), QStringLiteral("设置"),
                                 &TDataPanel::Sheet1TbrSetupBtClick);
    layout->addWidget(Sheet1Tbr);

    // Shown while the update downloads; the window stays usable meanwhile, the editor does not change.
    DownloadBar = new QWidget(this);
    DownloadBar->setObjectName(QStringLiteral("DownloadBar"));
    auto* downloadRow = new QHBoxLayout(DownloadBar);
    downloadRow->setContentsMargins(4, 2, 4, 2);
    downloadRow->addWidget(new QLabel(QStringLiteral("正在下载开奖数据..."), DownloadBar));
    DownloadProgress = new QProgressBar(DownloadBar);
    DownloadProgress->setObjectName(QStringLiteral("DownloadProgress"));
    downloadRow->addWidget(DownloadProgress, 1);
    DownloadCancelBt = new QPushButton(QStringLiteral("取消"), DownloadBar);
    DownloadCancelBt->setObjectName(QStringLiteral("DownloadCancelBt"));
    downloadRow->addWidget(DownloadCancelBt);
    DownloadBar->hide();
    layout->addWidget(DownloadBar);
    m_downloader = new TDownloader(this);
    connect(DownloadCancelBt, &QPushButton::clicked, m_downloader, &TDownloader::cancel);
    connect(m_downloader, &TDownloader::progress, this, [this](qint64 received, qint64 total) {
        // Until the size is known the bar only shows that something is moving.
        DownloadProgress->setRange(0, total > 0 ? 1000 : 0);
        if (total > 0) DownloadProgress->setValue(int(received * 1000 / total));
    });

    AddDrawBar = new TAddDrawBar(this);
    connect(AddDrawBar, &TAddDrawBar::lineReady, this, &TDataPanel::appendDrawLine);
    AddDrawBar->setHeldDraws([this] { return editorDraws(); });
    connect(this, &TDataPanel::historyChanged, this, [this] { AddDrawBar->setNextIssue(History); });
    layout->addWidget(AddDrawBar);

    DataMemo = new QPlainTextEdit(this);
    DataMemo->setObjectName(QStringLiteral("DataMemo"));
    DataMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    DataMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DataMemo->installEventFilter(this);
    DataMemo->viewport()->installEventFilter(this);
    connect(DataMemo, &QPlainTextEdit::textChanged, this, &TDataPanel::updateModified);
    // Typing, Ctrl+Z and Ctrl+Y change the history too: the analyses never see draws the editor
    // no longer holds. Commands follow at once and stop the pending pass.
    m_followTimer = new QTimer(this);
    m_followTimer->setSingleShot(true);
    m_followTimer->setInterval(250);
    connect(m_followTimer, &QTimer::timeout, this, [this] { followEditor(false); });
    connect(DataMemo, &QPlainTextEdit::textChanged, m_followTimer, qOverload<>(&QTimer::start));
    layout->addWidget(DataMemo);

    setProgramDir(QCoreApplication::applicationDirPath());
    AddDrawBar->setNextIssue(History);
}

QToolButton* TDataPanel::addButton(const QString& name, const QString& caption, void (TDataPanel::*slot)()) {
    QAction* action = Sheet1Tbr->addAction(caption);
    connect(action, &QAction::triggered, this, slot);
    auto* button = qobject_cast<QToolButton*>(Sheet1Tbr->widgetForAction(action));
    button->setObjectName(name);
    button->setMinimumWidth(63);
    return button;
}

void TDataPanel::setProgramDir(const QString& dir) {
    m_programDir = dir;
    DataFileName = DataFileNameIn(dir, *m_game);
}

void TDataPanel::setGame(const Game& game) {
    m_game = &game;
    DataFileName = DataFileNameIn(m_programDir, game);
    AddDrawBar->setGame(game);
}

QUrl TDataPanel::updateUrl() const {
    QUrl server = m_server;
    if (server.isEmpty()) server = StoredUpdateServer();
    if (server.isEmpty()) server = m_defaultServer;
    return server.resolved(QUrl(QString::fromLatin1(m_game->updateFile)));
}

QUrl TDataPanel::figuresUrl() const {
    return updateUrl().resolved(QUrl(FiguresUpdatePath(*m_game)));
}

void TDataPanel::openFigures(const QString& loadFile, const QString& saveFile) {
    m_figuresFile = saveFile;
    m_figuresUnsaved = false;
    const FiguresLoad load = LoadFigures(loadFile, *m_game, &History);
    m_figures = load.table;
    m_figures.game = m_game;
    if (load.status == FiguresLoad::Refused) ShowMessage(this, load.message);
    emit figuresChanged();
}

QString TDataPanel::updateFigures(const UpdateTransfer& transfer) {
    if (transfer.cancelled) return {};
    // A server that answers every path with a page or the history has no figures file.
    const QByteArray head = transfer.body.left(64).trimmed();
    if (transfer.error.isEmpty() && !head.startsWith("# issue") && !head.isEmpty()) return {};
    const FiguresUpdate update = DecideFiguresUpdate(transfer, m_figures, History, *m_game);
    if (update.status == FiguresUpdate::Absent) return {};
    if (update.status == FiguresUpdate::Refused)
        return QStringLiteral("开奖公告数据（销量、奖池和各奖级）没有更新：") + update.message;
    m_figures = update.table;
    m_figures.game = m_game;
    if (update.added > 0) {
        m_figuresUnsaved = true;
        emit figuresChanged();
    }
    return {};
}

QString TDataPanel::takeImportedSales(const std::vector<ImportedSales>& sales) {
    if (sales.empty()) return {};
    FiguresTable incoming;
    incoming.game = m_game;
    for (const ImportedSales& s : sales) {
        DrawFigures d;
        d.issue = s.issue;
        d.date = s.date;
        d.sales = s.sales;
        d.pool = s.pool;
        d.tiers.resize(size_t(FigureTierCount(*m_game)));
        incoming.draws.push_back(std::move(d));
    }
    std::stable_sort(incoming.draws.begin(), incoming.draws.end(),
                     [](const DrawFigures& a, const DrawFigures& b) { return a.issue < b.issue; });
    const FiguresMerge merge = MergeFigures(m_figures, incoming);
    if (!merge.ok)
        return QStringLiteral("文件中的销售额和奖池没有采用：") + merge.message;
    if (merge.added + merge.filled == 0) return {};
    m_figures = merge.table;
    m_figures.game = m_game;
    m_figuresUnsaved = true;
    emit figuresChanged();
    return QStringLiteral("并取得%1期的销售额和奖池（保存数据后写入开奖公告数据）").arg(merge.added + merge.filled);
}

bool TDataPanel::saveFigures() {
    if (!m_figuresUnsaved || m_figuresFile.isEmpty()) return true;
    const QString error = WriteFileAtomically(m_figuresFile, FiguresFileText(m_figures));
    if (!error.isEmpty()) {
        ShowMessage(this, QStringLiteral("开奖公告数据没有保存：") + error);
        return false;
    }
    m_figuresUnsaved = false;
    return true;
}

bool TDataPanel::isDownloading() const {
    return m_downloader->isRunning();
}

void TDataPanel::cancelDownload() {
    m_downloader->cancel();
}

void TDataPanel::setFileText(const QString& text) {
    m_fileText = text;
    updateModified();
}

void TDataPanel::updateModified() {
    // The length alone settles most keystrokes without copying 3,500 lines out of the editor.
    const bool modified = DataMemo->document()->characterCount() != m_fileText.size() + 1 ||
                          DataMemo->toPlainText() != m_fileText;
    if (modified == m_modified) return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void TDataPanel::LoadDataFile(const QString& path) {
    // Temporary files of a save killed before its rename are of no use; they lie beside the file the
    // panel saves to, which a first start may load from elsewhere. Only this program's own names.
    const QFileInfo target(DataFileName.isEmpty() ? path : DataFileName);
    RemoveStaleSaveFiles(target.absolutePath(), {target.fileName(), BackupFileName(target.fileName())});
    HistoryLoad load = LoadHistory(path, *m_game);
    if (load.status == HistoryLoad::FileError) throw KelvoraError(load.message);
    if (load.fileEmpty) {
        setFileText(QString());
        DataTxtToCodeArr();
        return;
    }
    DataMemo->setPlainText(load.text);
    setFileText(load.text);
    if (load.status == HistoryLoad::Refused) {
        // The text shown is not the history: nothing may be settled or counted against it.
        m_followTimer->stop();
        m_historyValid = false;
        ShowMessage(this, load.message);
        return;
    }
    setHistory(std::move(load.history));
    if (!load.warnings.isEmpty()) ShowMessage(this, HistoryWarningsMessage(load.warnings));
}

void TDataPanel::OpenGameData(const Game& game, const QString& dataFile, const QString& loadFile) {
    const bool missing = loadFile.isEmpty() || !QFileInfo::exists(loadFile);
    HistoryLoad load;
    if (missing) {
        load.status = HistoryLoad::Ok;
    } else {
        const QFileInfo target(dataFile.isEmpty() ? loadFile : dataFile);
        RemoveStaleSaveFiles(target.absolutePath(), {target.fileName(), BackupFileName(target.fileName())});
        load = LoadHistory(loadFile, game);
        if (load.status == HistoryLoad::FileError) throw KelvoraError(load.message);
    }
    m_game = &game;
    DataFileName = dataFile;
    AddDrawBar->setGame(game);
    // A file of its own: the other game's edits are no use to undo into this one.
    DataMemo->setPlainText(load.text);
    setFileText(load.text);
    if (load.status == HistoryLoad::Ok) {
        setHistory(std::move(load.history));
    } else {
        m_followTimer->stop();
        m_historyValid = false;
        History.clear();
        emit historyChanged();
    }
    if (missing && !dataFile.isEmpty())
        ShowMessage(this, QStringLiteral("还没有%1的开奖数据。请用“在线更新”或“导入数据”取得开奖数据，"
                                         "保存后存放在 \"%2\"。")
                              .arg(game.nameText(), QDir::toNativeSeparators(dataFile)));
    else if (load.status == HistoryLoad::Refused)
        ShowMessage(this, load.message);
    else if (!load.warnings.isEmpty())
        ShowMessage(this, HistoryWarningsMessage(load.warnings));
}

void TDataPanel::SaveDataFile(const QString& path) {
    const QString text = DataMemo->toPlainText();
    WriteDataFile(path, text);
    if (path == DataFileName) setFileText(text);
    emit statusText(QStringLiteral("保存文档完毕"));
}

namespace {

ImportResult readImportFile(const QString& path, const Game& game) {
    ImportResult converted = ConvertImportText(DecodeImportText(ReadFileBytes(path)), game);
    if (!converted.ok) throw KelvoraError(converted.message);
    return converted;
}

} // namespace

TCodeArr TDataPanel::editorDraws() const {
    ParseResult mine = ParseHistoryText(DataMemo->toPlainText(), *m_game);
    return mine.status == ParseResult::Ok ? std::move(mine.history) : History;
}

void TDataPanel::replaceEditorText(const QString& text) {
    // One edit block through the cursor: Ctrl+Z undoes the whole import in one step.
    QTextCursor cursor(DataMemo->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    cursor.endEditBlock();
}

void TDataPanel::ImportDataFile(const QString& path) {
    // Read and convert before the editor changes, so a file that cannot be used costs nothing.
    const ImportResult converted = readImportFile(path, *m_game);
    const QString text = DataMemo->toPlainText();
    const ParseResult mine = ParseHistoryText(text, *m_game);
    if (mine.status != ParseResult::Ok)
        throw KelvoraError(QStringLiteral("编辑器中的开奖数据有错误，无法按期号合并。请先纠正下列各行，"
                                          "或选择\"导入并替换全部数据\"：\n") +
                           mine.lineErrors.join(QLatin1Char('\n')));
    const HistoryMergeResult merged = MergeImportedDraws(text, mine.history, converted.lines, *m_game);
    if (merged.added > 0) replaceEditorText(merged.text);
    const QString salesNote = takeImportedSales(converted.sales);
    ShowMessage(this, salesNote.isEmpty() ? merged.report() : merged.report() + QLatin1Char('\n') + salesNote);
    if (merged.added > 0) DataTxtToCodeArr();
    emit statusText(HistoryStatusText(History));
}

void TDataPanel::ImportReplacingDataFile(const QString& path) {
    const ImportResult converted = readImportFile(path, *m_game);
    const TCodeArr held = editorDraws();
    const int dropped = DrawsDroppedByReplacing(held, converted.lines, *m_game);
    if (!askYesNo(this,
                  QStringLiteral("将用文件中的%1期替换编辑器中的全部%2期开奖数据，其中%3期不在文件中，"
                                 "将被删除。\n（数据文件要保存后才会改变，可以用Ctrl+Z撤销）\n确定替换吗？")
                      .arg(converted.converted)
                      .arg(held.size())
                      .arg(dropped)))
        return;
    replaceEditorText(converted.lines.join(QLatin1Char('\n')));
    const QString salesNote = takeImportedSales(converted.sales);
    ShowMessage(this, salesNote.isEmpty() ? converted.summary() : converted.summary() + QLatin1Char('\n') + salesNote);
    DataTxtToCodeArr();
    emit statusText(HistoryStatusText(History));
}

void TDataPanel::showWarnings() {
    const QString message = HistoryWarningsMessage(HistoryWarnings(History, *m_game));
    if (!message.isEmpty()) ShowMessage(this, message);
}

bool TDataPanel::DataTxtToCodeArr() {
    if (!followEditor(true)) return false;
    showWarnings();
    return true;
}

bool TDataPanel::followEditor(bool report) {
    m_followTimer->stop();
    ParseResult r = ParseHistoryText(DataMemo->toPlainText(), *m_game);
    if (r.status != ParseResult::Ok) {
        m_historyValid = false;
        if (report)
            ShowMessage(this, r.message);
        else
            emit statusText(QStringLiteral("编辑器中的开奖数据有错误（%1），分析仍使用上次正确的开奖数据")
                                .arg(r.lineErrors.value(0)));
        return false;
    }
    // A pause in typing that left the draws as they were costs nothing downstream.
    if (!report && m_historyValid && sameDraws(r.history, History)) return true;
    setHistory(std::move(r.history));
    if (!report) emit statusText(HistoryCountText(History));
    return true;
}

void TDataPanel::setHistory(TCodeArr history) {
    m_followTimer->stop();
    m_historyValid = true;
    History = std::move(history);
    emit historyChanged();
}

bool TDataPanel::maybeSave() {
    if (!m_modified) return true;
    const auto answer = ask(this, QStringLiteral("开奖数据已修改，是否保存？"),
                            {{QMessageBox::Save, QStringLiteral("保存")},
                             {QMessageBox::Discard, QStringLiteral("不保存")},
                             {QMessageBox::Cancel, QStringLiteral("取消")}},
                            QMessageBox::Cancel);
    if (answer == QMessageBox::Discard) return true;
    if (answer == QMessageBox::Save) return saveData() && !m_modified;
    return false;
}

QString TDataPanel::caretText() const {
    const QTextCursor c = DataMemo->textCursor();
    return QStringLiteral("第%1行%2列").arg(c.blockNumber() + 1).arg(c.positionInBlock() + 1);
}

void TDataPanel::Sheet1TbrDownBtClick() {
    FileMenuDownClick();
}

void TDataPanel::FileMenuDownClick() {
    if (isDownloading() || !maybeSave()) return;

    // The download stays in memory: no file of the user's folder is touched, a read-only one included.
    DownloadProgress->setRange(0, 0);
    DownloadBar->show();
    Sheet1Tbr->setEnabled(false);
    AddDrawBar->setEnabled(false);
    DataMemo->setReadOnly(true);
    const UpdateTransfer transfer = m_downloader->fetch(updateUrl(), m_timeoutMs, MaxUpdateBytes);
    // After maybeSave the editor's own text is the file's, or the user chose to drop the edits.
    UpdateDecision decision = DecideUpdateOverText(transfer, m_fileText, QDate::currentDate(), *m_game);
    // The figures come with the draws they belong to; a server without them answers 404.
    UpdateTransfer figuresTransfer;
    figuresTransfer.httpStatus = 404;
    if (!transfer.cancelled && decision.accepted)
        figuresTransfer = m_downloader->fetch(figuresUrl(), m_timeoutMs, MaxUpdateBytes);
    DataMemo->setReadOnly(false);
    AddDrawBar->setEnabled(true);
    Sheet1Tbr->setEnabled(true);
    DownloadBar->hide();
    if (transfer.cancelled) {
        emit statusText(QStringLiteral("在线更新已取消"));
        return;
    }
    if (!decision.accepted) {
        ShowWarning(this, UpdateFailedText(decision.failure));
        return;
    }
    // Replacing text that could not be compared is the risky answer, so it is not the default.
    if (!decision.question.isEmpty() &&
        ask(this, decision.question,
            {{QMessageBox::No, QStringLiteral("否")}, {QMessageBox::Yes, QStringLiteral("是")}},
            QMessageBox::No) != QMessageBox::Yes) {
        emit statusText(QStringLiteral("在线更新已取消，编辑器的内容没有改变"));
        return;
    }
    const bool unsaved = decision.text != m_fileText;
    // Through the cursor, so Ctrl+Z brings back what the editor held.
    QTextCursor cursor(DataMemo->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(decision.text);
    setHistory(std::move(decision.history));
    // The editor now holds decision.text: unsaved unless the data file holds the same.
    const QString figuresNote = updateFigures(figuresTransfer);
    const QString done = UpdateSucceededText(decision.added, decision.newest, unsaved);
    ShowMessage(this, figuresNote.isEmpty() ? done : done + QLatin1Char('\n') + figuresNote);
    // Nothing else to save: new figures of a history already saved go to their file now.
    if (!unsaved) saveFigures();
    emit statusText(HistoryCountText(History));
    showWarnings();
}

void TDataPanel::Sheet1TbrClearBtClick() {
    if (!DataMemo->document()->isEmpty() &&
        !askYesNo(
            this,
            QStringLiteral(
                "确定要清空编辑器中的全部开奖数据吗？\n（数据文件要保存后才会改变，可以用Ctrl+Z撤销）")))
        return;
    // Removed through the cursor, so Ctrl+Z brings the text back.
    QTextCursor cursor(DataMemo->document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    DataTxtToCodeArr();
}

QString TDataPanel::chooseImportFile() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("导入数据"), LastDir(),
        QStringLiteral("开奖数据文件 (*.txt *.csv *.tsv);;文本文件 (*.txt);;表格文件 (*.csv *.tsv);;所有文件 (*)"));
    if (path.isEmpty() || !QFileInfo::exists(path)) return {};
    RememberLastDir(path);
    return path;
}

void TDataPanel::Sheet1TbrOmportBtClick() {
    // A merge keeps every held draw and the editor's edits, so nothing needs saving first.
    const QString path = chooseImportFile();
    if (!path.isEmpty()) RunGuarded(this, [&] { ImportDataFile(path); });
}

void TDataPanel::ImportReplacingClick() {
    const QString path = chooseImportFile();
    if (!path.isEmpty()) RunGuarded(this, [&] { ImportReplacingDataFile(path); });
}

bool TDataPanel::saveData() {
    // An empty editor over a file with draws is more often a slip than a wish.
    if (DataMemo->toPlainText().trimmed().isEmpty() && QFileInfo(DataFileName).size() > 0 &&
        !askYesNo(this, QStringLiteral("编辑器中没有开奖数据，保存后数据文件将被清空。是否继续？")))
        return false;
    if (!RunGuarded(this, [&] { SaveDataFile(DataFileName); })) return false;
    DataTxtToCodeArr();
    // Downloaded figures go to their file with the history they belong to.
    saveFigures();
    return true;
}

void TDataPanel::Sheet1TbrSaveBtClick() {
    saveData();
}

void TDataPanel::Sheet1TbrSetupBtClick() {
    TUpdateSettingsDialog dialog(m_defaultServer, m_server, this);
    dialog.exec();
}

void TDataPanel::appendDrawLine(const QString& line) {
    // Through the cursor, so the addition can be undone like any edit.
    QTextCursor cursor(DataMemo->document());
    cursor.movePosition(QTextCursor::End);
    const QString text = DataMemo->toPlainText();
    cursor.insertText(text.isEmpty() || text.endsWith(QLatin1Char('\n')) ? line : QLatin1Char('\n') + line);
    DataMemo->setTextCursor(cursor);
    DataMemo->ensureCursorVisible();
    // The analyses count the new draw at once; the file changes when the data is saved.
    if (followEditor(true)) emit statusText(QStringLiteral("已添加 %1（尚未保存）").arg(line));
}

void TDataPanel::DataMemoClick() {
    emit statusText(caretText());
}

bool TDataPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DataMemo->viewport() && event->type() == QEvent::MouseButtonRelease)
        DataMemoClick();
    else if (watched == DataMemo && event->type() == QEvent::KeyRelease && DataMemo->hasFocus())
        emit statusText(caretText());
    return QWidget::eventFilter(watched, event);
}
