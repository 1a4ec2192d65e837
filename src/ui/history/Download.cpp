#include "ui/history/Download.h"

#include "ui/history/NetworkErrorText.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <zlib.h>

namespace {

// The body as the server sent it (Content-Encoding), unpacked. The compressed stream must end where
// the body ends and its checksum must hold: a body cut inside the stream, even one whose length
// matches what the server announced, unpacks into a shorter file that would still parse. Returns the
// reason on failure.
QString unpack(const QByteArray& raw, const QByteArray& encoding, qint64 maxBytes, QByteArray& out) {
    out.clear();
    if (encoding.isEmpty() || encoding == "identity") {
        out = raw;
        return {};
    }
    const bool gzip = encoding == "gzip" || encoding == "x-gzip";
    if (!gzip && encoding != "deflate")
        return QStringLiteral("服务器使用了不支持的压缩方式（%1）").arg(QString::fromLatin1(encoding));
    if (raw.isEmpty()) return {};
    // "deflate" is meant to be zlib data, but some servers send the bare stream.
    const int windowBits = gzip                                               ? 16 + MAX_WBITS
                           : (static_cast<unsigned char>(raw[0]) & 0x0f) == 8 ? MAX_WBITS
                                                                              : -MAX_WBITS;
    z_stream z{};
    if (inflateInit2(&z, windowBits) != Z_OK) return QStringLiteral("无法解压下载的数据");
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.constData()));
    z.avail_in = uInt(raw.size());
    QString failure;
    char buffer[64 * 1024];
    for (;;) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        const int status = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, qsizetype(sizeof buffer - z.avail_out));
        if (out.size() > maxBytes) {
            failure = QStringLiteral("下载的文件超过%1 MB").arg(maxBytes / (1024 * 1024));
            break;
        }
        if (status == Z_STREAM_END) {
            if (z.avail_in == 0) break;
            // A gzip body may hold several members one after the other; anything else is no part of it.
            if (gzip && z.avail_in >= 2 && z.next_in[0] == 0x1f && z.next_in[1] == 0x8b &&
                inflateReset(&z) == Z_OK)
                continue;
            failure = QStringLiteral("下载的压缩数据已损坏：结尾之后还有多余的数据");
            break;
        }
        if (status == Z_BUF_ERROR || (status == Z_OK && z.avail_in == 0 && z.avail_out != 0)) {
            failure = QStringLiteral("下载的文件不完整：压缩数据没有结束");
            break;
        }
        if (status != Z_OK) {
            failure = QStringLiteral("下载的压缩数据已损坏");
            break;
        }
    }
    inflateEnd(&z);
    if (!failure.isEmpty()) out.clear();
    return failure;
}

} // namespace

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
    // Named here, the encoding is left to this code: the client unpacks a body it asked to be
    // compressed itself, but does not check that the compressed stream ended (Qt 6.4).
    request.setRawHeader("Accept-Encoding", "gzip");
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
        result.httpStatus = status;
        if (status != 0 && (status < 200 || status > 299))
            result.error = QStringLiteral("服务器返回错误 %1").arg(status);
        else if (reply->error() != QNetworkReply::NoError)
            result.error = QStringLiteral("网络错误：") + NetworkErrorText(reply->error());
        else if (body.size() > maxBytes)
            result.error = QStringLiteral("下载的文件超过%1 MB").arg(maxBytes / (1024 * 1024));
    }
    if (result.error.isEmpty()) {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (reply->rawHeader("Transfer-Encoding").toLower().contains("chunked")) {
            result.framing = TransferFraming::Chunked;
        } else if (length.isValid()) {
            result.framing = TransferFraming::Length;
            result.declaredLength = length.toLongLong();
        } else {
            result.framing = TransferFraming::Close;
        }
        const QByteArray encoding = reply->rawHeader("Content-Encoding").trimmed().toLower();
        if (!encoding.isEmpty() && encoding != "identity") result.receivedLength = body.size();
        result.error = unpack(body, encoding, maxBytes, result.body);
    }
    delete reply;
    return result;
}
