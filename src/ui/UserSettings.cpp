#include "ui/UserSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>

std::unique_ptr<QSettings> OpenUserSettings() {
    return std::make_unique<QSettings>(QStringLiteral("Kelvora"), QStringLiteral("Kelvora"));
}

QString LastDir() {
    const QString dir = OpenUserSettings()->value(QStringLiteral("paths/lastDir")).toString();
    return !dir.isEmpty() && QFileInfo(dir).isDir() ? dir : QDir::homePath();
}

void RememberLastDir(const QString& path) {
    if (path.isEmpty()) return;
    const QFileInfo info(path);
    OpenUserSettings()->setValue(QStringLiteral("paths/lastDir"),
                                 info.isDir() ? info.absoluteFilePath() : info.absolutePath());
}

bool RestoreWindowState(QWidget* window) {
    const auto settings = OpenUserSettings();
    const QByteArray geometry = settings->value(QStringLiteral("window/geometry")).toByteArray();
    // restoreGeometry() also moves a window whose screen is gone back onto a visible one.
    if (geometry.isEmpty() || !window->restoreGeometry(geometry)) return false;
    if (settings->value(QStringLiteral("window/maximized")).toBool())
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    return true;
}

void SaveWindowState(const QWidget* window) {
    const auto settings = OpenUserSettings();
    settings->setValue(QStringLiteral("window/geometry"), window->saveGeometry());
    settings->setValue(QStringLiteral("window/maximized"), window->isMaximized());
}

QString LastGameKey() {
    return OpenUserSettings()->value(QStringLiteral("game/last")).toString();
}

void RememberLastGame(const QString& key) {
    const auto settings = OpenUserSettings();
    if (settings->value(QStringLiteral("game/last")).toString() != key)
        settings->setValue(QStringLiteral("game/last"), key);
}
