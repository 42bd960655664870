#include "skin/page_key_filter.h"

#include "skin/bmp_dialog.h"
#include "skin/return_key.h"

#include <QApplication>
#include <QKeyEvent>

void CPageKeyFilter::Install()
{
    static CPageKeyFilter* filter = nullptr;
    if (filter != nullptr || qApp == nullptr)
        return;
    filter = new CPageKeyFilter(qApp);
    qApp->installEventFilter(filter);
}

bool CPageKeyFilter::IsSwallowedKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_F1;
}

bool CPageKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (!IsSwallowedKey(key.key()))
        return false;
    auto* target = static_cast<QWidget*>(watched);
    for (QWidget* widget = target; widget != nullptr; widget = widget->parentWidget()) {
        if (auto* page = qobject_cast<CBmpDialog*>(widget)) {
            if (IsReturnKey(key))
                PressForReturn(key, target, page->DefaultButton());
            return true;
        }
        if (widget->isWindow())
            break;
    }
    return false;
}
