#include "skin/named_combo_accessible.h"

#include "skin/window_accessible.h"

NamedComboAccessible::NamedComboAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox)
{
}

QString NamedComboAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Name)
        return widget()->accessibleName();
    if (kind == QAccessible::Value)
        return Combo()->currentText();
    return QAccessibleWidget::text(kind);
}

QStringList NamedComboAccessible::actionNames() const
{
    return QAccessibleWidget::actionNames() << showMenuAction();
}

void NamedComboAccessible::doAction(const QString& action)
{
    if (action == showMenuAction())
        Combo()->showPopup();
    else
        QAccessibleWidget::doAction(action);
}

QAccessibleInterface* NamedComboAccessible::Make(const QString&, QObject* object)
{
    auto* combo = qobject_cast<QComboBox*>(object);
    return combo != nullptr && window_accessible::NamedByPage(combo) ? new NamedComboAccessible(combo)
                                                                     : nullptr;
}
