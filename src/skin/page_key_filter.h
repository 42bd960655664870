#pragma once
// Handles Return, Enter, Escape, F1 and Shift+F10 pressed anywhere inside a skinned page or the
// wizard frame, before the focused control sees them. Return and Enter press the focused push
// button, or else the page's default button (its Next), so an edit's Return moves the wizard on
// and a focused Back goes back; Escape and F1 are swallowed, so Escape never cancels a page or
// ends the wizard; Shift+F10 opens the window's menu, as the Menu key does. Windows of their own (message
// boxes, pop-up lists) keep their keys.
#include <QObject>

class PageKeyFilter : public QObject
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
