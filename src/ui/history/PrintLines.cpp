#include "ui/history/PrintLines.h"

#include "paint/PageHeading.h"
#include "ui/CommandGuard.h"
#include "ui/PrintCommand.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

namespace {

QString& printFile() {
    static QString path;
    return path;
}

} // namespace

void SetPrintToFile(const QString& pdfPath) {
    printFile() = pdfPath;
}

QString PrintHeaderLine(const QDateTime& when) {
    return QStringLiteral(" 打印，时间:") + when.toString(QStringLiteral("yyyy.MM.dd")) + QLatin1Char(' ') +
           QLocale::system().toString(when.time(), QLocale::LongFormat);
}

PrintPageLayout MakePrintPageLayout(int pageHeight, int lineHeight) {
    PrintPageLayout layout;
    if (lineHeight > 0 && pageHeight >= lineHeight) layout.linesPerPage = pageHeight / lineHeight;
    return layout;
}

bool PaintLinePages(QPagedPaintDevice& device, const QStringList& lines, const QString& title, int fontSize,
                    const QDateTime& when) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    QFont font = painter.font();
    font.setPointSize(fontSize);
    painter.setFont(font);
    const QFontMetrics metrics(painter.font(), &device);
    const QRect page = painter.viewport();
    const int band = PageHeadingHeight(painter, font);
    const int lineHeight = metrics.lineSpacing();
    const PrintPageLayout layout = MakePrintPageLayout(page.height() - band, lineHeight);
    const int pages = layout.pageCount(int(lines.size()));
    const TPageHeading heading{title, PrintHeaderLine(when)};

    PaintPageHeading(painter, font, page, heading, 1, pages);
    for (int k = 0; k < lines.size(); ++k) {
        if (k > 0 && layout.rowOf(k) == 0) {
            if (!device.newPage()) {
                painter.end();
                return false;
            }
            PaintPageHeading(painter, font, page, heading, layout.pageOf(k) + 1, pages);
        }
        const int y = band + layout.rowOf(k) * lineHeight + metrics.ascent();
        if (!lines[k].isEmpty()) painter.drawText(0, y, lines[k]);
    }
    return painter.end();
}

bool PrintLines(QWidget* parent, const QStringList& lines, const QString& title, int fontSize) {
    const QDateTime when = QDateTime::currentDateTime();
    const auto paint = [&](QPagedPaintDevice& device) {
        return PaintLinePages(device, lines, title, fontSize, when);
    };
    if (printFile().isEmpty()) return RunPrintCommand(parent, title, paint);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printFile());
    printer.setDocName(title);
    if (!paint(printer) || printer.printerState() == QPrinter::Error) {
        ShowErrorBox(parent, QStringLiteral("打印失败！"));
        return false;
    }
    return true;
}

QString PrintTitle(const Game& game, const QString& what) {
    return game.namedTitles ? QStringLiteral("Kelvora %1%2").arg(game.nameText(), what) : QStringLiteral("Kelvora");
}
