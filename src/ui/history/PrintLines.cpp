#include "history/PrintLines.h"

#include "CommandGuard.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

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

bool PrintLines(QWidget* parent, const QStringList& lines, const QString& title, int fontSize) {
    const QString failed = QStringLiteral("打印失败！");
    QPrinter printer(QPrinter::HighResolution);
    if (printFile().isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            ShowErrorBox(parent, QStringLiteral("没有可用的打印机，无法打印！"));
            return false;
        }
        printer.setPrinterName(info.printerName());
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile());
    }
    printer.setDocName(title);

    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowErrorBox(parent, failed);
        return false;
    }
    QFont font = painter.font();
    font.setPointSize(fontSize);
    painter.setFont(font);
    const QFontMetrics metrics(painter.font(), &printer);
    const QRect page = painter.viewport();
    const int lineHeight = metrics.lineSpacing();
    const PrintPageLayout layout = MakePrintPageLayout(page.height(), lineHeight);

    QStringList all;
    all.reserve(lines.size() + 1);
    all.append(PrintHeaderLine(QDateTime::currentDateTime()));
    all.append(lines);
    for (int k = 0; k < all.size(); ++k) {
        if (k > 0 && layout.rowOf(k) == 0 && !printer.newPage()) {
            painter.end();
            ShowErrorBox(parent, failed);
            return false;
        }
        const int y = layout.rowOf(k) * lineHeight + metrics.ascent();
        if (!all[k].isEmpty()) painter.drawText(0, y, all[k]);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        ShowErrorBox(parent, failed);
        return false;
    }
    return true;
}
