#pragma once
// What a screen reader hears of a drop-down list whose page names it ("Time zone", "Time, AM or
// PM"): Qt's own view names a drop-down by its current value on Linux, so a reader would say
// "AM" for the AM/PM list. This view names it by the page's name and gives the current entry as
// its value; Alt+Down or the reader's own action open its list.
#include <QAccessibleWidget>
#include <QComboBox>

class NamedComboAccessible : public QAccessibleWidget
{
public:
    explicit NamedComboAccessible(QComboBox* combo);

    QString text(QAccessible::Text kind) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

    // The factory Qt asks for the view of each object: ours for a drop-down a page has named.
    static QAccessibleInterface* Make(const QString& className, QObject* object);

private:
    QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};
