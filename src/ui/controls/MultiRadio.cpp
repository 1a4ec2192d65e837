#include "ui/controls/MultiRadio.h"

#include "ui/controls/MatrixError.h"

TMultiRadio::TMultiRadio(QWidget* parent) : TMultiMatrix(parent) {}

void TMultiRadio::Clear() {
    clearFlags();
    update();
}

int TMultiRadio::ItemIndex() const {
    for (int i = 0; i < Count(); ++i)
        if (flag(i)) return i;
    return Count();
}

void TMultiRadio::SetItemIndex(int index) {
    // Checked before clearing, so a bad index does not lose the current selection.
    if (index < 0 || index >= Count()) throw TMatrixError(QStringLiteral("SetRadio Error!"));
    Clear();
    SetRadio(index, true);
}

void TMultiRadio::SetRadio(int index, bool on) {
    if (index < 0 || index >= Count()) throw TMatrixError(QStringLiteral("SetRadio Error!"));
    if (flag(index) == on) return;
    setFlag(index, on);
    update();
}

void TMultiRadio::activateItem(int index) {
    clearFlags();
    setFlag(index, true);
}
