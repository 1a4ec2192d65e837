#include "ui/history/NetworkErrorText.h"

QString NetworkErrorText(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("服务器拒绝连接");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("服务器提前断开了连接");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("找不到服务器，请检查网址和网络连接");
    case QNetworkReply::TimeoutError:
        return QStringLiteral("连接超时");
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("下载被中止");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("无法建立安全连接（SSL）");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return QStringLiteral("网络暂时不可用");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return QStringLiteral("无法通过代理服务器连接");
    case QNetworkReply::ContentAccessDenied:
        return QStringLiteral("服务器拒绝访问");
    case QNetworkReply::ContentNotFoundError:
        return QStringLiteral("服务器上没有这个文件");
    case QNetworkReply::AuthenticationRequiredError:
        return QStringLiteral("服务器要求登录");
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("服务器的转向地址无效");
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::ProtocolInvalidOperationError:
        return QStringLiteral("不支持这个网址");
    default:
        return QStringLiteral("传输失败（错误代码 %1）").arg(int(error));
    }
}
