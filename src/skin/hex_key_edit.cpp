#include "skin/hex_key_edit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

HexKeyEdit::HexKeyEdit(QWidget* parent) : QLineEdit(parent) {}

bool HexKeyEdit::AcceptsCharacter(char16_t code)
{
    if (code < 32)
        return true;
    return (code >= u'0' && code <= u'9') || (code >= u'A' && code <= u'F') || (code >= u'a' && code <= u'f');
}

bool HexKeyEdit::AcceptsTypedText(const QString& text) const
{
    for (const QChar character : text) {
        if (!AcceptsCharacter(character.unicode()))
            return false;
    }
    return true;
}

void HexKeyEdit::keyPressEvent(QKeyEvent* event)
{
    // Only keys that type a character are filtered. Shortcuts with Control (copy, cut, paste,
    // undo, select all) are control codes on the keyboard, and Delete types nothing.
    const bool shortcut =
        event->modifiers().testFlag(Qt::ControlModifier) || event->modifiers().testFlag(Qt::MetaModifier);
    if (shortcut || event->key() == Qt::Key_Delete || AcceptsTypedText(event->text())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    Refuse(event->text());
    event->accept();
}

void HexKeyEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // A composed character is typed text too.
    if (AcceptsTypedText(event->commitString())) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    Refuse(event->commitString());
    event->accept();
}

void HexKeyEdit::Refuse(const QString& text)
{
    QApplication::beep();
    for (const QChar character : text) {
        if (!AcceptsCharacter(character.unicode())) {
            emit characterRefused(character);
            break;
        }
    }
}
