#pragma once
// A screen reader's view of the windows that paint their texts (ReadableWindow): the window
// named by its title and described by its own text, only its shown controls as children, each
// named by the text that labels it, the painted texts as static text in reading order, the side
// panel's steps as a list with the current one selected, and a status line.
#include <QString>

class QWidget;

namespace window_accessible {

// Lets Qt build the reader's view of every ReadableWindow. Safe to call more than once.
void Install();

// A widget the reader passes over, such as the "/" between the parts of a date.
void MarkDecorative(QWidget* widget);

// A control whose page gives it its reader's name (a drop-down list, which the text beside it
// would not name well); the name is set with NameControl once the page's texts are loaded.
void KeepPageName(QWidget* control);
bool NamedByPage(const QWidget* control);
void NameControl(QWidget* control, const QString& name);

// Tells the listeners that `window` has just been shown, complete, with its focus where it is
// now: the window's appearance and then the focused control.
void AnnounceArrival(QWidget* window);

// Tells the listeners that a message box has appeared.
void AnnounceAlert(QWidget* box);

// Tells the listeners that the status line of `window` now says something else.
void AnnounceStatus(QWidget* window);

} // namespace window_accessible
