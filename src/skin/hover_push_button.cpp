#include "skin/hover_push_button.h"

#include "skin/focus_mark.h"

#include <QFocusEvent>

CHoverPushButton::CHoverPushButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
}

void CHoverPushButton::enterEvent(QEnterEvent* event)
{
    hovering_ = true;
    update();
    QPushButton::enterEvent(event);
}

void CHoverPushButton::leaveEvent(QEvent* event)
{
    hovering_ = false;
    update();
    QPushButton::leaveEvent(event);
}

void CHoverPushButton::focusInEvent(QFocusEvent* event)
{
    keyboardFocus_ = focus_mark::MarkAfterFocusIn(event->reason(), keyboardFocus_);
    QPushButton::focusInEvent(event);
}
