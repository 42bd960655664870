#include "skin/return_key.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

bool CanPress(const QAbstractButton* button)
{
    return button != nullptr && button->isEnabled() && button->isVisible();
}

} // namespace

bool IsReturnKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

bool PressFocusedButton(QWidget* focus)
{
    auto* button = qobject_cast<QPushButton*>(focus);
    if (!CanPress(button))
        return false;
    button->click();
    return true;
}

void PressForReturn(const QKeyEvent& event, QWidget* focus, QAbstractButton* fallback)
{
    if (event.isAutoRepeat() || PressFocusedButton(focus))
        return;
    if (CanPress(fallback))
        fallback->click();
}
