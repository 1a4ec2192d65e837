#include "ExportDialog.h"

#include "UserSettings.h"

#include <QFileDialog>

QString AskExportFileName(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("文本文件 (*.txt)"));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(LastDir());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    RememberLastDir(dialog.selectedFiles().first());
    return dialog.selectedFiles().first();
}
