#include "skin/page_key_filter.h"

#include "skin/return_key.h"
#include "skin/skinned_dialog.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>

namespace {

// Shift+F10 opens the menu of the control with the focus, as the Menu key does.
bool IsMenuKey(const QKeyEvent& key)
{
    return key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier;
}

void OpenMenu(QWidget* target)
{
    const QPoint at = target->rect().center();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &menu);
}

} // namespace

void PageKeyFilter::Install()
{
    static PageKeyFilter* filter = nullptr;
    if (filter != nullptr || qApp == nullptr)
        return;
    filter = new PageKeyFilter(qApp);
    qApp->installEventFilter(filter);
}

bool PageKeyFilter::IsSwallowedKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_F1;
}

bool PageKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (!IsSwallowedKey(key.key()) && !IsMenuKey(key))
        return false;
    auto* target = static_cast<QWidget*>(watched);
    for (QWidget* widget = target; widget != nullptr; widget = widget->parentWidget()) {
        if (auto* page = qobject_cast<SkinnedDialog*>(widget)) {
            if (IsMenuKey(key))
                OpenMenu(target);
            else if (IsReturnKey(key))
                PressForReturn(key, target, page->DefaultButton());
            return true;
        }
        if (widget->isWindow())
            break;
    }
    return false;
}
