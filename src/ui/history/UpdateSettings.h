#pragma once

#include <QDialog>
#include <QUrl>

class QLineEdit;

// The update server chosen in 设置 (empty when none was chosen).
QUrl StoredUpdateServer();
// Stores it; an empty address removes the choice.
void StoreUpdateServer(const QUrl& server);

// 设置: where the online update fetches its file.
class TUpdateSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    // defaultServer: used when nothing is set; commandLine: --server, which wins over the setting.
    TUpdateSettingsDialog(const QUrl& defaultServer, const QUrl& commandLine, QWidget* parent = nullptr);

    QLineEdit* ServerEd = nullptr;

  public slots:
    void accept() override;
};
