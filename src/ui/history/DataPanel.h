#pragma once

#include "history/CodeRec.h"

#include <QUrl>
#include <QWidget>

class QPlainTextEdit;
class QToolBar;
class QToolButton;

// The history editor: the text that is stored in the data file and parsed into the main window's
// history. It rebuilds that history, so it holds a writable reference to it.
class TDataPanel : public QWidget {
    Q_OBJECT
  public:
    TDataPanel(TCodeArr& history, QWidget* parent = nullptr);

    // The data file and the download target live in the program directory.
    void setProgramDir(const QString& dir);
    // The maker's server; the update file is its path /gx.txt.
    void setServerUrl(const QUrl& url) { m_server = url; }
    void setDownloadTimeout(int ms) { m_timeoutMs = ms; }
    QUrl updateUrl() const;
    QString downloadTarget() const;

    static constexpr qint64 MaxUpdateBytes = 10 * 1024 * 1024;

    // These throw KelvoraError (file errors); nothing has changed then.
    void LoadDataFile(const QString& path);
    void SaveDataFile(const QString& path);
    void ImportDataFile(const QString& path);
    // Parses the editor into the history; a refused text is reported and the history stays.
    bool DataTxtToCodeArr();

    // "第L行C列" for the caret.
    QString caretText() const;

    QString DataFileName;
    QToolBar* Sheet1Tbr = nullptr;
    QToolButton* Sheet1TbrDownBt = nullptr;
    QToolButton* Sheet1TbrClearBt = nullptr;
    QToolButton* Sheet1TbrOmportBt = nullptr;
    QToolButton* Sheet1TbrSaveBt = nullptr;
    QPlainTextEdit* DataMemo = nullptr;

  public slots:
    void Sheet1TbrDownBtClick();
    void FileMenuDownClick();
    void Sheet1TbrClearBtClick();
    void Sheet1TbrOmportBtClick();
    void Sheet1TbrSaveBtClick();
    void DataMemoClick();

  signals:
    void statusText(const QString& text);
    // The history was rebuilt from the editor.
    void historyChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QToolButton* addButton(const QString& name, const QString& caption, void (TDataPanel::*slot)());

    TCodeArr& History;
    QString m_programDir;
    QUrl m_server;
    int m_timeoutMs = 30000;
};
