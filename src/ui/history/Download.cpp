#include "ui/history/Download.h"

#include "ui/history/NetworkErrorText.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

void TDownloader::cancel() {
    if (!m_reply) return;
    m_cancelled = true;
    m_reply->abort();
}

UpdateTransfer TDownloader::fetch(const QUrl& url, int silenceMs, qint64 maxBytes) {
    UpdateTransfer result;
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = manager.get(request);
    m_reply = reply;
    m_cancelled = false;

    bool timedOut = false;
    bool tooBig = false;
    QByteArray body;
    QEventLoop loop;
    // A slow server that keeps sending is alive; only silence counts.
    QTimer silence;
    silence.setSingleShot(true);
    QObject::connect(&silence, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [&] {
        silence.start(silenceMs);
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maxBytes) {
            tooBig = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        silence.start(silenceMs);
        if (body.size() + reply->bytesAvailable() > maxBytes) {
            tooBig = true;
            reply->abort();
            return;
        }
        body += reply->readAll();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, this,
                     [this](qint64 received, qint64 total) { emit progress(received, total); });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    silence.start(silenceMs);
    if (!reply->isFinished()) loop.exec();
    silence.stop();
    m_reply = nullptr;

    if (m_cancelled) {
        result.cancelled = true;
        result.error = QStringLiteral("下载已取消");
    } else if (timedOut) {
        result.error = QStringLiteral("服务器在%1秒内没有响应").arg((silenceMs + 999) / 1000);
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
