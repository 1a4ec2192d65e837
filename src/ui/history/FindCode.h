#pragma once

#include <QString>

class QPlainTextEdit;

// Selects the first occurrence of a three-character text (a two-digit number and its separator)
// in the memo, searching from the start every time. Returns the text for status panel 0, or an
// empty string when the text is not three characters long (nothing is touched then).
QString FindCodeInMemo(QPlainTextEdit* memo, const QString& text);
// Selects the first whole two-digit number a search text names ("05", "5", "05 "): not inside a
// longer number, and wherever it stands on its line, the last number of a line included. Returns
// the text for status panel 0, or an empty string when the text names no number (nothing is
// touched then).
QString FindNumberInMemo(QPlainTextEdit* memo, const QString& text);
