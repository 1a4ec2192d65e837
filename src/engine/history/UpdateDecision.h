#pragma once

#include "history/CodeRec.h"

#include <QByteArray>
#include <QString>

// How the server marked the end of the update file's body.
enum class TransferFraming {
    Length,  // Content-Length: complete when that many bytes arrived
    Chunked, // chunked or compressed: the client checks the end, but may miss a cut at a chunk boundary
    Close,   // the end of the connection: a clean close looks the same whether complete or not
};

// What the download brought, as the client saw it.
struct UpdateTransfer {
    QString error; // the client's failure text (network, HTTP status, time-out, size); empty = ended normally
    TransferFraming framing = TransferFraming::Close;
    qint64 declaredLength = -1; // Length: the announced size
    QByteArray body;
};

struct UpdateDecision {
    bool bodyComplete = false; // the body arrived whole (it is kept as the download file)
    bool accepted = false;     // the editor and the history may be replaced
    QString failure;           // not accepted: the line under the failure message
    TCodeArr history;          // accepted: the downloaded draws
    QString text;              // accepted: the editor text of the body
};

// Whether a downloaded update file may replace the editor's history `current`: the transfer ended
// normally and completely, the body parses into draws, it holds no fewer draws than `current`,
// every issue both hold has the same numbers in both, and it holds every issue of `current`.
UpdateDecision DecideUpdate(const UpdateTransfer& transfer, const TCodeArr& current);

// The two message box texts of the update.
QString UpdateSucceededText();
QString UpdateFailedText(const QString& why);
