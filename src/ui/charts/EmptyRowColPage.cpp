#include "ui/charts/EmptyRowColPage.h"

TEmptyRowColPage::TEmptyRowColPage(const TCodeArr& history, QWidget* parent)
    : TBoardPage(history, 6, parent) {}
