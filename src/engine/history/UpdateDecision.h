#pragma once

#include "engine/core/Game.h"

#include "engine/core/CodeRec.h"

#include <QByteArray>
#include <QDate>
#include <QString>

// How the server marked the end of the update file's body.
enum class TransferFraming {
    Length,  // Content-Length: complete when that many bytes arrived
    Chunked, // chunked: the client checks the end, but may miss a cut at a chunk boundary
    Close,   // the end of the connection: a clean close looks the same whether complete or not
};

// What the download brought, as the client saw it.
struct UpdateTransfer {
    QString error; // the client's failure text (network, HTTP status, silence, size); empty = ended normally
    TransferFraming framing = TransferFraming::Close;
    qint64 declaredLength = -1; // Length: the announced size
    QByteArray body;            // unpacked
    bool cancelled = false;     // the user stopped it (error says so too)
    qint64 receivedLength = -1; // bytes as sent when the body came compressed; -1: body.size()
    int httpStatus = 0;         // the server's answer (404: the server has no such file)
};

// Why a transfer did not end with the whole file (an error, a cut body), or empty.
QString TransferFailureText(const UpdateTransfer& transfer);

struct UpdateDecision {
    bool bodyComplete = false; // the body arrived whole
    bool accepted = false;     // the editor and the history may be replaced (after question, if any)
    QString failure;           // not accepted: the line under the failure message
    int added = 0;             // accepted: draws the download holds that the editor does not
    int newest = 0;            // accepted: the latest issue code downloaded
    QString question;          // accepted, but only if the user says yes to this
    TCodeArr history;          // accepted: the downloaded draws
    QString text;              // accepted: the editor text of the body
};

// Whether a downloaded update file may replace the editor's history `current`: the transfer ended
// normally and completely, the body parses into draws, it holds no fewer draws than `current`,
// every issue both hold has the same numbers in both, and it holds every issue of `current`.
// With no draws to compare against, it is accepted with a question that shows what was downloaded.
UpdateDecision DecideUpdate(const UpdateTransfer& transfer, const TCodeArr& current, const QDate& today,
                            const Game& game);
// The same for the editor text the update would replace: a text that parses is compared draw by
// draw as above; a blank text, or one that does not parse, can only be replaced after a question.
UpdateDecision DecideUpdateOverText(const UpdateTransfer& transfer, const QString& editorText,
                                    const QDate& today, const Game& game);

// A draw more than about three months before today: a server that stopped updating.
bool IsFarOlderThan(int issueCode, const QDate& today);

// The two message box texts of the update. Success tells how many draws are new, the newest issue
// and, when the editor differs from the data file afterwards, that saving is still to be done.
QString UpdateSucceededText(int added, int newest, bool unsaved);
QString UpdateFailedText(const QString& why);
// What the failure line says about a body that holds no draw lines at all (a web page, say).
QString NotDrawDataText();
