#pragma once

#include "history/UpdateDecision.h"

#include <QUrl>

// Fetches url with a blocking GET: the window repaints but takes no input until it returns.
// error is set on a network error (a connection dropped before a declared length or the last chunk
// arrived included), an HTTP error status, no answer within timeoutMs, or a body larger than
// maxBytes; then the body is empty. Otherwise the body comes with how the server framed it.
UpdateTransfer DownloadBytes(const QUrl& url, int timeoutMs, qint64 maxBytes);
