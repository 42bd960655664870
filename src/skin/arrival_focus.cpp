#include "skin/arrival_focus.h"

#include <QPushButton>
#include <QRadioButton>

namespace {

bool TakesFocus(const QWidget* page, const QWidget* widget)
{
    return page->isAncestorOf(widget) && widget->isVisibleTo(page) && widget->isEnabled() &&
           (widget->focusPolicy() & Qt::TabFocus) != 0 && qobject_cast<const QPushButton*>(widget) == nullptr;
}

// The checked button of the radio buttons beside `radio` (their exclusive group), else `radio`.
QWidget* CheckedOfGroup(QRadioButton* radio)
{
    if (radio->isChecked() || radio->parentWidget() == nullptr)
        return radio;
    for (QRadioButton* other :
         radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
        if (other->isChecked() && other->autoExclusive() && other->isVisibleTo(radio->parentWidget()))
            return other;
    }
    return radio;
}

} // namespace

QWidget* FirstField(QWidget* page)
{
    for (QWidget* widget = page->nextInFocusChain(); widget != nullptr && widget != page;
         widget = widget->nextInFocusChain()) {
        if (!TakesFocus(page, widget))
            continue;
        if (auto* radio = qobject_cast<QRadioButton*>(widget))
            return CheckedOfGroup(radio);
        return widget;
    }
    return nullptr;
}
