#pragma once

#include <QDialog>

class QPlainTextEdit;

// The explanation window: the caller fills Memo, then ShowExplanation shows it modally.
class TSmForm : public QDialog {
    Q_OBJECT
  public:
    // Created on first use; lives until the program ends.
    static TSmForm& instance();

    void ShowExplanation(const QString& caption);

    QPlainTextEdit* Memo = nullptr;

  private:
    explicit TSmForm(QWidget* parent = nullptr);
};
