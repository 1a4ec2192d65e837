#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// The program's one progress window: borderless, on top of everything, dragged by its top strip.
class TProgressForm : public QWidget {
    Q_OBJECT
  public:
    // Created on first use; lives until the program ends.
    static TProgressForm& instance();

    // Shows the window on top with the given text, at position 0 of 0..maximum.
    void begin(const QString& text, int maximum);
    // Moves the bar and repaints at once (the caller's loop gives the event loop no chance).
    void setPosition(int position);
    void end();

    int position() const;
    int maximum() const;
    QString text() const;

    // Height of the strip at the top from which the window can be dragged.
    static constexpr int DragStripHeight = 40;

    QLabel* Label = nullptr;
    QProgressBar* ProgressBar = nullptr;

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    explicit TProgressForm(QWidget* parent = nullptr);
};
