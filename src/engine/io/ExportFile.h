#pragma once

#include <QString>
#include <QStringList>

// The lines of a memo's text as the memo shows them; an empty memo has none.
QStringList MemoLines(const QString& text);

// Writes the lines to path, each followed by CR LF, in the program's code page: the one writer of
// every text export. The file is replaced atomically and without a question: when it cannot be
// written, KelvoraError is thrown and an existing file of that name stays as it was.
void ExportLines(const QString& path, const QStringList& lines);
