#pragma once

#include "engine/core/CodeRec.h"

#include <QWidget>
#include <functional>

class QPushButton;
class QSpinBox;

// 添加开奖: the newest draw typed into spin boxes instead of at the end of 3,500 lines of text.
class TAddDrawBar : public QWidget {
    Q_OBJECT
  public:
    explicit TAddDrawBar(QWidget* parent = nullptr);

    // Prefills the issue code with the one after the newest draw.
    void setNextIssue(const TCodeArr& history);
    // The draws a new one is checked against (the editor's, which may be ahead of the history).
    void setHeldDraws(std::function<TCodeArr()> source) { m_heldDraws = std::move(source); }

    QSpinBox* IssueSe = nullptr;
    QSpinBox* RedSe[6] = {};
    QSpinBox* BlueSe = nullptr;
    QPushButton* AddBt = nullptr;

  public slots:
    void AddBtClick();

  signals:
    // A checked history line, reds sorted.
    void lineReady(const QString& line);

  private:
    std::function<TCodeArr()> m_heldDraws;
};
