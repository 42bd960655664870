#pragma once
// CaptionRadioButton: a radio button whose caption is a text item the skin draws beside it.
// The button spans its caption's area, so a click on the caption selects it as a click on a
// labelled radio button would.
#include <QRadioButton>

class CaptionRadioButton : public QRadioButton
{
    Q_OBJECT

public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
