#pragma once

#include "engine/history/UpdateDecision.h"

#include <QObject>
#include <QUrl>

class QNetworkReply;

// Fetches a URL with GET in a local event loop, so the window stays responsive: the caller keeps
// the user from commands that would change what the download is for. error is set on a network
// error (a connection dropped before a declared length or the last chunk arrived included), an HTTP
// error status, silenceMs without a byte from the server, a body larger than maxBytes (packed or
// unpacked), a compressed body whose stream did not end or whose checksum fails, or cancel(); then
// the body is empty. Otherwise the body comes unpacked, with how the server framed it.
class TDownloader : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    UpdateTransfer fetch(const QUrl& url, int silenceMs, qint64 maxBytes);
    bool isRunning() const { return m_reply != nullptr; }

  public slots:
    void cancel();

  signals:
    // total is -1 while the server has not said how much comes.
    void progress(qint64 received, qint64 total);

  private:
    QNetworkReply* m_reply = nullptr;
    bool m_cancelled = false;
};
