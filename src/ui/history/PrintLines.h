#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class QWidget;

// Prints a time-stamped header line and then the lines, one printed line each, as one job on the
// default printer. A failure (no printer, a write error) shows the standard error box and returns
// false; the lines after the failure are not printed.
bool PrintLines(QWidget* parent, const QStringList& lines, const QString& title = QStringLiteral("Kelvora"),
                int fontSize = 12);

// Every later PrintLines writes into this PDF file instead of the printer; empty = printer again.
void SetPrintToFile(const QString& pdfPath);

// The header line: a leading space, then the print time as "yyyy.MM.dd" and the long time format.
QString PrintHeaderLine(const QDateTime& when);

// Which lines go on which page when lineHeight-high lines run down a pageHeight-high page.
struct PrintPageLayout {
    int linesPerPage = 1;
    // Page index (0-based) of line k, the header being line 0.
    int pageOf(int k) const { return k / linesPerPage; }
    int rowOf(int k) const { return k % linesPerPage; }
    int pageCount(int lineCount) const {
        return lineCount <= 0 ? 1 : (lineCount + linesPerPage - 1) / linesPerPage;
    }
};
PrintPageLayout MakePrintPageLayout(int pageHeight, int lineHeight);
