#pragma once

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QWidget;

// Paints a document on the device's pages; false when the device fails.
using PagePainter = std::function<bool(QPagedPaintDevice& device)>;

// 打印 wherever the program prints: the print preview, from which its print button prints and
// "导出PDF..." writes a PDF file. With no printer a box says so and offers the preview or the PDF
// file instead. Returns true once the document went to a printer or a file.
bool RunPrintCommand(QWidget* parent, const QString& docName, const PagePainter& paint);

// Asks for a PDF file with the export dialog and writes the document into it, whole or not at all.
bool ExportPdf(QWidget* parent, const QString& docName, const PagePainter& paint);
// The document as PDF bytes (A4, 300 dots per inch); empty when painting failed.
QByteArray PdfBytes(const QString& docName, const PagePainter& paint);
