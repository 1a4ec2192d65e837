#include "ui/history/FindCode.h"

#include <QPlainTextEdit>
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
