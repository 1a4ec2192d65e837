#pragma once

#include <QNetworkReply>
#include <QString>

// The Chinese reason of a failed transfer; the network library's own texts are English.
QString NetworkErrorText(QNetworkReply::NetworkError error);
