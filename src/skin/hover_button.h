#pragma once
// HoverButton: what the buttons we draw ourselves share. It knows whether the mouse is
// over it and whether its focus shows the focus mark (focus_mark.h), repaints when the mouse
// comes or goes, and never becomes a default button: Enter belongs to the page.
#include <QPushButton>

class HoverButton : public QPushButton
{
    Q_OBJECT

public:
    explicit HoverButton(QWidget* parent = nullptr);

    bool IsHovering() const { return hovering_; }
    // The focus mark shows: the button has the focus and did not get it from a click.
    bool ShowsFocusMark() const { return hasFocus() && keyboardFocus_; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool hovering_ = false;
    bool keyboardFocus_ = true; // a focus nobody clicked for shows the mark
};
