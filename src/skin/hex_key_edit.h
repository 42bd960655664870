#pragma once
// HexKeyEdit: a line edit that takes only hexadecimal digits from the keyboard. Control
// keys (backspace, cursor keys, the copy/cut/paste shortcuts) work as usual; any other typed
// character is refused with a beep. Pasted text is not filtered: the page validates the key.
#include <QLineEdit>

class HexKeyEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit HexKeyEdit(QWidget* parent = nullptr);

    // Whether a typed character passes the filter: control codes and 0-9, A-F, a-f.
    static bool AcceptsCharacter(char16_t code);

signals:
    // Emitted with every refused character, after the beep.
    void characterRefused(QChar character);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool AcceptsTypedText(const QString& text) const;
    void Refuse(const QString& text);
};
