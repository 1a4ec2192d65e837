#pragma once

#include "ui/charts/BoardPage.h"

// "空行空列图": the draw's numbers on a 6 x 6 board in reading order, empty rows and columns shaded.
class TEmptyRowColPage : public TBoardPage {
    Q_OBJECT
  public:
    explicit TEmptyRowColPage(const TCodeArr& history, QWidget* parent = nullptr);
};
