#include "ui/ExportDialog.h"

#include "ui/UserSettings.h"

#include <QFileDialog>

QString AskExportFileName(QWidget* parent) {
    return AskExportFileOfType(parent, QStringLiteral("文本文件 (*.txt)"), QStringLiteral("txt"));
}

QString AskExportFileOfType(QWidget* parent, const QString& filter, const QString& suffix) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(LastDir());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    RememberLastDir(dialog.selectedFiles().first());
    return dialog.selectedFiles().first();
}
