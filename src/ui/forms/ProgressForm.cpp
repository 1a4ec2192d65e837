#include "ui/forms/ProgressForm.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QProgressBar>
#include <QScreen>
#include <QWindow>

TProgressForm& TProgressForm::instance() {
    static TProgressForm* form = nullptr;
    if (!form) {
        form = new TProgressForm;
        // Top-level widgets must go before the application object does.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] {
            delete form;
            form = nullptr;
        });
    }
    return *form;
}

TProgressForm::TProgressForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool) {
    setObjectName(QStringLiteral("ProgressForm"));
    setFixedSize(498, 57);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(207, 210, 179));
    pal.setColor(QPalette::WindowText, Qt::blue);
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f = font();
    f.setBold(true);
    setFont(f);

    Label = new QLabel(QStringLiteral("正在进行缩水计算..."), this);
    Label->setObjectName(QStringLiteral("Label1"));
    Label->setGeometry(8, 8, 481, 20);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(8, 32, 481, 18);
    ProgressBar->setRange(0, 110);
    ProgressBar->setTextVisible(false);
}

void TProgressForm::begin(const QString& text, int maximum) {
    Label->setText(text);
    ProgressBar->setRange(0, maximum);
    ProgressBar->setValue(0);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    repaint();
}

void TProgressForm::setPosition(int position) {
    ProgressBar->setValue(position);
    ProgressBar->repaint();
}

void TProgressForm::end() {
    hide();
}

int TProgressForm::position() const {
    return ProgressBar->value();
}
int TProgressForm::maximum() const {
    return ProgressBar->maximum();
}
QString TProgressForm::text() const {
    return Label->text();
}

void TProgressForm::mousePressEvent(QMouseEvent* event) {
    if (event->position().y() < DragStripHeight && windowHandle()) {
        windowHandle()->startSystemMove();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}
