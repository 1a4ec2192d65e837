#include "history/DataPanel.h"

#include "CommandGuard.h"
#include "UserSettings.h"
#include "history/AtomicFile.h"
#include "history/DataFile.h"
#include "history/Download.h"
#include "history/Parser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

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
    Sheet1TbrSaveBt = addButton(QStringLiteral("Sheet1TbrSaveBt"), QStringLiteral("保存数据"),
                                &TDataPanel::Sheet1TbrSaveBtClick);
    layout->addWidget(Sheet1Tbr);

    DataMemo = new QPlainTextEdit(this);
    DataMemo->setObjectName(QStringLiteral("DataMemo"));
    DataMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    DataMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DataMemo->installEventFilter(this);
    DataMemo->viewport()->installEventFilter(this);
    layout->addWidget(DataMemo);

    setProgramDir(QCoreApplication::applicationDirPath());
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
    DataFileName = DataFileNameIn(dir);
}

QUrl TDataPanel::updateUrl() const {
    return m_server.resolved(QUrl(QStringLiteral("/gx.txt")));
}

QString TDataPanel::downloadTarget() const {
    return QDir(m_programDir).filePath(QStringLiteral("tmp.txt"));
}

void TDataPanel::LoadDataFile(const QString& path) {
    const DataFileContent content = ReadDataFile(path);
    if (!content.isEmpty) DataMemo->setPlainText(content.text);
}

void TDataPanel::SaveDataFile(const QString& path) {
    WriteDataFile(path, DataMemo->toPlainText());
    emit statusText(QStringLiteral("保存文档完毕"));
}

void TDataPanel::ImportDataFile(const QString& path) {
    // Read before the editor is emptied, so a file that cannot be read costs nothing.
    const DataFileContent content = ReadDataFile(path);
    DataMemo->setPlainText(content.text);
    DataTxtToCodeArr();
}

bool TDataPanel::DataTxtToCodeArr() {
    ParseResult r = ParseHistoryText(DataMemo->toPlainText());
    switch (r.status) {
    case ParseResult::Ok:
        History = std::move(r.history);
        emit historyChanged();
        return true;
    case ParseResult::BadLines:
        ShowMessage(this, r.message);
        break;
    case ParseResult::BadNumbers:
        for (const QString& m : std::as_const(r.lineErrors))
            ShowMessage(this, m);
        break;
    }
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
    const QString target = downloadTarget();
    if (QFileInfo::exists(target)) QFile::remove(target);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const DownloadResult download = DownloadBytes(updateUrl(), m_timeoutMs, MaxUpdateBytes);
    QApplication::restoreOverrideCursor();

    // The download lands in tmp.txt as it came; the editor and the history change only for a
    // body that parses into draws, so an error page or a truncated file never replaces them.
    QString why = download.error;
    if (download.ok) {
        const QString failure = WriteFileAtomically(target, download.body);
        if (!failure.isEmpty())
            why = QStringLiteral("无法写入文件 \"%1\"：%2").arg(QDir::toNativeSeparators(target), failure);
    }
    ParseResult parsed;
    if (why.isEmpty()) {
        parsed = ParseHistory(download.body);
        if (parsed.status == ParseResult::BadLines)
            why = parsed.message;
        else if (parsed.status == ParseResult::BadNumbers)
            why = parsed.lineErrors.join(QLatin1Char('\n'));
        else if (parsed.history.empty())
            why = QStringLiteral("下载的文件中没有开奖数据");
    }
    if (!why.isEmpty()) {
        ShowMessage(this, QStringLiteral("Kelvora在线更新开奖数据 失败!") + QLatin1Char('\n') + why);
        return;
    }
    ShowMessage(this, QStringLiteral("Kelvora在线更新开奖数据 成功!"));
    DataMemo->setPlainText(DataFileBytesToText(download.body));
    History = std::move(parsed.history);
    emit historyChanged();
}

void TDataPanel::Sheet1TbrClearBtClick() {
    DataMemo->clear();
    DataTxtToCodeArr();
}

void TDataPanel::Sheet1TbrOmportBtClick() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("导入数据"), LastDir(),
                                                      QStringLiteral("文本文件 (*.txt)"));
    if (path.isEmpty() || !QFileInfo::exists(path)) return;
    RememberLastDir(path);
    RunGuarded(this, [&] { ImportDataFile(path); });
}

void TDataPanel::Sheet1TbrSaveBtClick() {
    RunGuarded(this, [&] {
        SaveDataFile(DataFileName);
        DataTxtToCodeArr();
    });
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
