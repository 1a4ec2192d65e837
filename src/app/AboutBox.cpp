#include "app/AboutBox.h"

#include "app/ProgramIcon.h"
#include "engine/history/DataLocation.h"
#include "ui/UserSettings.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSettings>
#include <QVBoxLayout>

QString AboutText(const DataLocation& location, const QString& settingsFile) {
    const auto native = [](const QString& path) { return QDir::toNativeSeparators(path).toHtmlEscaped(); };
    return QStringLiteral(
               "<h3>Kelvora 双色球・超级大乐透分析软件 %1</h3>"
               "<p>开奖数据：%2<br>设置：%3<br>帮助文件：%4</p>"
               "<p><b>理性购彩，量力而行。</b>彩票开奖号码是随机产生的，任何分析和预测都不能保证中奖。</p>")
        .arg(QStringLiteral(KELVORA_VERSION),
             location.dataFile.isEmpty() ? QStringLiteral("（无法保存）") : native(location.dataFile),
             native(settingsFile), native(location.readmeFile));
}

void ShowAboutBox(QWidget* parent, const DataLocation& location) {
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("AboutBox"));
    box.setWindowTitle(QStringLiteral("关于 Kelvora"));
    box.setIconPixmap(ProgramIcon().pixmap(64, 64));
    box.setTextFormat(Qt::RichText);
    box.setText(AboutText(location, OpenUserSettings()->fileName()));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void ShowHelpViewer(QWidget* parent, const QString& readmeFile) {
    QFile file(readmeFile);
    if (!file.open(QIODevice::ReadOnly)) return;
    QDialog viewer(parent);
    viewer.setObjectName(QStringLiteral("HelpViewer"));
    viewer.setWindowTitle(QStringLiteral("帮助主题"));
    auto* layout = new QVBoxLayout(&viewer);
    auto* text = new QPlainTextEdit(&viewer);
    text->setObjectName(QStringLiteral("HelpText"));
    text->setReadOnly(true);
    text->setPlainText(QString::fromUtf8(file.readAll()));
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &viewer);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &viewer, &QDialog::reject);
    layout->addWidget(buttons);
    viewer.resize(720, 560);
    viewer.exec();
}
