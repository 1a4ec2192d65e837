#include "ui/forms/SmForm.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TSmForm& TSmForm::instance() {
    static TSmForm* form = nullptr;
    if (!form) {
        form = new TSmForm;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] {
            delete form;
            form = nullptr;
        });
    }
    return *form;
}

TSmForm::TSmForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SmForm"));
    resize(426, 351);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(Memo);
}

void TSmForm::ShowExplanation(const QString& caption) {
    setWindowTitle(caption);
    exec();
}
