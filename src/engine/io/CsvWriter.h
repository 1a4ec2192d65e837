#pragma once

#include <QString>
#include <QStringList>

// The one CSV writer of the reports (the prize check, the ledger): a field with a comma, a quote or a
// line break is quoted, its quotes doubled; fields are joined by commas.
QString CsvField(const QString& text);
QString CsvLine(const QStringList& fields);
