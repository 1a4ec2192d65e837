#include "ui/controls/MultiChk.h"

#include "ui/controls/MatrixError.h"

TMultiChk::TMultiChk(QWidget* parent) : TMultiMatrix(parent) {}

void TMultiChk::Clear() {
    clearFlags();
    update();
}

int TMultiChk::CheckedCount() const {
    int n = 0;
    for (int i = 0; i < Count(); ++i)
        n += flag(i) ? 1 : 0;
    return n;
}

bool TMultiChk::Checked(int index) const {
    if (index < 0 || index >= Count()) throw TMatrixError(QStringLiteral("Checked Index Error!"));
    return flag(index);
}

void TMultiChk::SetChecked(int index, bool on) {
    if (index < 0 || index >= Count()) throw TMatrixError(QStringLiteral("SetChecked Index Error!"));
    if (flag(index) == on) return;
    setFlag(index, on);
    update(Layout().rectOfChk(index));
}

void TMultiChk::activateItem(int index) {
    setFlag(index, !flag(index));
}
