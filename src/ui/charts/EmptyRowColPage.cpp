#include "charts/EmptyRowColPage.h"

TEmptyRowColPage::TEmptyRowColPage(const TCodeArr& history, QWidget* parent)
    : TBoardPage(history, QStringLiteral("空行空列图"), &FillEmptyRowCol, parent) {}
