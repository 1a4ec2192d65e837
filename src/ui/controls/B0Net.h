#pragma once

#include "engine/charts/B0NetModel.h"

#include <QWidget>

class QPainter;

// The titled table that sizes itself to its contents (no scroll bar; pages put it in a scroll
// area). The contents and the bounds live in a B0NetModel: the widget's geometry follows the model
// after every Resize, and a geometry set from outside is taken into the model and laid out.
//
// A page fills it through the forwarding operations (or fills a model and calls setModel):
//     auto* t = new TB0Net(scrollContents);
//     t->SetDimension(6, 6, widths); t->model().FTitle = "2005013期";
//     t->SetValue(col, row, text); t->SetCellColor(col, row, 0xFFFFFF);
//     t->model().FLineColor = 0xFF0000;
//     t->setBounds(10, 0, 200, 200);
//     t->Resize();
class TB0Net : public QWidget {
    Q_OBJECT
  public:
    explicit TB0Net(QWidget* parent = nullptr);
    ~TB0Net() override;

    B0NetModel& model() { return m_model; }
    const B0NetModel& model() const { return m_model; }
    // Takes over a filled model (with its bounds) and lays out.
    void setModel(const B0NetModel& model);

    void SetDimension(int ACols, int ARows, const QList<int>& AColWidths) {
        m_model.SetDimension(ACols, ARows, AColWidths);
    }
    void SetValue(int ACol, int ARow, const QString& Text) { m_model.SetValue(ACol, ARow, Text); }
    QString GetValue(int ACol, int ARow) const { return m_model.GetValue(ACol, ARow); }
    void SetCellColor(int ACol, int ARow, TColor Color) { m_model.SetCellColor(ACol, ARow, Color); }
    TColor GetCellColor(int ACol, int ARow) const { return m_model.GetCellColor(ACol, ARow); }
    // Empties the table and lays out again (shrinking to 3 x 2 pixels).
    void Clear();

    // Starting position and size before the table sizes itself.
    void setBounds(int left, int top, int width, int height);

    // Settles the layout (rows shown, grid rectangle, own size), applies the bounds and repaints.
    void Resize();

    // Paints the table in client coordinates; outside the cells the background is left as it is.
    void render(QPainter& painter);

  signals:
    void changed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    B0NetModel m_model;
    bool m_applying = false;
};
