#pragma once
// Return and Enter do what the focus says: a focused push button is pressed itself; anywhere
// else the window's default button is (a page's Next, a box's first button). A held-down key's
// repeats press nothing, so one press can never run a step twice.
class QAbstractButton;
class QKeyEvent;
class QWidget;

bool IsReturnKey(const QKeyEvent& event);

// Presses `focus` when it is an enabled, visible push button; returns whether it did.
bool PressFocusedButton(QWidget* focus);

// Presses the focused push button, else `fallback` when it is enabled and visible.
void PressForReturn(const QKeyEvent& event, QWidget* focus, QAbstractButton* fallback);
