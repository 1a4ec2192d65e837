#pragma once

#include <QPixmap>
#include <QWidget>

// The start-up picture, flashed while the main window is built.
class TSplashForm : public QWidget {
    Q_OBJECT
  public:
    explicit TSplashForm(QWidget* parent = nullptr);

    // The JPEG picture stored with the program (null if it cannot be decoded).
    static QImage picture();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap m_picture;
};
