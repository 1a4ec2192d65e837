#pragma once

#include "ui/controls/MultiMatrix.h"

// A grid of radio buttons with captions; a click, Space or Enter selects one item alone. The arrow
// keys move only the focus mark.
class TMultiRadio : public TMultiMatrix {
    Q_OBJECT
  public:
    explicit TMultiRadio(QWidget* parent = nullptr);

    // Deselects every item; no change is announced.
    void Clear();
    // The first selected item, or Count() when none is selected.
    int ItemIndex() const;
    // Selects this item alone. An index outside 0..Count-1 throws "SetRadio Error!" and leaves
    // the selection as it was.
    void SetItemIndex(int index);
    // Sets one item's flag without touching the others (so two may end up selected). An index
    // outside 0..Count-1 throws "SetRadio Error!".
    void SetRadio(int index, bool on);

  protected:
    void activateItem(int index) override;
    QStyle::PrimitiveElement glyph() const override { return QStyle::PE_IndicatorRadioButton; }
};
