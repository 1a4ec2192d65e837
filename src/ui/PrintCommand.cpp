#include "ui/PrintCommand.h"

#include "engine/io/AtomicFile.h"
#include "ui/CommandGuard.h"
#include "ui/ExportDialog.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QToolBar>

namespace {

const QString PrintFailed = QStringLiteral("打印失败！");

bool preview(QWidget* parent, const QString& docName, const PagePainter& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(docName);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("打印预览"));
    bool failed = false;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        if (!paint(*target)) failed = true;
    });
    bool exported = false;
    if (auto* bar = dialog.findChild<QToolBar*>()) {
        bar->addSeparator();
        QAction* pdf = bar->addAction(QStringLiteral("导出PDF..."));
        pdf->setObjectName(QStringLiteral("ExportPdfAction"));
        QObject::connect(pdf, &QAction::triggered, &dialog,
                         [&] { exported = ExportPdf(&dialog, docName, paint) || exported; });
    }
    const bool printed = dialog.exec() == QDialog::Accepted;
    if (failed) ShowErrorBox(parent, PrintFailed);
    return !failed && (printed || exported);
}

} // namespace

QByteArray PdfBytes(const QString& docName, const PagePainter& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(docName);
        writer.setCreator(QStringLiteral("Kelvora"));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        if (!paint(writer)) return {};
    }
    return bytes;
}

bool ExportPdf(QWidget* parent, const QString& docName, const PagePainter& paint) {
    const QString path =
        AskExportFileOfType(parent, QStringLiteral("PDF文件 (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty()) return false;
    const QByteArray pdf = PdfBytes(docName, paint);
    if (pdf.isEmpty()) {
        ShowErrorBox(parent, PrintFailed);
        return false;
    }
    const QString why = WriteFileAtomically(path, pdf);
    if (!why.isEmpty()) {
        ShowErrorBox(parent,
                     QStringLiteral("无法保存文件 \"%1\"：%2").arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    return true;
}

bool RunPrintCommand(QWidget* parent, const QString& docName, const PagePainter& paint) {
    if (!QPrinterInfo::defaultPrinter().isNull()) return preview(parent, docName, paint);
    QMessageBox box(QMessageBox::Warning, MessageBoxTitle(), QStringLiteral("没有可用的打印机，无法打印！"),
                    QMessageBox::Open | QMessageBox::Save | QMessageBox::Cancel, parent);
    box.setInformativeText(QStringLiteral("可以先打印预览，或把内容导出为PDF文件。"));
    // Plain buttons: the standard ones would carry a folder and a disk as icons.
    const std::pair<QMessageBox::StandardButton, QString> texts[] = {
        {QMessageBox::Open, QStringLiteral("打印预览")},
        {QMessageBox::Save, QStringLiteral("导出PDF...")},
        {QMessageBox::Cancel, QStringLiteral("取消")}};
    for (const auto& [button, text] : texts) {
        box.button(button)->setText(text);
        box.button(button)->setIcon(QIcon());
    }
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Open:
        return preview(parent, docName, paint);
    case QMessageBox::Save:
        return ExportPdf(parent, docName, paint);
    default:
        return false;
    }
}
