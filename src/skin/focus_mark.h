#pragma once
// Keyboard focus marks. A control shows that it has the focus when the focus came from the
// keyboard (Tab, Backtab, a shortcut) or from the program (a page giving its list the focus),
// because the next key press goes there; after a mouse click the user already knows where it
// is and no mark is drawn. Switching windows keeps whatever the control showed before; a
// control that a window's opening gives the focus shows it.
#include <QColor>
#include <Qt>

class QPainter;
class QRect;
class QWidget;

namespace focus_mark {

// Name of the dynamic property TrackKeyboardFocus keeps on a control, for style sheets:
// QTreeWidget[keyboardFocus="true"]:focus { ... }
inline constexpr const char* kProperty = "keyboardFocus";

// Whether a control that gains the focus for `reason` shows the mark; `before` is what it
// showed when it last had the focus.
bool MarkAfterFocusIn(Qt::FocusReason reason, bool before);

// The mark's colour on a surface filled with `fill`: the accent, or white on a dark fill
// (a primary button is itself filled with the accent).
QColor MarkColorOn(const QColor& fill);

// A 2-pixel rounded ring `inset` pixels inside `bounds`.
inline constexpr int kRingInset = 3;
void DrawFocusRing(QPainter& painter, const QRect& bounds, const QColor& color, int inset = kRingInset);

// Keeps kProperty of a standard control (a tree, a list) up to date and re-applies its style
// sheet when it changes, so that the sheet can draw the mark.
void TrackKeyboardFocus(QWidget* control);

} // namespace focus_mark
