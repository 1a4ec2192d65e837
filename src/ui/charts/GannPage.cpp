#include "charts/GannPage.h"

TGannPage::TGannPage(const TCodeArr& history, QWidget* parent)
    : TBoardPage(history, QStringLiteral("江恩图"), &FillGann, parent) {}
