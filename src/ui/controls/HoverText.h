#pragma once

#include <QPoint>
#include <QString>
#include <functional>

class QEvent;
class QWidget;

// Answers a tool-tip event of a chart control's viewport with the text the control gives for the
// point (none: any shown tip goes). Returns true when the event was a tool-tip event.
bool ShowHoverText(QEvent* event, QWidget* viewport, const std::function<QString(QPoint)>& textAt);
