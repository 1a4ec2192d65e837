#include "ui/charts/GannPage.h"

TGannPage::TGannPage(const TCodeArr& history, QWidget* parent) : TBoardPage(history, 12, parent) {}
