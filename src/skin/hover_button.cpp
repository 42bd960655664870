#include "skin/hover_button.h"

#include "skin/focus_mark.h"

#include <QFocusEvent>

HoverButton::HoverButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
}

void HoverButton::enterEvent(QEnterEvent* event)
{
    hovering_ = true;
    update();
    QPushButton::enterEvent(event);
}

void HoverButton::leaveEvent(QEvent* event)
{
    hovering_ = false;
    update();
    QPushButton::leaveEvent(event);
}

void HoverButton::focusInEvent(QFocusEvent* event)
{
    keyboardFocus_ = focus_mark::MarkAfterFocusIn(event->reason(), keyboardFocus_);
    QPushButton::focusInEvent(event);
}
