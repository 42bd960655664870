#include "skin/page_key_filter.h"

#include "skin/bmp_dialog.h"

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
    if (!IsSwallowedKey(static_cast<QKeyEvent*>(event)->key()))
        return false;
    for (auto* widget = static_cast<QWidget*>(watched); widget != nullptr; widget = widget->parentWidget()) {
        if (qobject_cast<CBmpDialog*>(widget) != nullptr)
            return true;
        if (widget->isWindow())
            break;
    }
    return false;
}
