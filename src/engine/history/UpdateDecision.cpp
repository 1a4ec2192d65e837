#include "history/UpdateDecision.h"

#include "history/DataFile.h"
#include "history/Parser.h"
#include "metrics/Code.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <iterator>

namespace {

QString drawText(const TDrawRec& d) {
    int blue = 0;
    for (int b = 0; b < 16; ++b)
        if (d.Ticket.Blue[b]) blue = b + 1;
    QString text;
    CodeToText(d.Ticket, text, true, blue);
    return text;
}

bool sameNumbers(const TDrawRec& a, const TDrawRec& b) {
    return std::equal(std::begin(a.Ticket.Red), std::end(a.Ticket.Red), std::begin(b.Ticket.Red)) &&
           std::equal(std::begin(a.Ticket.Blue), std::end(a.Ticket.Blue), std::begin(b.Ticket.Blue));
}

QString transferFailure(const UpdateTransfer& t) {
    if (!t.error.isEmpty()) return t.error;
    if (t.framing == TransferFraming::Length && t.body.size() != t.declaredLength)
        return QStringLiteral("下载的文件不完整：收到%1字节，应为%2字节")
            .arg(t.body.size())
            .arg(t.declaredLength);
    // Without a length the connection's end may pass for the body's end (a close-delimited body; a
    // chunked one cut short, which the client does not always notice); a file cut there shows by its
    // last line, as every complete history file ends with a line break.
    if (t.framing != TransferFraming::Length && !t.body.isEmpty() && !t.body.endsWith('\n') &&
        !t.body.endsWith('\r'))
        return QStringLiteral("下载的文件不完整：最后一行没有结束");
    return {};
}

} // namespace

UpdateDecision DecideUpdate(const UpdateTransfer& transfer, const TCodeArr& current) {
    UpdateDecision d;
    d.failure = transferFailure(transfer);
    if (!d.failure.isEmpty()) return d;
    d.bodyComplete = true;

    ParseResult parsed = ParseHistory(transfer.body);
    if (parsed.status != ParseResult::Ok) {
        d.failure = parsed.message;
        return d;
    }
    if (parsed.history.empty()) {
        d.failure = QStringLiteral("下载的文件中没有开奖数据");
        return d;
    }
    // A server that sends half a history must not cost the user the other half at the next save.
    if (parsed.history.size() < current.size()) {
        d.failure = QStringLiteral("下载的开奖数据只有%1期，比现有的%2期少")
                        .arg(parsed.history.size())
                        .arg(current.size());
        return d;
    }
    QHash<int, const TDrawRec*> mine;
    mine.reserve(qsizetype(current.size()));
    for (const TDrawRec& r : current)
        mine.insert(r.code(), &r);
    for (const TDrawRec& r : parsed.history) {
        const auto it = mine.constFind(r.code());
        if (it == mine.cend() || sameNumbers(**it, r)) continue;
        d.failure = QStringLiteral("下载的第%1期开奖号码与现有数据不同：现有 %2，下载 %3")
                        .arg(r.code())
                        .arg(drawText(**it), drawText(r));
        return d;
    }
    // A draw only the editor holds (typed in, not yet on the server, or beyond the point where the
    // body was cut) would be lost at the next save.
    QSet<int> downloaded;
    downloaded.reserve(qsizetype(parsed.history.size()));
    for (const TDrawRec& r : parsed.history)
        downloaded.insert(r.code());
    for (const TDrawRec& r : current) {
        if (downloaded.contains(r.code())) continue;
        d.failure = QStringLiteral("下载的开奖数据中没有现有的第%1期").arg(r.code());
        return d;
    }
    d.accepted = true;
    d.history = std::move(parsed.history);
    d.text = DataFileBytesToText(transfer.body);
    return d;
}

QString UpdateSucceededText() {
    return QStringLiteral("Kelvora在线更新开奖数据 成功!");
}

QString UpdateFailedText(const QString& why) {
    return QStringLiteral("Kelvora在线更新开奖数据 失败!") + QLatin1Char('\n') + why;
}
