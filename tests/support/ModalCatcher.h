#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTimer>
#include <QWidget>

// Answers every modal dialog that opens while it lives and records the texts of message boxes, so
// commands that show a message box can run inside a test.
class ModalCatcher : public QObject {
  public:
    QStringList texts;
    QList<QMessageBox::Icon> icons; // of the message boxes, as texts
    int dialogs = 0;
    // A file dialog gets this file chosen (empty: the dialog is cancelled); its filters are kept.
    QString fileToChoose;
    QStringList fileFilters;
    // Questions (boxes with more than one button) get these buttons clicked, one per question in
    // order; once they run out a question is closed without a choice, which cancels it.
    QList<QMessageBox::StandardButton> answers;

    ModalCatcher() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

  private:
    void poll() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        ++dialogs;
        if (auto* files = qobject_cast<QFileDialog*>(w)) {
            fileFilters = files->nameFilters();
            if (fileToChoose.isEmpty()) {
                QMetaObject::invokeMethod(files, "reject");
            } else {
                files->selectFile(fileToChoose);
                QMetaObject::invokeMethod(files, "accept");
            }
        } else if (auto* box = qobject_cast<QMessageBox*>(w)) {
            texts.append(box->text());
            icons.append(box->icon());
            QAbstractButton* choice = nullptr;
            if (box->buttons().size() > 1 && !answers.isEmpty()) choice = box->button(answers.takeFirst());
            if (choice)
                choice->click();
            else
                box->done(QMessageBox::Ok);
        } else if (auto* text = w->findChild<QPlainTextEdit*>(QStringLiteral("LongMessageText"))) {
            texts.append(text->toPlainText());
            w->close();
        } else {
            w->close();
        }
    }
    QTimer m_timer;
};
