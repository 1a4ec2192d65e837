#include "engine/history/UpdateDecision.h"

#include "engine/history/DataFile.h"
#include "engine/history/Parser.h"
#include "engine/io/GbText.h"
#include "engine/metrics/Code.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <iterator>

namespace {

QString drawText(const TDrawRec& d, const Game& game) {
    return DrawToText(d.Ticket, game);
}

bool sameNumbers(const TDrawRec& a, const TDrawRec& b) {
    return std::equal(std::begin(a.Ticket.Red), std::end(a.Ticket.Red), std::begin(b.Ticket.Red)) &&
           std::equal(std::begin(a.Ticket.Blue), std::end(a.Ticket.Blue), std::begin(b.Ticket.Blue)) &&
           a.Ticket.Special == b.Ticket.Special;
}

} // namespace

QString TransferFailureText(const UpdateTransfer& t) {
    if (!t.error.isEmpty()) return t.error;
    const qint64 received = t.receivedLength >= 0 ? t.receivedLength : t.body.size();
    if (t.framing == TransferFraming::Length && received != t.declaredLength)
        return QStringLiteral("下载的文件不完整：收到%1字节，应为%2字节").arg(received).arg(t.declaredLength);
    // Without a length the connection's end may pass for the body's end (a close-delimited body; a
    // chunked one cut short, which the client does not always notice); a file cut there shows by its
    // last line, as every complete history file ends with a line break.
    if (t.framing != TransferFraming::Length && !t.body.isEmpty() && !t.body.endsWith('\n') &&
        !t.body.endsWith('\r'))
        return QStringLiteral("下载的文件不完整：最后一行没有结束");
    return {};
}

namespace {

QString transferFailure(const UpdateTransfer& t) {
    return TransferFailureText(t);
}

// A web page, a JSON answer or an error text in place of the file: no line starts like a draw.
// Pages often begin with a byte order mark; a UTF-16 text is never a history file.
bool holdsNoDrawLines(QByteArray body) {
    if (body.startsWith("\xff\xfe") || body.startsWith("\xfe\xff")) return true;
    body = WithoutUtf8Bom(body).trimmed();
    if (body.startsWith('<')) return true;
    const QByteArray head = body.left(1024).toLower();
    if (head.contains("<!doctype") || head.contains("<html")) return true;
    static const QRegularExpression drawStart(QStringLiteral("^\\s*\\d"));
    const QList<QByteArray> lines = body.split('\n');
    return std::none_of(lines.begin(), lines.end(), [](const QByteArray& line) {
        return drawStart.match(QString::fromLatin1(line)).hasMatch();
    });
}

// Nothing to compare the download with: the user decides, seeing what came.
QString replaceQuestion(const TCodeArr& downloaded, const QString& why, const QDate& today) {
    const int newest = downloaded.back().code();
    QString text = why + QLatin1Char('\n') +
                   QStringLiteral("下载的开奖数据共%1期，最新第%2期。").arg(downloaded.size()).arg(newest);
    if (IsFarOlderThan(newest, today))
        text += QLatin1Char('\n') +
                QStringLiteral("注意：下载的最新一期离今天已很久，服务器上的数据可能没有更新。");
    return text + QLatin1Char('\n') + QStringLiteral("是否用下载的开奖数据替换编辑器中的全部内容？");
}

QString blankEditorText() {
    return QStringLiteral("编辑器中没有可以比较的开奖数据。");
}

// current: the draws to compare with; when there are none, noCompare says why.
UpdateDecision decide(const UpdateTransfer& transfer, const TCodeArr& current, const QString& noCompare,
                      const QDate& today, const Game& game) {
    UpdateDecision d;
    d.failure = transferFailure(transfer);
    if (!d.failure.isEmpty()) return d;
    d.bodyComplete = true;

    if (!WithoutUtf8Bom(transfer.body).trimmed().isEmpty() && holdsNoDrawLines(transfer.body)) {
        d.failure = NotDrawDataText();
        return d;
    }
    ParseResult parsed = ParseHistory(transfer.body, game);
    if (parsed.status != ParseResult::Ok) {
        d.failure = parsed.message;
        return d;
    }
    if (parsed.history.empty()) {
        d.failure = QStringLiteral("下载的文件中没有开奖数据");
        return d;
    }
    for (const TDrawRec& r : parsed.history)
        d.newest = std::max(d.newest, r.code());
    // Without draws to compare, neither a short body nor a changed draw can be told; the user is
    // shown what came instead of "成功" over a text that may be theirs.
    if (current.empty()) {
        d.accepted = true;
        d.question =
            replaceQuestion(parsed.history, noCompare.isEmpty() ? blankEditorText() : noCompare, today);
        d.added = int(parsed.history.size());
        d.history = std::move(parsed.history);
        d.text = DataFileBytesToText(transfer.body);
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
                        .arg(drawText(**it, game), drawText(r, game));
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
    d.added = int(parsed.history.size()) -
              int(std::count_if(parsed.history.begin(), parsed.history.end(),
                                [&](const TDrawRec& r) { return mine.contains(r.code()); }));
    d.history = std::move(parsed.history);
    d.text = DataFileBytesToText(transfer.body);
    return d;
}

} // namespace

UpdateDecision DecideUpdate(const UpdateTransfer& transfer, const TCodeArr& current, const QDate& today,
                            const Game& game) {
    return decide(transfer, current, QString(), today, game);
}

UpdateDecision DecideUpdateOverText(const UpdateTransfer& transfer, const QString& editorText,
                                    const QDate& today, const Game& game) {
    const ParseResult mine = ParseHistoryText(editorText, game);
    if (mine.status == ParseResult::Ok) return decide(transfer, mine.history, QString(), today, game);
    const qsizetype lines = editorText.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size();
    return decide(transfer, {},
                  QStringLiteral("编辑器中的%1行文本有无法识别的行（共%2行有错误），无法与下载的数据比较，"
                                 "替换前的文本只能用Ctrl+Z找回。")
                      .arg(lines)
                      .arg(mine.badLineCount),
                  today, game);
}

bool IsFarOlderThan(int issueCode, const QDate& today) {
    // About 153 draws a year, three a week: the running number tells the date within a few weeks.
    const int year = issueCode / 1000;
    const int number = issueCode % 1000;
    const QDate estimated = QDate(year, 1, 1).addDays(qint64(number - 1) * 365 / 153);
    return estimated.isValid() && estimated.daysTo(today) > 90;
}

QString NotDrawDataText() {
    return QStringLiteral("服务器返回的不是开奖数据");
}

QString UpdateSucceededText(int added, int newest, bool unsaved) {
    QString text = QStringLiteral("Kelvora在线更新开奖数据 成功!") + QLatin1Char('\n');
    text += added > 0 ? QStringLiteral("新增%1期开奖，最新第%2期。").arg(added).arg(newest)
                      : QStringLiteral("没有新的开奖，最新第%1期。").arg(newest);
    if (unsaved)
        text += QLatin1Char('\n') + QStringLiteral("开奖数据还没有保存，请按“保存数据”写入数据文件。");
    return text;
}

QString UpdateFailedText(const QString& why) {
    return QStringLiteral("Kelvora在线更新开奖数据 失败!") + QLatin1Char('\n') + why;
}
