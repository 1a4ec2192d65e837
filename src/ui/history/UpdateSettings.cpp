#include "ui/history/UpdateSettings.h"

#include "ui/CommandGuard.h"
#include "ui/UserSettings.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {

const QString ServerKey = QStringLiteral("update/server");

} // namespace

QUrl StoredUpdateServer() {
    const QUrl url(OpenUserSettings()->value(ServerKey).toString());
    return url.isValid() && !url.host().isEmpty() ? url : QUrl();
}

void StoreUpdateServer(const QUrl& server) {
    const auto s = OpenUserSettings();
    if (server.isEmpty())
        s->remove(ServerKey);
    else
        s->setValue(ServerKey, server.toString());
    s->sync();
}

TUpdateSettingsDialog::TUpdateSettingsDialog(const QUrl& defaultServer, const QUrl& commandLine,
                                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("UpdateSettingsDialog"));
    setWindowTitle(QStringLiteral("设置"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("在线更新服务器地址（留空则使用 %1）：").arg(defaultServer.toString()), this));
    ServerEd = new QLineEdit(StoredUpdateServer().toString(), this);
    ServerEd->setObjectName(QStringLiteral("ServerEd"));
    ServerEd->setPlaceholderText(defaultServer.toString());
    layout->addWidget(ServerEd);
    if (!commandLine.isEmpty())
        layout->addWidget(new QLabel(
            QStringLiteral("本次运行由命令行参数 --server 指定服务器：%1").arg(commandLine.toString()),
            this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TUpdateSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(460, sizeHint().height());
}

void TUpdateSettingsDialog::accept() {
    const QString text = ServerEd->text().trimmed();
    if (text.isEmpty()) {
        StoreUpdateServer(QUrl());
        QDialog::accept();
        return;
    }
    const QUrl url = QUrl::fromUserInput(text);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        ShowErrorBox(this,
                     QStringLiteral("服务器地址无效：%1\n请输入如 http://www.example.com 的网址").arg(text));
        return;
    }
    StoreUpdateServer(url);
    QDialog::accept();
}
