#include "ui/history/FindCode.h"

#include "engine/prize/ResultCheckAnswer.h"

#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>

QString FindCodeInMemo(QPlainTextEdit* memo, const QString& text) {
    if (!memo || text.size() != 3) return QString();
    QTextCursor cursor = memo->textCursor();
    cursor.clearSelection();
    memo->setTextCursor(cursor);

    const QTextCursor found = memo->document()->find(text, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull()) return QStringLiteral("抱歉，没有找到号码") + text;
    memo->setTextCursor(found);
    return QStringLiteral("恭喜，找到号码") + text;
}

QString FindNumberInMemo(QPlainTextEdit* memo, const QString& text) {
    const int n = SearchedNumber(text);
    if (!memo || n < 0) return QString();
    const QRegularExpression whole(QStringLiteral("(?<![0-9])%1(?![0-9])").arg(n, 2, 10, QLatin1Char('0')));
    const QTextCursor found = memo->document()->find(whole, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull()) {
        QTextCursor cursor = memo->textCursor();
        cursor.clearSelection();
        memo->setTextCursor(cursor);
        return QStringLiteral("抱歉，没有找到号码") + text;
    }
    memo->setTextCursor(found);
    return QStringLiteral("恭喜，找到号码") + text;
}
