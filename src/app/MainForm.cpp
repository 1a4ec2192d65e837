#include "MainForm.h"

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Kelvora 双色球分析"));
    resize(1024, 720);
}
