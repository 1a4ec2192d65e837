#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

struct DownloadResult {
    bool ok = false;
    QByteArray body;
    // Why it failed, in the program's words, for the line under the failure message.
    QString error;
};

// Fetches url with a blocking GET: the window repaints but takes no input until it returns.
// Fails on a network error, an HTTP error status, no answer within timeoutMs, or a body larger
// than maxBytes.
DownloadResult DownloadBytes(const QUrl& url, int timeoutMs, qint64 maxBytes);
