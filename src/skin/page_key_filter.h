#pragma once
// Swallows Enter, Escape and F1 pressed anywhere inside a skinned page or the wizard frame,
// before the focused control sees them: an edit's Enter must not press a default button and
// Escape must not cancel a page or end the wizard. Windows of their own (message boxes,
// pop-up lists) keep their keys.
#include <QObject>

class CPageKeyFilter : public QObject
{
    Q_OBJECT

public:
    // Installs the one application-wide filter, once.
    static void Install();
    static bool IsSwallowedKey(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
