#pragma once

#include "ui/controls/MultiMatrix.h"

// A grid of check boxes with captions; the user ticks any subset with the mouse (glyph or caption)
// or with Space/Enter on the focus item. Used for the candidate numbers and the ratio, count and
// range choices.
class TMultiChk : public TMultiMatrix {
    Q_OBJECT
  public:
    explicit TMultiChk(QWidget* parent = nullptr);

    // Unticks every item; the focus mark stays and no change is announced.
    void Clear();
    int CheckedCount() const;
    // An index outside 0..Count-1 throws "Checked Index Error!".
    bool Checked(int index) const;
    // Programmatic tick; like Clear it announces nothing. Bad index: "SetChecked Index Error!".
    void SetChecked(int index, bool on);

  protected:
    void activateItem(int index) override;
    QStyle::PrimitiveElement glyph() const override { return QStyle::PE_IndicatorCheckBox; }
};
