#include "ui/forms/SplashForm.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QScreen>

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashForm"));
    setFixedSize(450, 353);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_picture = QPixmap::fromImage(picture());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// The picture is compiled into this static library; the linker keeps it only when asked for.
static void initFormsResources() {
    Q_INIT_RESOURCE(forms);
}

QImage TSplashForm::picture() {
    static const bool initialised = (initFormsResources(), true);
    Q_UNUSED(initialised);
    QImageReader reader(QStringLiteral(":/forms/splash.jpg"), "jpeg");
    return reader.read();
}

void TSplashForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_picture.isNull())
        p.fillRect(rect(), QColor(0xB0, 0x20, 0x20));
    else
        p.drawPixmap(rect(), m_picture);
}
