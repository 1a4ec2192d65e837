#pragma once

#include "engine/charts/G2NetModel.h"

#include <QWidget>

class QPainter;

// The bar statistics chart: groups of bars over a value scale with grid lines, captions under the
// groups and values above the bars. The contents live in a G2NetModel.
//
// A page fills it through the forwarding operations (or fills a model and calls setModel):
//     net->SetDimension(34, 2, {0xFF0000, 0x5462FF});
//     net->SetValue(col, 0, caption); net->SetValue(col, 1, QString::number(count));
//     net->model().FBarWidth = 12; ... net->model().FScale = m / (20.0 * gridCount);
//     net->Resize();
class TG2Net : public QWidget {
    Q_OBJECT
  public:
    explicit TG2Net(QWidget* parent = nullptr);
    ~TG2Net() override;

    G2NetModel& model() { return m_model; }
    const G2NetModel& model() const { return m_model; }
    // Takes over a filled model (keeping this widget's message box for index errors) and lays out.
    void setModel(const G2NetModel& model);

    void SetDimension(int ACols, int ARows, const QList<TColor>& AColors) {
        m_model.SetDimension(ACols, ARows, AColors);
    }
    void SetValue(int ACol, int ARow, const QString& Text) { m_model.SetValue(ACol, ARow, Text); }
    QString GetValue(int ACol, int ARow) const { return m_model.GetValue(ACol, ARow); }
    // Drops every group and series and lays out again.
    void Clear();

    // Computes the chart rectangle, asks for the chart's size (a control in a layout keeps the size
    // the layout gives it) and repaints.
    void Resize();

    QSize sizeHint() const override;

    // Lets the chart fill a control larger than it asks for, up to maxStretch times its size in
    // each direction (1, the default: never). model() is then the chart as shown, stretched from
    // the one setModel took, which baseModel() returns.
    void setMaxStretch(double maxStretch);
    const G2NetModel& baseModel() const { return m_maxStretch > 1.0 ? m_base : m_model; }

    // Paints the chart in client coordinates; the background is left as it is.
    void render(QPainter& painter);

  signals:
    void changed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void installHook();
    void stretch();

    G2NetModel m_model;
    G2NetModel m_base;
    double m_maxStretch = 1.0;
};
