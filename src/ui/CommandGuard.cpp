#include "ui/CommandGuard.h"

#include "engine/core/KelvoraError.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

// A message box grows with its text; a list of thousands of bad lines would make one taller than any
// screen, with its OK button out of reach. Such texts go into a scrolling box of a fixed size.
constexpr int LongMessageLines = 30;

bool isLong(const QString& text) {
    return text.count(QLatin1Char('\n')) >= LongMessageLines;
}

void showLong(QWidget* parent, const QString& text) {
    QDialog box(parent);
    box.setObjectName(QStringLiteral("LongMessageBox"));
    box.setWindowTitle(MessageBoxTitle());
    auto* layout = new QVBoxLayout(&box);
    auto* memo = new QPlainTextEdit(&box);
    memo->setObjectName(QStringLiteral("LongMessageText"));
    memo->setReadOnly(true);
    memo->setPlainText(text);
    layout->addWidget(memo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons);
    box.resize(560, 420);
    box.exec();
}

QString& messageTitle() {
    static QString title;
    return title;
}

} // namespace

void SetMessageBoxTitle(const QString& title) {
    messageTitle() = title;
}

QString MessageBoxTitle() {
    return messageTitle().isEmpty() ? QCoreApplication::applicationName() : messageTitle();
}

void ShowErrorBox(QWidget* parent, const QString& text) {
    if (isLong(text)) return showLong(parent, text);
    QMessageBox::critical(parent, MessageBoxTitle(), text, QMessageBox::Ok);
}

void ShowMessage(QWidget* parent, const QString& text) {
    if (isLong(text)) return showLong(parent, text);
    QMessageBox::information(parent, MessageBoxTitle(), text, QMessageBox::Ok);
}

void ShowWarning(QWidget* parent, const QString& text) {
    if (isLong(text)) return showLong(parent, text);
    QMessageBox::warning(parent, MessageBoxTitle(), text, QMessageBox::Ok);
}

bool RunGuarded(QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const KelvoraError& e) {
        ShowErrorBox(parent, e.message());
    } catch (const std::bad_alloc&) {
        ShowErrorBox(parent, QStringLiteral("内存不足"));
    } catch (const std::exception& e) {
        ShowErrorBox(parent, QString::fromUtf8(e.what()));
    }
    return false;
}
