#pragma once
// Where the focus goes when a page becomes current: its first field in Tab order, that is the
// first control that takes the keyboard and is not a push button (an edit, a list, a radio
// button). Of a group of radio buttons the checked one is chosen, as Tab would.
class QWidget;

// nullptr when the page has no field that is shown and enabled.
QWidget* FirstField(QWidget* page);
