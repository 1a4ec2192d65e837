#include "CommandGuard.h"

#include "KelvoraError.h"

#include <QApplication>
#include <QMessageBox>

void ShowErrorBox(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

void ShowMessage(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

bool RunGuarded(QWidget* parent, const std::function<void()>& command)
{
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
