#include "history/Download.h"

#include "history/NetworkErrorText.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

UpdateTransfer DownloadBytes(const QUrl& url, int timeoutMs, qint64 maxBytes) {
    UpdateTransfer result;
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = manager.get(request);

    bool timedOut = false;
    bool tooBig = false;
    QByteArray body;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maxBytes) {
            tooBig = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        if (body.size() + reply->bytesAvailable() > maxBytes) {
            tooBig = true;
            reply->abort();
            return;
        }
        body += reply->readAll();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(timeoutMs);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    if (timedOut) {
        result.error = QStringLiteral("服务器在%1秒内没有响应").arg((timeoutMs + 999) / 1000);
    } else if (tooBig) {
        result.error = QStringLiteral("下载的文件超过%1 MB").arg(maxBytes / (1024 * 1024));
    } else {
        if (reply->error() == QNetworkReply::NoError && body.size() + reply->bytesAvailable() <= maxBytes)
            body += reply->readAll();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status != 0 && (status < 200 || status > 299))
            result.error = QStringLiteral("服务器返回错误 %1").arg(status);
        else if (reply->error() != QNetworkReply::NoError)
            result.error = QStringLiteral("网络错误：") + NetworkErrorText(reply->error());
        else if (body.size() > maxBytes)
            result.error = QStringLiteral("下载的文件超过%1 MB").arg(maxBytes / (1024 * 1024));
    }
    if (result.error.isEmpty()) {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        const QByteArray encoding = reply->rawHeader("Content-Encoding").toLower();
        // A compressed body is unpacked by the client, so its declared length is not the body's;
        // the client itself checks that the compressed stream arrived whole.
        if (reply->rawHeader("Transfer-Encoding").toLower().contains("chunked") ||
            (!encoding.isEmpty() && encoding != "identity")) {
            result.framing = TransferFraming::Chunked;
        } else if (length.isValid()) {
            result.framing = TransferFraming::Length;
            result.declaredLength = length.toLongLong();
        } else {
            result.framing = TransferFraming::Close;
        }
        result.body = std::move(body);
    }
    delete reply;
    return result;
}
