#pragma once
// Combo boxes in the program's look: a hairline frame (the accent text colour while focused
// or open), the current text cut short with "..." when it does not fit, and a flat chevron.
// TooltipComboBox draws itself so; FlatComboLook gives plain combo boxes the same look.
#include <QObject>
#include <QRect>

class QComboBox;
class QWidget;

namespace flat_combo {

// The part of the control the current text is drawn in.
QRect TextRect(const QComboBox& combo);
// Paints the whole control; call from its paint event.
void Paint(QComboBox& combo, bool open);

} // namespace flat_combo

class FlatComboLook : public QObject
{
    Q_OBJECT

public:
    // Draws every plain combo box among `page`'s children flat from now on.
    static void Apply(QWidget* page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FlatComboLook(QObject* parent) : QObject(parent) {}
};
