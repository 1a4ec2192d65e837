#include "ui/controls/HoverText.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

bool ShowHoverText(QEvent* event, QWidget* viewport, const std::function<QString(QPoint)>& textAt) {
    if (event->type() != QEvent::ToolTip) return false;
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = textAt(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, viewport);
    return true;
}
