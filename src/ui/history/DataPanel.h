#pragma once

#include "engine/core/CodeRec.h"
#include "engine/core/Game.h"
#include "engine/history/ImportText.h"
#include "engine/prize/DrawFigures.h"

#include <QUrl>
#include <QWidget>

class QPlainTextEdit;
class QProgressBar;
class QTimer;
class QPushButton;
class QToolBar;
class QToolButton;
class TAddDrawBar;
class TDownloader;

// The history editor: the text that is stored in the data file and parsed into the main window's
// history. It rebuilds that history, so it holds a writable reference to it.
class TDataPanel : public QWidget {
    Q_OBJECT
  public:
    TDataPanel(TCodeArr& history, QWidget* parent = nullptr);

    // The data file lives in the program directory.
    void setProgramDir(const QString& dir);
    // Whose draws the editor holds: parsing, import, the update file and 添加开奖 follow it. The
    // caller loads the game's file afterwards (LoadDataFile).
    void setGame(const Game& game);
    const Game& game() const { return *m_game; }
    // The update server given on the command line: it overrides the one set in 设置.
    void setServerUrl(const QUrl& url) { m_server = url; }
    // The update server when neither the command line nor 设置 names one.
    void setDefaultServerUrl(const QUrl& url) { m_defaultServer = url; }
    QUrl serverUrl() const { return m_server; }
    QUrl defaultServerUrl() const { return m_defaultServer; }
    void setDownloadTimeout(int ms) { m_timeoutMs = ms; }
    // The update file: the game's (/gx.txt, /dlt.txt) on the command line's server, else 设置's, else the
    // default.
    QUrl updateUrl() const;
    // The update is downloading (the editor is read-only meanwhile); cancelDownload stops it.
    bool isDownloading() const;
    void cancelDownload();

    static constexpr qint64 MaxUpdateBytes = 10 * 1024 * 1024;

    // Loads the data file into the editor and parses it (start-up). Throws KelvoraError when the
    // file cannot be read; nothing has changed then.
    void LoadDataFile(const QString& path);
    // Another game's history: the editor, the history and the data file become the game's. loadFile
    // is what to read (empty, or a file that does not exist: no draws yet, saved into dataFile later).
    // Throws KelvoraError when the file is there but cannot be read; nothing has changed then.
    void OpenGameData(const Game& game, const QString& dataFile, const QString& loadFile);
    // These throw KelvoraError (file errors, an import that does not convert); nothing has changed then.
    void SaveDataFile(const QString& path);
    // Merges the file's draws into the editor by issue code (one undo step) and reports what it did;
    // nothing held is replaced.
    void ImportDataFile(const QString& path);
    // Replaces the editor's draws with the file's, after a question naming how many draws go.
    void ImportReplacingDataFile(const QString& path);
    // Parses the editor into the history; a refused text is reported and the history stays.
    // Warnings about an accepted text are shown in one message box.
    bool DataTxtToCodeArr();
    // The history is the editor's text as parsed: false while the editor holds text that does not
    // parse (the history then stays the last text that did) or a file that was refused.
    bool historyValid() const { return m_historyValid; }

    // The editor's text differs from the data file's.
    bool isModified() const { return m_modified; }
    // Before a command that replaces the editor or ends the program: with unsaved edits, asks
    // whether to save them. False when the user cancelled or the save failed.
    bool maybeSave();

    // "第L行C列" for the caret.
    QString caretText() const;

    // The game's draw figures (sales, pool, winners and amounts): read from loadFile (checked against
    // the history; a faulty file is reported and no figures are used), saved to saveFile with the
    // history after an update brought new ones.
    void openFigures(const QString& loadFile, const QString& saveFile);
    const FiguresTable& figures() const { return m_figures; }
    // The server's figures file beside the update file (/gx-figures.txt).
    QUrl figuresUrl() const;

    QString DataFileName;
    QToolBar* Sheet1Tbr = nullptr;
    QToolButton* Sheet1TbrDownBt = nullptr;
    QToolButton* Sheet1TbrClearBt = nullptr;
    QToolButton* Sheet1TbrOmportBt = nullptr;
    QToolButton* Sheet1TbrSaveBt = nullptr;
    QToolButton* Sheet1TbrSetupBt = nullptr;
    QAction* ImportReplacingAct = nullptr;
    TAddDrawBar* AddDrawBar = nullptr;
    QWidget* DownloadBar = nullptr;
    QProgressBar* DownloadProgress = nullptr;
    QPushButton* DownloadCancelBt = nullptr;
    QPlainTextEdit* DataMemo = nullptr;

  public slots:
    void Sheet1TbrDownBtClick();
    void FileMenuDownClick();
    void Sheet1TbrClearBtClick();
    void Sheet1TbrOmportBtClick();
    void ImportReplacingClick();
    void Sheet1TbrSaveBtClick();
    void Sheet1TbrSetupBtClick();
    void DataMemoClick();

  signals:
    void statusText(const QString& text);
    // The history was rebuilt from the editor (after any edit: typing, undo, redo, a command).
    void historyChanged();
    void modifiedChanged(bool modified);
    // New figures were read or downloaded.
    void figuresChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QToolButton* addButton(const QString& name, const QString& caption, void (TDataPanel::*slot)());
    void setFileText(const QString& text);
    void updateModified();
    void appendDrawLine(const QString& line);
    QString chooseImportFile();
    void replaceEditorText(const QString& text);
    TCodeArr editorDraws() const;
    void showWarnings();
    bool saveData();
    // Every change of the editor's text ends here: the history becomes the text's draws.
    bool followEditor(bool report);
    void setHistory(TCodeArr history);

    // The update's figures, after its history has been taken; a note for the success message.
    QString updateFigures(const UpdateTransfer& transfer);
    bool saveFigures();
    // Sales and pool columns of an imported table fill the figures; a note for the import's message.
    QString takeImportedSales(const std::vector<ImportedSales>& sales);

    TCodeArr& History;
    FiguresTable m_figures;
    QString m_figuresFile;         // where they are saved
    bool m_figuresUnsaved = false; // downloaded, not yet written
    const Game* m_game = &Game::ssq();
    QString m_programDir;
    QUrl m_server;
    QUrl m_defaultServer;
    int m_timeoutMs = 30000; // the longest silence of the server
    TDownloader* m_downloader = nullptr;
    QString m_fileText;
    bool m_modified = false;
    bool m_historyValid = false;
    // Typing is followed after a pause, so a keystroke never waits for a reparse.
    QTimer* m_followTimer = nullptr;
};
