#pragma once

#include "ui/charts/BoardPage.h"

// "江恩图": the draw's numbers on a square spiral, the blue number too, busy rows and columns shaded
// around their marks.
class TGannPage : public TBoardPage {
    Q_OBJECT
  public:
    explicit TGannPage(const TCodeArr& history, QWidget* parent = nullptr);
};
