#pragma once

#include "engine/core/Game.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QWidget;

// Prints the lines, one printed line each, under a heading on every page: the time-stamped header
// line, the title and "第k页/共n页". It goes through the print command (preview, printer or PDF
// file); with no printer the user is offered the preview or a PDF file. A failure shows the
// standard error box and returns false.
bool PrintLines(QWidget* parent, const QStringList& lines, const QString& title = QStringLiteral("Kelvora"),
                int fontSize = 12);
// The title of a panel's printout: "Kelvora" for the first game, as it always was; the others name the
// game and what is printed ("Kelvora 超级大乐透缩水结果").
QString PrintTitle(const Game& game, const QString& what);
// The pages themselves, printed at `when`; false when the device fails.
bool PaintLinePages(QPagedPaintDevice& device, const QStringList& lines, const QString& title, int fontSize,
                    const QDateTime& when);

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
