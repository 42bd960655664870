#pragma once
// The plain controls of the setting pages, made in one place so that every page looks and
// types alike: edits in the pack's font with the accent focus frame, digit-only edits for
// numbers and the separators between date, time and address parts.
#include <QRect>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// The style sheet of a setting page's own controls (edits, lists, radio buttons).
QString SettingPageStyleSheet();

// A text edit limited to `maxChars` characters.
QLineEdit* MakeTextEdit(QWidget* parent, const QRect& rect, int maxChars);
// An edit that takes only the digits 0-9, at most `maxDigits` of them.
QLineEdit* MakeDigitEdit(QWidget* parent, const QRect& rect, int maxDigits, bool rightAligned);
// A "/", ":" or "." between two edits.
QLabel* MakeSeparator(QWidget* parent, const QRect& rect, const QString& text);
